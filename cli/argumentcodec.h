#pragma once

#include <QString>
#include <string>

namespace cli {

// A command-line argument is a byte string; Qt's parser wants text. UTF-8 is
// decoded as such, and every byte that is not part of valid UTF-8 (a file
// name in Shift-JIS, say) becomes the lone surrogate U+DC80 + byte, which no
// valid UTF-8 yields, so EncodeArgument gives back the very bytes.
QString DecodeArgument(const std::string& bytes);
std::string EncodeArgument(const QString& text);

} // namespace cli
