#pragma once

#include <array>
#include <cstddef>

namespace calibration::model {

// Where the measurement sheet puts what the user measures, in millimetres
// from the paper's top-left corner. The figure draws it, the derivation takes
// it as the nominal lengths, and the lengths' rules replace a wrong length
// with it.
struct SheetGeometry
{
    // The rectangle: X is its width, Y its height.
    static constexpr int Left = 10;
    static constexpr int Top = 10;
    static constexpr int Width = 150;
    static constexpr int Height = 200;
    static constexpr int Right = Left + Width;
    static constexpr int Bottom = Top + Height;
    // The cross mark: A is its distance from the left paper edge, B from the
    // top one.
    static constexpr int CrossX = 100;
    static constexpr int CrossY = 150;
};

// The four lengths measured on the sheet, in the order they are typed and
// stored.
enum class Length
{
    X,
    Y,
    A,
    B
};
inline constexpr std::size_t LengthCount = 4;

// Each length as printed when the printer has no error.
inline constexpr std::array<int, LengthCount> NominalMm = {
    SheetGeometry::Width, SheetGeometry::Height, SheetGeometry::CrossX, SheetGeometry::CrossY};

} // namespace calibration::model
