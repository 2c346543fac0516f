#include "parseprintline.h"

#include "conversions.h"
#include "cp932.h"

namespace print {

namespace {

// The two cutting operations of the line format. Both work on bytes: ',', LF
// and '"' never occur inside a double-byte character of code page 932.
class LineCutter
{
public:
    explicit LineCutter(std::string_view line) : m_line(line), m_rest(line) {}

    // Where the rest begins in the line.
    std::size_t Offset() const { return m_line.size() - m_rest.size(); }

    // The bytes before the first separator; empty when there is none.
    std::string_view Cut(char separator) const
    {
        const auto pos = m_rest.find(separator);
        return pos == std::string_view::npos ? std::string_view() : m_rest.substr(0, pos);
    }

    // Removes everything up to and including the first ','; nothing when
    // there is none.
    void Drop()
    {
        const auto pos = m_rest.find(',');
        if (pos != std::string_view::npos)
            m_rest.remove_prefix(pos + 1);
    }

private:
    std::string_view m_line;
    std::string_view m_rest;
};

} // namespace

int ParsePrintLine(PrintRecord& record, std::string_view line, ParseDetail& detail)
{
    detail = {};
    int& rejectedField = detail.RejectedField;
    LineCutter cutter(line);

    std::string_view field = cutter.Cut(',');
    if (field.empty()) {
        rejectedField = 1;
        return 0;
    }
    record.PosX = core::StrToFloat(field);

    cutter.Drop();
    field = cutter.Cut(',');
    if (field.empty()) {
        rejectedField = 2;
        return 0;
    }
    record.PosY = core::StrToFloat(field);

    std::int32_t* const integers[] = {&record.FontSize, &record.HorzAlign, &record.Framed,
                                      &record.VertAlign};
    int number = 3;
    for (std::int32_t* target : integers) {
        cutter.Drop();
        field = cutter.Cut(',');
        if (field.empty()) {
            rejectedField = number;
            return 0;
        }
        *target = core::StrToInt(field);
        ++number;
    }

    for (; number <= 9; ++number) {
        cutter.Drop();
        if (cutter.Cut(',').empty()) {
            rejectedField = number;
            return 0;
        }
    }

    // Fields 10 and 11 are neither tested nor stored.
    cutter.Drop();
    cutter.Drop();

    cutter.Drop();
    detail.TextField = cutter.Offset();
    std::string_view text = cutter.Cut('\n');
    if (!text.empty() && text.front() == '"') {
        // The closing quote goes, or whatever stands in its place; a
        // double-byte character there goes whole, never half of it.
        text.remove_prefix(1);
        text = text.substr(0, core::LastCp932Character(text));
    }
    record.Text.assign(text);
    return 1;
}

int ParsePrintLine(PrintRecord& record, std::string_view line, int& rejectedField)
{
    ParseDetail detail;
    const int result = ParsePrintLine(record, line, detail);
    rejectedField = detail.RejectedField;
    return result;
}

int ParsePrintLine(PrintRecord& record, std::string_view line)
{
    ParseDetail detail;
    return ParsePrintLine(record, line, detail);
}

std::string_view HeldText(std::string_view field)
{
    if (field.starts_with('"')) {
        field.remove_prefix(1);
        if (field.ends_with('"'))
            field.remove_suffix(1);
    }
    return field;
}

} // namespace print
