#pragma once

#include "tpen.h"

namespace surface {

enum TBrushStyle : int { bsSolid = 0, bsClear = 1 };

class TBrush
{
public:
    TBrushStyle Style() const { return m_style; }
    // Choosing bsClear also sets the colour to white.
    void SetStyle(TBrushStyle style)
    {
        m_style = style;
        if (style == bsClear)
            m_color = clWhite;
    }
    TColor Color() const { return m_color; }

private:
    TBrushStyle m_style = bsSolid;
    TColor m_color = clWhite;
};

} // namespace surface
