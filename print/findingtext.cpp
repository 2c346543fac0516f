#include "findingtext.h"

#include <QCoreApplication>
#include <array>

namespace print {

namespace {

struct Kind
{
    print::LintCode Code;
    const char* Name;
    const char* Text; // %1 ... the finding's values
};

// In the order of print::LintCode.
constexpr Kind Kinds[] = {
    {print::LintCode::FieldEmpty, "field-empty",
     QT_TRANSLATE_NOOP("ocrprint-cli", "field %1 is empty: the line is skipped")},
    {print::LintCode::Conversion, "conversion", "%1"},
    {print::LintCode::OffPaper, "off-paper",
     QT_TRANSLATE_NOOP("ocrprint-cli", "the text cell (x %1 to %2 mm, y %3 to %4 mm) lies wholly "
                                       "outside the paper (%5 x %6 mm)")},
    {print::LintCode::PartlyOffPaper, "partly-off-paper",
     QT_TRANSLATE_NOOP("ocrprint-cli", "the text cell (x %1 to %2 mm, y %3 to %4 mm) lies partly "
                                       "outside the paper (%5 x %6 mm)")},
    {print::LintCode::OutsidePrintable, "outside-printable-area",
     QT_TRANSLATE_NOOP("ocrprint-cli", "the text cell (x %1 to %2 mm, y %3 to %4 mm) reaches "
                                       "outside the printable area (x %5 to %6 mm, y %7 to %8 "
                                       "mm): the printer cuts it off")},
    {print::LintCode::FontSize, "font-size",
     QT_TRANSLATE_NOOP("ocrprint-cli", "font size %1 pt is not from 1 to 200")},
    {print::LintCode::HorzAlign, "horizontal-alignment",
     QT_TRANSLATE_NOOP("ocrprint-cli", "horizontal alignment %1 is not 1, 2 or 3")},
    {print::LintCode::VertAlign, "vertical-alignment",
     QT_TRANSLATE_NOOP("ocrprint-cli", "vertical alignment %1 is not 1, 2 or 3")},
    {print::LintCode::Framed, "framed",
     QT_TRANSLATE_NOOP("ocrprint-cli", "Framed %1 is neither 0 nor 1: no frame is drawn")},
    {print::LintCode::NotCp932, "not-cp932",
     QT_TRANSLATE_NOOP("ocrprint-cli", "bytes %1 are not code page 932: they print garbled")},
    {print::LintCode::NoFont, "no-font",
     QT_TRANSLATE_NOOP("ocrprint-cli", "no installed font can print \"%1\" (U+%2): the "
                                       "declaration does not print")},
    {print::LintCode::Overlap, "overlap",
     QT_TRANSLATE_NOOP("ocrprint-cli", "the text cell overlaps that of line %1")},
    {print::LintCode::LongLine, "long-line",
     QT_TRANSLATE_NOOP("ocrprint-cli", "the line is longer than 254 bytes: it is read in pieces "
                                       "of 255 bytes, each one as a line of its own")},
    {print::LintCode::Utf8ByteOrderMark, "utf8-bom",
     QT_TRANSLATE_NOOP("ocrprint-cli", "the file begins with a UTF-8 byte-order mark: it is "
                                       "likely UTF-8, not code page 932; read it with --encoding "
                                       "utf-8, or turn it into code page 932 with ocrprint-cli "
                                       "convert")},
    {print::LintCode::Utf8Text, "utf8",
     QT_TRANSLATE_NOOP("ocrprint-cli", "the file is valid UTF-8 with multi-byte characters: it "
                                       "is likely UTF-8, not code page 932; read it with "
                                       "--encoding utf-8, or turn it into code page 932 with "
                                       "ocrprint-cli convert")},
    {print::LintCode::TextNoLineEnd, "text-no-line-end",
     QT_TRANSLATE_NOOP("ocrprint-cli",
                       "the line has no line end: its text prints as \"%1\", not \"%2\"")},
    {print::LintCode::TextNulByte, "text-nul-byte",
     QT_TRANSLATE_NOOP("ocrprint-cli",
                       "a NUL byte ends the line early: its text prints as \"%1\", not \"%2\"")},
    {print::LintCode::TextCut, "text-cut",
     QT_TRANSLATE_NOOP("ocrprint-cli", "the line is cut after 255 bytes: the text of this piece "
                                       "prints as \"%1\", not \"%2\"")},
    {print::LintCode::TextUnclosedQuote, "text-unclosed-quote",
     QT_TRANSLATE_NOOP("ocrprint-cli", "the text's opening double quote is not closed: its last "
                                       "character is dropped, it prints as \"%1\", not \"%2\"")},
    {print::LintCode::EndByte, "end-of-file-byte",
     QT_TRANSLATE_NOOP("ocrprint-cli", "a byte 0x1A ends the data here: the rest of the file (%1 "
                                       "bytes) is not read")},
    {print::LintCode::NoEntry, "no-entry",
     QT_TRANSLATE_NOOP("ocrprint-cli",
                       "no entry puts anything on the page: the declaration prints blank")},
};

constexpr bool InCodeOrder()
{
    for (std::size_t i = 0; i < std::size(Kinds); ++i)
        if (static_cast<std::size_t>(Kinds[i].Code) != i)
            return false;
    return std::size(Kinds) == static_cast<std::size_t>(print::LintCode::NoEntry) + 1;
}
static_assert(InCodeOrder(), "one text for every kind of finding, in the kinds' order");

const Kind& KindOf(print::LintCode code)
{
    return Kinds[static_cast<std::size_t>(code)];
}

// The kinds' texts translated once: a big file has a finding on every line.
const std::string& Template(print::LintCode code)
{
    static const auto texts = [] {
        std::array<std::string, std::size(Kinds)> t;
        for (std::size_t i = 0; i < std::size(Kinds); ++i)
            t[i] = QCoreApplication::translate("ocrprint-cli", Kinds[i].Text).toStdString();
        return t;
    }();
    return texts[static_cast<std::size_t>(code)];
}

} // namespace

const char* FindingCode(print::LintCode code)
{
    return KindOf(code).Name;
}

void AppendFindingMessage(std::string& out, const print::Finding& finding)
{
    const std::string& text = Template(finding.Code);
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t mark = text.find('%', from);
        if (mark == std::string::npos || mark + 1 == text.size()) {
            out.append(text, from, std::string::npos);
            break;
        }
        out.append(text, from, mark - from);
        const char digit = text[mark + 1];
        if (digit >= '1' && digit <= '9') {
            const auto n = static_cast<std::size_t>(digit - '1');
            if (n < finding.Values.size())
                out += finding.Values[n];
        } else {
            out.append(text, mark, 2);
        }
        from = mark + 2;
    }
}

std::string FindingMessage(const print::Finding& finding)
{
    std::string out;
    AppendFindingMessage(out, finding);
    return out;
}

} // namespace print
