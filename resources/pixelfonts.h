#pragma once

class QWidget;

namespace resources {

// Designer forms know font sizes only in points, while the windows are laid
// out in character heights in pixels. Each form gives them as dynamic
// properties: "pixelHeight" on the window (its base height) and on every
// control with a height of its own, with "pixelBold" and "pixelFamily" where
// the layout names them. Applies them: a control's font is the window's face
// at its own height.
void ApplyPixelFonts(QWidget* window);

} // namespace resources
