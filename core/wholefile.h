#pragma once

#include <cstddef>
#include <string>

namespace core {

// Reads fd to its end into bytes. False on a read error, or with errno EFBIG
// once more than limit bytes have come (bytes then empty).
bool ReadToEnd(int fd, std::string& bytes, std::size_t limit);

// Reads the whole regular file at path into bytes: the data file is taken at
// one moment, before anything of it is judged or drawn. False when it cannot
// be opened or read, or is not a regular file; a FIFO at the path is never
// waited on.
bool ReadRegularFile(const std::string& path, std::string& bytes);

} // namespace core
