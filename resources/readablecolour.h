#pragma once

#include <QColor>

namespace resources {

// WCAG 2 relative luminance of colour (0 black .. 1 white).
double RelativeLuminance(const QColor& colour);

// WCAG 2 contrast ratio of two colours, 1 .. 21.
double ContrastRatio(const QColor& a, const QColor& b);

// The text contrast the windows keep: WCAG's for normal text.
inline constexpr double ReadableContrast = 4.5;

// Whether white contrasts more than black on background: a dark theme's face.
bool IsDark(const QColor& background);

// colour as the layout gives it, for text on background. On a dark
// background (IsDark) it is made lighter,
// hue and saturation kept, until it contrasts ReadableContrast; on a light one
// it stays as it is.
QColor ReadableOn(const QColor& colour, const QColor& background);

} // namespace resources
