#pragma once

#include <QFont>
#include <QString>
#include <cstdint>
#include <memory>
#include <string>

#include "fonts.h"
#include "tbrush.h"
#include "tfont.h"
#include "tpen.h"

class QFontMetrics;
class QPaintDevice;

namespace surface {

class TPrinter;

// A text laid out in the canvas font as it stood when the text was measured:
// a job places it by its cell and draws it with PutText without measuring it
// again.
class MeasuredText
{
public:
    std::int32_t Width() const { return m_width; }   // advance width, dots
    std::int32_t Height() const { return m_height; } // cell height (ascent + descent), dots
    // The first character no installed face can draw, 0 when every one can;
    // only a text measured with UndrawableText::Measure has one.
    char32_t Undrawable() const { return m_undrawable; }

private:
    friend class TPrinterCanvas;
    std::string m_bytes; // code page 932, as given
    QString m_text;
    QFont m_font;
    int m_ascent = 0;
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    char32_t m_undrawable = 0;
    UndrawableText m_undrawableText = UndrawableText::Refuse;
    // What the measurement depended on; PutText measures again if it changed.
    QPaintDevice* m_device = nullptr;
    std::int32_t m_fontHeight = 0;
    std::int32_t m_pixelsPerInch = 0;
};

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
    void PutText(std::int32_t x, std::int32_t y, const MeasuredText& text);

    // The text's width and cell height in the current font (the design's
    // TextCellWidth and TextCellHeight), in one measurement. A character no
    // installed face can draw is refused (EPrinter) unless undrawable says
    // to measure it.
    MeasuredText MeasureText(const std::string& textCp932,
                             UndrawableText undrawable = UndrawableText::Refuse);

    std::int32_t PenX() const { return m_x; }
    std::int32_t PenY() const { return m_y; }

    // The Qt font the current TFont settings select on this device.
    QFont DeviceFont();

private:
    struct MetricsCache; // the last font's metrics on the last device
    void Changing();     // the checks and the font resolution before drawing
    // The first character of text no installed face can draw, or 0.
    char32_t FindUndrawable(const QFontMetrics& metrics, const QString& text);
    void DrawText(std::int32_t x, std::int32_t y, const MeasuredText& text); // after Changing
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
