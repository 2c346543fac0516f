#pragma once

#include <initializer_list>

class QWidget;

namespace resources {

// One control's font: its character height in pixels, bold or not, and a face
// other than the window's where the layout names one.
struct PixelFont
{
    QWidget* Widget;
    int Pixels;
    bool Bold = false;
    const char16_t* Family = nullptr;
};

// Designer forms know font sizes only in points, while the windows are laid
// out in character heights in pixels: the window gets its base height, each
// listed control its own.
void ApplyPixelFonts(QWidget* window, int basePixels, std::initializer_list<PixelFont> controls);

} // namespace resources
