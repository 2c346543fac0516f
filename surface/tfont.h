#pragma once

#include <cstdint>

#include "tpen.h"

namespace surface {

// The canvas font. The jobs set only the size; the face is the Japanese gothic
// default, regular, black. A preview sets the colour of its own marks.
class TFont
{
public:
    // Size in points: the height is -MulDiv(size, PixelsPerInch, 72).
    void SetSize(std::int32_t points);
    std::int32_t Size() const; // -MulDiv(height, 72, PixelsPerInch)

    // Device height: negative asks for the character height, positive for the
    // cell height, 0 for the device's default.
    std::int32_t Height() const { return m_height; }
    void SetHeight(std::int32_t height) { m_height = height; }

    std::int32_t PixelsPerInch() const { return m_pixelsPerInch; }
    // Brings the resolution to ppi keeping the size in points.
    void SyncPixelsPerInch(std::int32_t ppi);

    TColor Color() const { return m_color; }
    void SetColor(TColor color) { m_color = color; }

    static constexpr std::int32_t ScreenPixelsPerInch = 96;

private:
    std::int32_t m_pixelsPerInch = ScreenPixelsPerInch;
    std::int32_t m_height = -12; // 9 points at 96 pixels per inch
    TColor m_color = clBlack;
};

} // namespace surface
