#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "tbrush.h"
#include "tfont.h"
#include "tpen.h"

class QFont;
class QString;

namespace surface {

class TPrinter;

// The printer's canvas: device dots from the printable area's corner, texts in
// code page 932 bytes. Font, pen and brush keep their settings for the run.
class TPrinterCanvas
{
public:
    explicit TPrinterCanvas(TPrinter& printer);
    ~TPrinterCanvas();
    TPrinterCanvas(const TPrinterCanvas&) = delete;
    TPrinterCanvas& operator=(const TPrinterCanvas&) = delete;

    TFont& Font() { return m_font; }
    TPen& Pen() { return m_pen; }
    TBrush& Brush() { return m_brush; }

    void MovePenTo(std::int32_t x, std::int32_t y);
    void DrawLineTo(std::int32_t x, std::int32_t y);
    void DrawRectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
    void DrawRoundRect(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                       std::int32_t x3, std::int32_t y3);
    void PutText(std::int32_t x, std::int32_t y, const std::string& textCp932);
    std::int32_t TextCellWidth(const std::string& textCp932);
    std::int32_t TextCellHeight(const std::string& textCp932);

    std::int32_t PenX() const { return m_x; }
    std::int32_t PenY() const { return m_y; }

    // The Qt font the current TFont settings select on this device.
    QFont DeviceFont();

private:
    struct Measured;     // the font on the device, with one text's metrics
    struct MetricsCache; // the last font's metrics and the last text's width
    void Changing();     // the checks and the font resolution before drawing
    Measured Measure(const QString& text);
    void DrawShape(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, double rx,
                   double ry);

    TPrinter& m_printer;
    TFont m_font;
    TPen m_pen;
    TBrush m_brush;
    std::int32_t m_x = 0;
    std::int32_t m_y = 0;
    std::unique_ptr<MetricsCache> m_cache;
};

} // namespace surface
