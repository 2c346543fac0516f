#include "utf8data.h"

#include "cp932.h"

namespace core {

bool Utf8DataToCp932(std::string_view utf8, std::string& out, Utf8DataProblem& problem)
{
    if (utf8.substr(0, Utf8ByteOrderMark.size()) == Utf8ByteOrderMark)
        utf8.remove_prefix(Utf8ByteOrderMark.size());
    out.clear();
    out.reserve(utf8.size());
    std::size_t line = 1;
    std::size_t column = 0;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const unsigned char first = static_cast<unsigned char>(utf8[pos]);
        // ASCII stays as it is: the common case, kept out of the table.
        if (first < 0x80) {
            out.push_back(static_cast<char>(first));
            ++pos;
            if (first == '\n') {
                ++line;
                column = 0;
            } else if (first != '\r') {
                ++column;
            }
            continue;
        }
        ++column;
        const Utf8Char c = NextUtf8Char(utf8, pos);
        if (!c.Valid || !AppendCp932(c.CodePoint, out)) {
            problem.Line = line;
            problem.Column = column;
            problem.NotUtf8 = !c.Valid;
            problem.CodePoint = c.Valid ? c.CodePoint : 0;
            problem.Byte = first;
            return false;
        }
        pos += c.Length;
    }
    return true;
}

} // namespace core
