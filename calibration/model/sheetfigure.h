#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace surface {
class TPrinterCanvas;
}

namespace calibration::model {

// One of the 27 drawing steps of the measurement sheet, in paper millimetres.
struct SheetStep
{
    enum Kind
    {
        ThickPen,
        Rectangle,
        ThinPen,
        FontSize,
        Text,
        Polyline
    };
    Kind What;
    std::vector<std::pair<int, int>> Points; // Rectangle: 2 corners; Text: 1; Polyline: 2 or 3
    int Size = 0;                            // FontSize and Text: points
    const char* SheetText = nullptr;         // UTF-8, as printed on the measurement sheet
    const char* TestText = nullptr;          // UTF-8, as printed on the test print
};

// The figure: the rectangle and the cross mark of SheetGeometry, the
// dimension lines and their labels.
const std::vector<SheetStep>& SheetFigure();

// How a point in paper millimetres becomes device dots.
using PointMapping = std::function<std::int32_t(int mm)>;

// Draws the figure on the canvas of an open document: pens from the true
// horizontal resolution, texts of the sheet or of the test print.
void DrawSheetFigure(surface::TPrinterCanvas& canvas, std::int32_t dpiX, const PointMapping& mapX,
                     const PointMapping& mapY, bool testPrint);

} // namespace calibration::model
