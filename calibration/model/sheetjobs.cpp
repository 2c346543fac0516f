#include "sheetjobs.h"

#include "documentscope.h"
#include "dots.h"
#include "sheetfigure.h"
#include "tprinter.h"
#include "tprintercanvas.h"

namespace calibration::model {

namespace {

void PrepareCanvas(surface::TPrinterCanvas& canvas)
{
    canvas.Brush().SetStyle(surface::bsClear);
    canvas.Pen().SetColor(surface::clBlack);
}

} // namespace

surface::DocumentOutput PrintMeasurementSheet(TMeasureState& state)
{
    QueryPrinter(state);
    surface::DocumentScope document(*surface::PrinterObject());
    surface::TPrinterCanvas& canvas = *surface::PrinterObject()->PageCanvas();
    PrepareCanvas(canvas);
    const TMeasureState s = state;
    // mm / 25.4 is formed in double for each coordinate, the rest at extended
    // precision.
    DrawSheetFigure(
        canvas, s.DpiX,
        [&](int mm) { return core::SheetDot(s.DpiX, mm / core::MmPerInch, s.PhysOffsetX); },
        [&](int mm) { return core::SheetDot(s.DpiY, mm / core::MmPerInch, s.PhysOffsetY); }, false);
    return document.Close();
}

surface::DocumentOutput PrintTestSheet(const TMeasureState& s)
{
    surface::DocumentScope document(*surface::PrinterObject());
    surface::TPrinterCanvas& canvas = *surface::PrinterObject()->PageCanvas();
    PrepareCanvas(canvas);
    DrawSheetFigure(
        canvas, s.DpiX,
        [&](int mm) {
            return core::CorrectedDot(mm, s.DerivedHorzOffset, s.DpiX, s.DerivedHorzScale, 0,
                                      s.PhysOffsetX);
        },
        [&](int mm) {
            return core::CorrectedDot(mm, s.DerivedVertOffset, s.DpiY, s.DerivedVertScale, 0,
                                      s.PhysOffsetY);
        },
        true);
    return document.Close();
}

} // namespace calibration::model
