#pragma once

#include <functional>
#include <string>

namespace core {
class TextModeReader;
}

namespace print {

// Reads the data file as the declaration job does and reports every piece of
// a line that the job would skip or stop at: onProblem(lineNumber, reason),
// the reason in UTF-8 ("field 7 is empty", "'abc' は浮動小数点数ではありません").
// Unlike the job it goes on past conversion errors to the end of the file.
// Returns the number of problems, or -1 when the file cannot be opened.
int CheckDataFile(const std::string& path,
                  const std::function<void(int, const std::string&)>& onProblem);
// The same on data already open (read from standard input).
int CheckDataFile(core::TextModeReader& reader,
                  const std::function<void(int, const std::string&)>& onProblem);

} // namespace print
