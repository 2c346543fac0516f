#pragma once

#include <string>
#include <string_view>

namespace core {

// The path that stands for standard input (or output) on a command line.
inline constexpr std::string_view StandardStreamPath = "-";
// How a message names standard input, as compilers do.
inline constexpr std::string_view StandardInputName = "<stdin>";

// An input's path as a message names it.
inline std::string InputName(const std::string& path)
{
    return std::string(path == StandardStreamPath ? StandardInputName : path);
}

} // namespace core
