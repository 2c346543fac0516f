#include "datalint.h"

#include <QString>
#include <charconv>
#include <cstdio>
#include <string_view>
#include <unordered_map>

#include "cellindex.h"
#include "cp932.h"
#include "declarationjob.h"
#include "dots.h"
#include "econverterror.h"
#include "errortext.h"
#include "escape.h"
#include "parseprintline.h"
#include "textmodereader.h"
#include "tprintercanvas.h"
#include "utf8.h"
#include "utf8sniffer.h"

namespace print {

namespace {

// A file of a million entries repeats its texts: each size and text is
// measured once. The cache is dropped when it grows this large, so that a
// file of distinct texts costs memory in proportion to nothing.
constexpr std::size_t MeasureCacheLimit = 100000;

// With a point, whatever the locale: to_chars does not read it.
std::string Millimetres(std::int64_t dots, std::int32_t dpi)
{
    char text[64];
    const double mm = static_cast<double>(dots) * core::MmPerInch / (dpi > 0 ? dpi : 1);
    const auto [end, error] =
        std::to_chars(text, text + sizeof text, mm, std::chars_format::fixed, 1);
    return error == std::errc() ? std::string(text, end) : std::string("?");
}

std::string Hex(std::string_view bytes)
{
    static constexpr char Digits[] = "0123456789abcdef";
    std::string out;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (!out.empty())
            out += ' ';
        out += "0x";
        out += Digits[b >> 4];
        out += Digits[b & 0x0F];
    }
    return out;
}

// The length of the character at the start of a code page 932 text, as the
// decoder takes it.
std::size_t CharacterLength(std::string_view text)
{
    return text.size() >= 2 && core::IsCp932LeadByte(static_cast<unsigned char>(text[0])) &&
                   core::IsCp932TrailByte(static_cast<unsigned char>(text[1]))
               ? 2
               : 1;
}

// The offset of the first character of a code page 932 text that decodes
// to c; 0 when none does.
std::size_t FindCharacter(std::string_view text, char32_t c)
{
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = CharacterLength(text.substr(i));
        const std::u16string decoded = core::DecodeCp932(text.substr(i, length));
        if (decoded.size() == 1 && decoded[0] == c)
            return i;
        i += length;
    }
    return 0;
}

class Linter
{
public:
    Linter(const LintDevice& device, surface::TPrinterCanvas& canvas,
           const std::function<void(const Finding&)>& onFinding)
        : m_device(device), m_canvas(canvas), m_onFinding(onFinding),
          m_cells(device.Area.PaperWidth, device.Area.PaperHeight)
    {}

    // last: no piece follows this one.
    void Piece(const LinePiece& piece, bool last)
    {
        m_stop = piece.Raw.ends_with('\n')
                     ? std::pair(piece.Line + 1, 1)
                     : std::pair(piece.Line, piece.Column + static_cast<int>(piece.Raw.size()));
        if (piece.Number == 1 && piece.Raw.starts_with(core::Utf8ByteOrderMark)) {
            m_byteOrderMark = true;
            Report(piece.Line, 0, false, LintCode::Utf8ByteOrderMark, {});
        }
        m_sniffer.Feed(piece.Raw, piece.Line);
        const int column = piece.Column > 1 ? piece.Column : 0;
        if (piece.Column > 1 && piece.Line != m_longLine) {
            m_longLine = piece.Line;
            Report(piece.Line, 0, false, LintCode::LongLine, {});
        }

        std::string_view bytes = piece.Bytes;
        if (bytes.ends_with('\n'))
            bytes.remove_suffix(1);
        if (const std::size_t bad = core::FindInvalidCp932(bytes); bad != std::string_view::npos) {
            const bool pair = core::IsCp932LeadByte(static_cast<unsigned char>(bytes[bad])) &&
                              bad + 1 < bytes.size();
            Report(piece.Line, piece.Column + static_cast<int>(bad), false, LintCode::NotCp932,
                   {Hex(bytes.substr(bad, pair ? 2 : 1))});
        }

        ParseDetail detail;
        try {
            if (ParsePrintLine(m_record, piece.Bytes, detail) != 1) {
                Report(piece.Line, column, true, LintCode::FieldEmpty,
                       {std::to_string(detail.RejectedField)});
                return;
            }
        } catch (const core::EConvertError& e) {
            ++m_conversions;
            Report(piece.Line, column, true, LintCode::Conversion,
                   // The message quotes the field with its control bytes escaped.
                   {core::Cp932ToUtf8(core::FormatErrorMessage(e.Message()))});
            return;
        }
        Entry(piece, detail.TextField, column);
        Printed(piece, detail.TextField, last, column);
    }

    // bytesAfterEnd: what stood after a 0x1A that ended the data.
    void Finish(std::size_t bytesAfterEnd)
    {
        if (bytesAfterEnd > 0)
            Report(m_stop.first, m_stop.second, false, LintCode::EndByte,
                   {std::to_string(bytesAfterEnd)});
        if (!m_byteOrderMark && m_sniffer.LooksUtf8())
            Report(m_sniffer.FirstLine(), 0, false, LintCode::Utf8Text, {});
        // A conversion error keeps the page from going out, and says so;
        // without one, a page that no entry marks still goes out, blank.
        if (m_printing == 0 && m_conversions == 0)
            Report(0, 0, false, LintCode::NoEntry, {});
    }

    LintSummary Summary() const { return m_summary; }

private:
    void Report(int line, int column, bool error, LintCode code, std::vector<std::string> values)
    {
        (error ? m_summary.Errors : m_summary.Warnings)++;
        m_onFinding(Finding{line, column, error, code, std::move(values)});
    }

    struct Measured
    {
        std::int32_t Width = 0;
        std::int32_t Height = 0;
        char32_t Undrawable = 0; // the job refuses the text for it
    };

    // The text's cell in the entry's font, as the job measures it.
    Measured Measure(const PrintRecord& record)
    {
        std::string& key = m_key;
        key.assign(reinterpret_cast<const char*>(&record.FontSize), sizeof record.FontSize);
        key += record.Text;
        if (const auto found = m_measured.find(key); found != m_measured.end())
            return found->second;
        if (m_measured.size() >= MeasureCacheLimit)
            m_measured.clear();
        m_canvas.Font().SetSize(record.FontSize);
        // What the job refuses is a finding here: the rest is judged.
        const surface::MeasuredText text =
            m_canvas.MeasureText(record.Text, surface::UndrawableText::Measure);
        return m_measured.emplace(key, Measured{text.Width(), text.Height(), text.Undrawable()})
            .first->second;
    }

    // The text the parser gave the entry against what its piece holds, up
    // to the line end and the NUL byte included.
    void Printed(const LinePiece& piece, std::size_t textField, bool last, int column)
    {
        m_printing += EntryPrints(m_record) ? 1 : 0;
        std::string_view field = piece.Raw.substr(std::min(textField, piece.Raw.size()));
        if (field.ends_with('\n'))
            field.remove_suffix(1);
        const std::string_view held = HeldText(field);
        if (held == m_record.Text)
            return;
        LintCode code = LintCode::TextUnclosedQuote;
        if (piece.Bytes.size() < piece.Raw.size())
            code = LintCode::TextNulByte;
        else if (!piece.Raw.ends_with('\n'))
            code = last ? LintCode::TextNoLineEnd : LintCode::TextCut;
        const auto shown = [](std::string_view text) {
            return core::Cp932ToUtf8(core::EscapeControlChars(text));
        };
        Report(piece.Line, column, false, code, {shown(m_record.Text), shown(held)});
    }

    // textField: where the text's field begins in the piece.
    void Entry(const LinePiece& piece, std::size_t textField, int column)
    {
        const int line = piece.Line;
        const PrintRecord& r = m_record;
        if (r.FontSize <= 0 || r.FontSize > MaxFontSize)
            Report(line, column, false, LintCode::FontSize, {std::to_string(r.FontSize)});
        if (r.HorzAlign < 1 || r.HorzAlign > 3)
            Report(line, column, false, LintCode::HorzAlign, {std::to_string(r.HorzAlign)});
        if (r.VertAlign < 1 || r.VertAlign > 3)
            Report(line, column, false, LintCode::VertAlign, {std::to_string(r.VertAlign)});
        if (r.Framed != 0 && r.Framed != 1)
            Report(line, column, false, LintCode::Framed, {std::to_string(r.Framed)});

        const auto [width, height, undrawable] = Measure(r);
        if (undrawable != 0)
            Undrawable(piece, textField, undrawable);
        const core::TPrintAdjustment& adj = m_device.Adjustment;
        const EntryCell cell = PlaceCell(adj, r, width, height);
        // From the printable area's corner to the paper's.
        const CellIndex::Rect onPaper{static_cast<std::int64_t>(cell.X) + adj.PrinterOffsetX,
                                      static_cast<std::int64_t>(cell.Y) + adj.PrinterOffsetY,
                                      cell.Right() + adj.PrinterOffsetX,
                                      cell.Bottom() + adj.PrinterOffsetY};
        Place(line, column, onPaper);
        if (const int other = m_cells.Add(onPaper, line))
            Report(line, column, false, LintCode::Overlap, {std::to_string(other)});
    }

    // At the character's own column: the text starts after its opening quote.
    void Undrawable(const LinePiece& piece, std::size_t textField, char32_t c)
    {
        const std::size_t quote =
            textField < piece.Bytes.size() && piece.Bytes[textField] == '"' ? 1 : 0;
        const std::size_t at = textField + quote + FindCharacter(m_record.Text, c);
        char code[16];
        std::snprintf(code, sizeof code, "%04X", static_cast<unsigned>(c));
        Report(piece.Line, piece.Column + static_cast<int>(at), false, LintCode::NoFont,
               {QString::fromUcs4(&c, 1).toStdString(), code});
    }

    void Place(int line, int column, const CellIndex::Rect& c)
    {
        const surface::PageArea& a = m_device.Area;
        const std::int32_t dpiX = m_device.Adjustment.PrinterDpiX;
        const std::int32_t dpiY = m_device.Adjustment.PrinterDpiY;
        const auto within = [&](std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b) {
            return c.Left >= l && c.Top >= t && c.Right <= r && c.Bottom <= b;
        };
        const bool disjoint =
            c.Right <= 0 || c.Bottom <= 0 || c.Left >= a.PaperWidth || c.Top >= a.PaperHeight;
        const bool onPaper = within(0, 0, a.PaperWidth, a.PaperHeight);
        if (onPaper && within(a.PrintableLeft, a.PrintableTop, a.PrintableRight, a.PrintableBottom))
            return;
        std::vector<std::string> values = {Millimetres(c.Left, dpiX), Millimetres(c.Right, dpiX),
                                           Millimetres(c.Top, dpiY), Millimetres(c.Bottom, dpiY)};
        LintCode code = LintCode::OutsidePrintable;
        if (!onPaper) {
            code = disjoint ? LintCode::OffPaper : LintCode::PartlyOffPaper;
            values.push_back(Millimetres(a.PaperWidth, dpiX));
            values.push_back(Millimetres(a.PaperHeight, dpiY));
        } else {
            values.push_back(Millimetres(a.PrintableLeft, dpiX));
            values.push_back(Millimetres(a.PrintableRight, dpiX));
            values.push_back(Millimetres(a.PrintableTop, dpiY));
            values.push_back(Millimetres(a.PrintableBottom, dpiY));
        }
        Report(line, column, false, code, std::move(values));
    }

    const LintDevice& m_device;
    surface::TPrinterCanvas& m_canvas;
    const std::function<void(const Finding&)>& m_onFinding;
    PrintRecord m_record;
    CellIndex m_cells;
    Utf8Sniffer m_sniffer;
    std::unordered_map<std::string, Measured> m_measured;
    std::string m_key;
    LintSummary m_summary;
    int m_longLine = 0;
    bool m_byteOrderMark = false;
    int m_printing = 0;               // entries that put anything on the page
    int m_conversions = 0;            // lines that stop the job
    std::pair<int, int> m_stop{1, 1}; // line and column where the reading stopped
};

} // namespace

bool MarksEntry(LintCode code)
{
    switch (code) {
    case LintCode::Utf8ByteOrderMark:
    case LintCode::Utf8Text:
    case LintCode::EndByte:
    case LintCode::NoEntry:
        return false;
    default:
        return true;
    }
}

LintSummary LintDataFile(core::TextModeReader& reader, const LintDevice& device,
                         surface::TPrinterCanvas& canvas,
                         const std::function<void(const Finding&)>& onFinding)
{
    // Sizes in points become dots at the device's resolution, as in the job.
    canvas.Font().SyncPixelsPerInch(device.Adjustment.PrinterDpiY);
    Linter linter(device, canvas, onFinding);
    ReadPieces(reader, [&](const LinePiece& piece) {
        linter.Piece(piece, reader.AtEnd());
        return true;
    });
    linter.Finish(reader.BytesAfterEnd());
    return linter.Summary();
}

} // namespace print
