#pragma once

#include <QString>

class QFontMetrics;

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

// The first character of text that neither the font of metrics nor any face
// the font database falls back to can draw, or 0 when every one can be drawn.
// Control characters and the replacement character of a byte that does not
// decode are drawn as whatever the face has and are not asked about.
char32_t FirstUndrawable(const QFontMetrics& metrics, const QString& text);

// The package that brings the print face's first choice, named in the message
// of a job that has no face for its texts.
inline constexpr const char* JapaneseFontPackage = "fonts-ipafont-gothic";

// What measuring a text does when a character of it cannot be drawn by any
// installed face.
enum class UndrawableText
{
    Refuse,  // throws, as ThrowNoFontFor: the printing rule
    Measure, // measures it as it would be drawn, and names the character
};

// Throws core::EPrinter: character c cannot be drawn by any installed face,
// install JapaneseFontPackage. A page printed regardless would carry empty
// boxes where the entries should be.
[[noreturn]] void ThrowNoFontFor(char32_t c);

} // namespace surface
