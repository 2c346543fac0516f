#pragma once

#include <cstdint>
#include <string>

namespace print {

// One entry of the data file. The text stays code page 932 bytes.
struct PrintRecord
{
    double PosX = 0;
    double PosY = 0;
    std::int32_t FontSize = 0;
    std::int32_t HorzAlign = 0;
    std::int32_t Framed = 0;
    std::int32_t VertAlign = 0;
    std::string Text;
};

} // namespace print
