#include "previewjob.h"

#include <algorithm>
#include <vector>

#include "declarationjob.h"
#include "documentscope.h"
#include "dots.h"
#include "econverterror.h"
#include "parseprintline.h"
#include "printercaps.h"
#include "tprinter.h"
#include "tprintercanvas.h"

namespace print {

namespace {

// The marks' pen and the line numbers' size: thin and small beside the
// entries, big enough to read on a screen.
constexpr long double MarkPenMm = 0.3L;
constexpr long double OutlinePenMm = 0.2L;
constexpr int LineNumberPoints = 6;
constexpr long double LeastMarkMm = 3;

struct Mark
{
    EntryCell Cell;
    int Line = 0;
};

std::int32_t Clamp(std::int64_t value, std::int64_t low, std::int64_t high)
{
    return static_cast<std::int32_t>(std::clamp(value, low, std::max(low, high)));
}

void DrawMark(surface::TPrinterCanvas& canvas, const Mark& mark, const surface::PageArea& paper,
              std::int32_t pen, std::int32_t least)
{
    // A cell off the paper is marked at the paper's edge nearest to it, by a
    // box big enough to be seen.
    const std::int64_t w = paper.PaperWidth;
    const std::int64_t h = paper.PaperHeight;
    const auto fit = [least](std::int64_t low, std::int64_t high, std::int64_t end,
                             std::int32_t& first, std::int32_t& last) {
        const std::int64_t a = std::clamp<std::int64_t>(low, 0, end - 1);
        const std::int64_t b = std::min(end, std::max(high, a + least));
        first = static_cast<std::int32_t>(std::max<std::int64_t>(0, std::min(a, b - least)));
        last = static_cast<std::int32_t>(b);
    };
    std::int32_t x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    fit(static_cast<std::int64_t>(mark.Cell.X) - pen, mark.Cell.Right() + pen, w, x1, x2);
    fit(static_cast<std::int64_t>(mark.Cell.Y) - pen, mark.Cell.Bottom() + pen, h, y1, y2);
    canvas.DrawRectangle(x1, y1, x2, y2);

    const std::string number = std::to_string(mark.Line);
    const surface::MeasuredText text = canvas.MeasureText(number);
    // Beside the box on the right, or on its left when the paper ends there.
    std::int64_t x = static_cast<std::int64_t>(x2) + pen;
    if (x + text.Width() > w)
        x = static_cast<std::int64_t>(x1) - pen - text.Width();
    canvas.PutText(Clamp(x, 0, w - text.Width()), Clamp(y1, 0, h - text.Height()), text);
}

} // namespace

surface::DocumentOutput PrintPreview(core::TextModeReader& reader, const surface::PageArea& judged,
                                     const MarkedLines& marked)
{
    surface::TPrinter& printer = *surface::PrinterObject();
    // A calibrated printer puts every entry at its place on the paper: no
    // correction, and the page's origin at the paper's corner.
    core::TPrintAdjustment adjustment;
    const surface::PrinterCaps caps = surface::QueryPrinterCaps();
    adjustment.PrinterDpiX = caps.DpiX;
    adjustment.PrinterDpiY = caps.DpiY;
    const surface::PageArea paper = printer.DeviceHandle()->Area();

    printer.DocumentTitle = "OCR";
    surface::DocumentScope document(printer);
    surface::TPrinterCanvas& canvas = *printer.PageCanvas();
    // White on paper is no ink: the form shows through around the texts.
    canvas.Brush().SetStyle(surface::bsClear);
    canvas.Font().SetColor(surface::clBlack);

    PrintRecord record;
    std::vector<Mark> marks;
    ReadPieces(reader, [&](const LinePiece& piece) {
        try {
            if (ParsePrintLine(record, piece.Bytes) != 1)
                return true;
        } catch (const core::EConvertError&) {
            return true;
        }
        // Drawn as it would come out, empty boxes and all: check marks it.
        const EntryCell cell =
            DrawEntry(canvas, adjustment, record, surface::UndrawableText::Measure);
        if (marked.count(piece.Line) != 0)
            marks.push_back({cell, piece.Line});
        return true;
    });

    canvas.Brush().SetStyle(surface::bsClear);
    canvas.Pen().SetColor(surface::clBlue);
    canvas.Pen().SetWidth(core::LengthDots(caps.DpiX, OutlinePenMm));
    canvas.DrawRectangle(judged.PrintableLeft, judged.PrintableTop, judged.PrintableRight,
                         judged.PrintableBottom);

    const std::int32_t pen = core::LengthDots(caps.DpiX, MarkPenMm);
    canvas.Pen().SetColor(surface::clRed);
    canvas.Pen().SetWidth(pen);
    canvas.Font().SetColor(surface::clRed);
    canvas.Font().SetSize(LineNumberPoints);
    for (const Mark& mark : marks)
        DrawMark(canvas, mark, paper, pen, core::LengthDots(caps.DpiX, LeastMarkMm));
    canvas.Font().SetColor(surface::clBlack);
    return document.Close();
}

} // namespace print
