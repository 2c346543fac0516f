#include "errortext.h"

#include <algorithm>
#include <string_view>

#include "cp932.h"

namespace core {

std::string FormatErrorMessage(const std::string& messageCp932)
{
    if (messageCp932.empty())
        return messageCp932;

    const std::string_view lastChar =
        std::string_view(messageCp932).substr(LastCp932Character(messageCp932));
    const std::string_view stop = ".";
    const bool above = std::lexicographical_compare(
        stop.begin(), stop.end(), lastChar.begin(), lastChar.end(), [](char a, char b) {
            return static_cast<unsigned char>(a) < static_cast<unsigned char>(b);
        });
    return above ? messageCp932 + "." : messageCp932;
}

} // namespace core
