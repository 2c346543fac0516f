#pragma once

#include <QString>

namespace surface {

// Maps the Windows faces the printed texts ask for ("ＭＳ Ｐゴシック" and its
// relatives, "MS Sans Serif") to installed faces that render Japanese text.
// Safe to call more than once.
void InstallFontSubstitutions();

// The face every text of the canvas is printed in.
QString DefaultFaceName();

} // namespace surface
