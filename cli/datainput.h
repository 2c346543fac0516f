#pragma once

#include <cstddef>
#include <string>

namespace core {
class TextModeReader;
}

namespace cli {

// How the data file's bytes are to be read: as code page 932, as the window
// reads them, or as UTF-8, converted to the code page 932 bytes the window
// would read from the same file saved by a Windows program.
enum class DataEncoding
{
    Cp932,
    Utf8
};

// Parses the value of --encoding and --from; false for anything else.
bool ParseDataEncoding(const std::string& text, DataEncoding& encoding);

// The most data read from standard input: a pipe that never ends is refused
// at this size rather than read until the memory runs out.
inline constexpr std::size_t MaxStandardInputBytes = 64 * 1024 * 1024;

// Reads a whole regular file ("-": standard input, at most
// MaxStandardInputBytes) into bytes. False when it cannot be opened or read,
// with errno EFBIG when standard input goes on beyond the limit.
bool ReadWholeFile(const std::string& path, std::string& bytes);

// Says on standard error why the data file at path could not be opened, in
// the same words whichever way it was to be read.
void ReportDataFileOpenError(const std::string& path);

// What opening the data file for a command came to.
enum class DataOpen
{
    Opened,
    Missing,       // cannot be opened: the caller words it as the job does
    Unconvertible, // UTF-8 that has no code page 932 form: already reported
    Refused        // standard input unread (an error, beyond the limit): already reported
};

// Opens the data file at path into reader: directly, or, for UTF-8, read
// whole and converted in memory. A character that cannot be converted is
// reported on standard error as PATH:LINE:COLUMN: error: REASON.
DataOpen OpenDataFile(const std::string& path, DataEncoding encoding, core::TextModeReader& reader);

// Reads path ("-": standard input) whole into cp932: converted from UTF-8, or
// as it stands. A character that cannot be converted is reported as above.
DataOpen LoadDataBytes(const std::string& path, DataEncoding encoding, std::string& cp932);

} // namespace cli
