#include "readablecolour.h"

#include <algorithm>
#include <cmath>

namespace resources {

namespace {

double Linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

} // namespace

double RelativeLuminance(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * Linear(rgb.redF()) + 0.7152 * Linear(rgb.greenF()) +
           0.0722 * Linear(rgb.blueF());
}

double ContrastRatio(const QColor& a, const QColor& b)
{
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool IsDark(const QColor& background)
{
    return ContrastRatio(Qt::white, background) > ContrastRatio(Qt::black, background);
}

QColor ReadableOn(const QColor& colour, const QColor& background)
{
    if (!IsDark(background) || ContrastRatio(colour, background) >= ReadableContrast)
        return colour;
    // White reaches at least 4.58:1 on any dark background: the lightest
    // lightness that is still short of it and the first that is not.
    const QColor hsl = colour.toHsl();
    int low = hsl.lightness();
    int high = 255;
    while (high - low > 1) {
        const int middle = (low + high) / 2;
        const QColor tried = QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), middle).toRgb();
        if (ContrastRatio(tried, background) >= ReadableContrast)
            high = middle;
        else
            low = middle;
    }
    return QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), high, colour.alpha()).toRgb();
}

} // namespace resources
