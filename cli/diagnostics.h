#pragma once

#include <QString>
#include <cstdint>
#include <initializer_list>
#include <string>

namespace cli {

// One value put into a message: bytes (a path, a typed value, a system's
// reason) or text, shown with their control bytes escaped whatever their
// encoding (core::EscapeControlChars), so that no message can pass a file
// name to the terminal raw; numbers in the C locale's form.
class MessageArg
{
public:
    MessageArg(const std::string& bytes);
    MessageArg(const char* bytes);
    MessageArg(const QString& text);
    MessageArg(std::int64_t number);
    MessageArg(int number) : MessageArg(static_cast<std::int64_t>(number)) {}
    MessageArg(std::size_t number) : MessageArg(static_cast<std::int64_t>(number)) {}
    // Text already shown through the escaping rule (an error's message, a
    // usage error's reason): not escaped twice.
    static MessageArg Shown(std::string shown);

    const std::string& Text() const { return m_text; }

private:
    MessageArg() = default;
    std::string m_text;
};

// The message's text (translated, UTF-8) with %1 ... %9 replaced by the
// arguments as they are shown. One line: a line break in an argument is
// escaped like any control byte.
std::string FormatMessage(const QString& text, std::initializer_list<MessageArg> args = {});

// Writes one line on standard error: "ocrprint-cli: " and the message.
// Every line the tool writes there goes through here.
void Report(const QString& text, std::initializer_list<MessageArg> args = {});

// The same about one file, as compilers and the GNU tools name it:
// "ocrprint-cli: FILE: reason".
void ReportAbout(const std::string& path, const QString& reason,
                 std::initializer_list<MessageArg> args = {});

// The program's own name for what is shown on standard error.
inline constexpr const char* ProgramName = "ocrprint-cli";

} // namespace cli
