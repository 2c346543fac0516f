// Throughput of the data file reader and the line parser on one core: reads
// the given file as the declaration job does and parses every piece.
#include <chrono>
#include <cstdio>
#include <sys/stat.h>

#include "declarationjob.h"
#include "econverterror.h"
#include "parseprintline.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_parse DATA\n");
        return 2;
    }
    struct stat st
    {
    };
    if (stat(argv[1], &st) != 0)
        return 1;
    print::PrintRecord record;
    long accepted = 0;
    long errors = 0;
    const auto start = std::chrono::steady_clock::now();
    print::ReadDataFile(argv[1], [&](int, const std::string& piece) {
        try {
            accepted += print::ParsePrintLine(record, piece);
        } catch (const core::EConvertError&) {
            ++errors;
        }
        return true;
    });
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double mb = static_cast<double>(st.st_size) / 1e6;
    std::printf("%.1f MB in %.3f s: %.1f MB/s (%ld entries, %ld errors)\n", mb, seconds,
                mb / seconds, accepted, errors);
    return 0;
}
