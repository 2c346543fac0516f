#pragma once

#include <QString>

namespace surface {

// Maps the Windows faces the printed texts ask for ("ＭＳ Ｐゴシック" and its
// relatives, "MS Sans Serif") to installed faces that render Japanese text.
// Safe to call more than once.
void InstallFontSubstitutions();

// The face every text of the canvas is printed in.
QString DefaultFaceName();

// The installed face that stands in for DefaultFaceName(): the first of its
// substitutes that the font database has, else the name itself. Asking for it
// directly spares the font matcher a failed look-up and a fallback search for
// every new size.
QString PrintFaceName();

} // namespace surface
