#pragma once

#include <cstdint>

namespace surface {

using TColor = std::int32_t;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clRed = 0x0000FF; // colours are 0xBBGGRR
inline constexpr TColor clBlue = 0xFF0000;

// The pen always copies its colour onto the page (the copy mode): no job asks
// for another mode, so the pen has none to set.
class TPen
{
public:
    TColor Color() const { return m_color; }
    void SetColor(TColor color) { m_color = color; }
    // Width in dots; 0 and 1 both draw one dot. A negative width is ignored.
    std::int32_t Width() const { return m_width; }
    void SetWidth(std::int32_t width)
    {
        if (width >= 0)
            m_width = width;
    }

private:
    TColor m_color = clBlack;
    std::int32_t m_width = 1;
};

} // namespace surface
