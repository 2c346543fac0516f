#include "declarationjob.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <cstring>

#include "adjustmentrules.h"
#include "documentscope.h"
#include "dots.h"
#include "parseprintline.h"
#include "printercaps.h"
#include "textmodereader.h"
#include "tprinter.h"
#include "tprintercanvas.h"

namespace print {

namespace {

std::int32_t SaturatingAdd(std::int32_t a, std::int32_t b)
{
    const std::int64_t sum = static_cast<std::int64_t>(a) + b;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(sum, INT32_MIN, INT32_MAX));
}

// (size div 2) x (factor - 1), exact in 64 bits: a factor near the ends of
// the 32-bit range would overflow 32-bit arithmetic.
std::int64_t AnchorShift(std::int32_t size, std::int32_t factor)
{
    return static_cast<std::int64_t>(size / 2) * (static_cast<std::int64_t>(factor) - 1);
}

} // namespace

std::string PersonalFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return {};
    return QFile::encodeName(folder).toStdString();
}

std::string DataFilePath()
{
    const std::string folder = PersonalFolder();
    if (folder.empty())
        return DataFileName;
    return folder + "/" + DataFileName;
}

void QueryPrinter(core::TPrintAdjustment& adjustment)
{
    const surface::PrinterCaps caps = surface::QueryPrinterCaps();
    adjustment.PrinterDpiX = caps.DpiX;
    adjustment.PrinterDpiY = caps.DpiY;
    adjustment.PrinterOffsetX = caps.OffsetX;
    adjustment.PrinterOffsetY = caps.OffsetY;
}

EntryCell PlaceCell(const core::TPrintAdjustment& adj, const PrintRecord& record,
                    std::int32_t width, std::int32_t height)
{
    const std::int64_t dx = AnchorShift(width, record.HorzAlign);
    const std::int32_t x = core::CorrectedDot(record.PosX, adj.HorzOffset, adj.PrinterDpiX,
                                              adj.HorzScale, dx, adj.PrinterOffsetX);
    const std::int64_t dy = AnchorShift(height, record.VertAlign);
    const std::int32_t y = core::CorrectedDot(record.PosY, adj.VertOffset, adj.PrinterDpiY,
                                              adj.VertScale, dy, adj.PrinterOffsetY);
    return {x, y, width, height};
}

EntryCell DrawEntry(surface::TPrinterCanvas& canvas, const core::TPrintAdjustment& adj,
                    const PrintRecord& record, surface::UndrawableText undrawable)
{
    canvas.Font().SetSize(record.FontSize);
    // Measured once: the anchor, the text and its frame all use this cell.
    const surface::MeasuredText text = canvas.MeasureText(record.Text, undrawable);
    const EntryCell cell = PlaceCell(adj, record, text.Width(), text.Height());
    const std::int32_t x = cell.X;
    const std::int32_t y = cell.Y;

    canvas.PutText(x, y, text);

    if (record.Framed == 1) {
        canvas.Brush().SetStyle(surface::bsClear);
        canvas.Pen().SetColor(surface::clBlack);
        // The frame follows the printer's true resolution: a scale correction
        // moves entries, it does not thicken lines.
        canvas.Pen().SetWidth(core::LengthDots(adj.PrinterDpiX, 0.3L));
        canvas.DrawRoundRect(x, y, SaturatingAdd(x, text.Width()), SaturatingAdd(y, text.Height()),
                             core::LengthDots(adj.PrinterDpiX, 1.5L),
                             core::LengthDots(adj.PrinterDpiY, 1.5L));
    }
    return cell;
}

void ReadPieces(core::TextModeReader& reader, const std::function<bool(const LinePiece&)>& onPiece)
{
    std::string piece;
    LinePiece current;
    int line = 1;
    std::size_t column = 1;
    while (!reader.AtEnd()) {
        if (!reader.ReadLine(piece, LinePieceBytes))
            continue;
        current.Number++;
        current.Line = line;
        current.Column = static_cast<int>(std::min<std::size_t>(column, INT32_MAX));
        current.Raw = piece;
        // The line is handed on as a C string: a NUL byte ends it there.
        current.Bytes = std::string_view(piece.data(), std::min(piece.find('\0'), piece.size()));
        if (piece.back() == '\n') {
            ++line;
            column = 1;
        } else {
            column += piece.size();
        }
        if (!onPiece(current))
            break;
    }
}

bool LoadDataFile(const std::string& path, core::TextModeReader& reader)
{
    return reader.Open(path) && reader.ReadWhole();
}

bool EntryPrints(const PrintRecord& record)
{
    return !record.Text.empty();
}

bool ReadDataFile(const std::string& path,
                  const std::function<bool(int, const std::string&)>& onPiece)
{
    core::TextModeReader reader;
    if (!reader.Open(path))
        return false;
    std::string bytes;
    ReadPieces(reader, [&](const LinePiece& piece) {
        bytes.assign(piece.Bytes);
        return onPiece(piece.Number, bytes);
    });
    return true;
}

namespace {

// The job from the point where the data is open.
surface::DocumentOutput PrintOpenData(core::TPrintAdjustment& adjustment,
                                      core::TextModeReader& reader, int* printing)
{
    int drawn = 0;
    surface::TPrinter& printer = *surface::PrinterObject();
    printer.DocumentTitle = "OCR";
    surface::DocumentScope document(printer);

    surface::TPrinterCanvas& canvas = *printer.PageCanvas();
    PrintRecord record;
    ReadPieces(reader, [&](const LinePiece& piece) {
        if (ParsePrintLine(record, piece.Bytes) == 1) {
            DrawEntry(canvas, adjustment, record);
            drawn += EntryPrints(record) ? 1 : 0;
        }
        return true;
    });
    if (printing != nullptr)
        *printing = drawn;
    return document.Close();
}

} // namespace

std::optional<surface::DocumentOutput> PrintDeclaration(core::TPrintAdjustment& adjustment,
                                                        const std::string& path, int* printing)
{
    const std::string fileName = path.empty() ? DataFilePath() : path;
    QueryPrinter(adjustment);
    calibration::model::ClampCorrections(adjustment);

    core::TextModeReader reader;
    if (!LoadDataFile(fileName, reader))
        return std::nullopt;
    return PrintOpenData(adjustment, reader, printing);
}

surface::DocumentOutput PrintDeclaration(core::TPrintAdjustment& adjustment,
                                         core::TextModeReader& reader, int* printing)
{
    QueryPrinter(adjustment);
    calibration::model::ClampCorrections(adjustment);
    return PrintOpenData(adjustment, reader, printing);
}

} // namespace print
