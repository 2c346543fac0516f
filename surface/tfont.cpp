#include "tfont.h"

#include "muldiv.h"

namespace surface {

void TFont::SetSize(std::int32_t points)
{
    m_height = -core::MulDiv(points, m_pixelsPerInch, 72);
}

std::int32_t TFont::Size() const
{
    return -core::MulDiv(m_height, 72, m_pixelsPerInch);
}

void TFont::SyncPixelsPerInch(std::int32_t ppi)
{
    if (ppi == m_pixelsPerInch)
        return;
    const std::int32_t points = Size();
    m_pixelsPerInch = ppi;
    SetSize(points);
}

} // namespace surface
