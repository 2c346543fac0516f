// libFuzzer target: the data file's reader and line parser on arbitrary bytes.
// Any input must give entries, rejected lines or conversion errors: never a
// crash, a hang, a leak or undefined behaviour.
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "econverterror.h"
#include "parseprintline.h"
#include "textmodereader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = [] {
        char name[] = "/tmp/ocrprint-fuzz-XXXXXX";
        const int fd = mkstemp(name);
        if (fd >= 0)
            close(fd);
        return std::string(name);
    }();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    core::TextModeReader reader;
    if (!reader.Open(path))
        return 0;
    print::PrintRecord record;
    std::string piece;
    while (!reader.AtEnd()) {
        if (!reader.ReadLine(piece, 255))
            continue;
        if (piece.size() > 255)
            __builtin_trap();
        const auto nul = piece.find('\0');
        if (nul != std::string::npos)
            piece.resize(nul);
        try {
            if (print::ParsePrintLine(record, piece) == 1 && record.Text.size() > piece.size())
                __builtin_trap();
        } catch (const core::EConvertError&) {
        }
    }
    return 0;
}
