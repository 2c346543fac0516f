#pragma once
// Helpers of the settings file tests, which run without Qt.

#include <array>
#include <cstdlib>
#include <string>

#include "printadjustment.h"

namespace settingstest {

using Values = std::array<double, 8>; // in the order of the file's lines

inline constexpr Values Defaults = {0, 0, 0, 0, 150, 200, 100, 150};

inline Values FileOrder(const core::TPrintAdjustment& a)
{
    return {a.HorzOffset, a.VertOffset, a.VertScale, a.HorzScale,
            a.MeasuredX,  a.MeasuredY,  a.MeasuredA, a.MeasuredB};
}

inline core::TPrintAdjustment FromFileOrder(const Values& v)
{
    core::TPrintAdjustment a;
    a.HorzOffset = v[0];
    a.VertOffset = v[1];
    a.VertScale = v[2];
    a.HorzScale = v[3];
    a.MeasuredX = v[4];
    a.MeasuredY = v[5];
    a.MeasuredA = v[6];
    a.MeasuredB = v[7];
    return a;
}

inline double Number(const std::string& text)
{
    return std::strtod(text.c_str(), nullptr);
}

} // namespace settingstest
