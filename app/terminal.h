#pragma once

#include <optional>
#include <string>
#include <vector>

namespace app {

// What the window program answers on the terminal before it makes its
// QApplication: --help, --version, and a missing display (Qt would abort).
// Returns the exit status when the program is done, nothing when the window
// is to open. out and err receive the lines for standard output and error.
std::optional<int> AnswerOnTerminal(const std::vector<std::string>& args, bool displayKnown,
                                    std::string& out, std::string& err);

// Whether the environment names a display or a Qt platform to open windows on.
bool DisplayKnown();

// While the QApplication starts: a display that is named but cannot be opened
// (Qt's fatal error, several lines and an abort) ends the program with one
// line and exit status 1; Qt's other messages wait until EndPlatformStart().
void BeginPlatformStart();
void EndPlatformStart();

} // namespace app
