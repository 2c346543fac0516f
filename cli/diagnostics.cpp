#include "diagnostics.h"

#include <cstdio>

#include "argumentcodec.h"
#include "escape.h"

namespace cli {

MessageArg::MessageArg(const std::string& bytes) : m_text(core::EscapeControlChars(bytes)) {}

MessageArg::MessageArg(const char* bytes)
    : m_text(core::EscapeControlChars(bytes != nullptr ? bytes : ""))
{}

// A QString may hold a decoded argument: its bytes come back as they were,
// and are shown like any others.
MessageArg::MessageArg(const QString& text) : m_text(core::EscapeControlChars(EncodeArgument(text)))
{}

MessageArg::MessageArg(std::int64_t number) : m_text(std::to_string(number)) {}

MessageArg MessageArg::Shown(std::string shown)
{
    MessageArg arg;
    arg.m_text = std::move(shown);
    return arg;
}

std::string FormatMessage(const QString& text, std::initializer_list<MessageArg> args)
{
    const std::string pattern = EncodeArgument(text);
    std::string out;
    out.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const auto n = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (n < args.size()) {
                out += args.begin()[n].Text();
                ++i;
                continue;
            }
        }
        out += c;
    }
    // The texts are the program's own, but nothing that reaches the terminal
    // may move its cursor: a control byte left in them is shown too.
    std::string line;
    line.reserve(out.size());
    for (const char c : out) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            line += core::EscapeControlChars(std::string_view(&c, 1));
        else
            line += c;
    }
    return line;
}

void Report(const QString& text, std::initializer_list<MessageArg> args)
{
    const std::string line = std::string(ProgramName) + ": " + FormatMessage(text, args) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

void ReportAbout(const std::string& path, const QString& reason,
                 std::initializer_list<MessageArg> args)
{
    const std::string about = core::EscapeControlChars(path);
    Report(QStringLiteral("%1: %2"),
           {MessageArg::Shown(about), MessageArg::Shown(FormatMessage(reason, args))});
}

} // namespace cli
