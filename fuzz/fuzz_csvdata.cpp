// libFuzzer target: UTF-8 data and spreadsheets' CSV on arbitrary bytes. The
// UTF-8 path must give back exactly what it was given when it converts; the
// CSV reader must write only lines the program reads whole, each parsed
// without anything but a conversion error; never a crash, a hang, a leak or
// undefined behaviour.
#include <cstdint>
#include <string>
#include <string_view>

#include "cp932.h"
#include "csvdata.h"
#include "econverterror.h"
#include "parseprintline.h"
#include "textmodereader.h"
#include "utf8data.h"

namespace {

constexpr std::size_t MaxLine = 254;

void CheckDataFile(const std::string& data)
{
    // Every line ends with CR LF and no CR stands anywhere else.
    std::size_t lines = 0;
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (data[i] == '\r' && (i + 1 == data.size() || data[i + 1] != '\n'))
            __builtin_trap();
        if (data[i] == '\n') {
            if (i == 0 || data[i - 1] != '\r')
                __builtin_trap();
            ++lines;
        }
    }
    if (!data.empty() && data.back() != '\n')
        __builtin_trap();
    // Read as the job reads it: each line whole, in one piece.
    core::TextModeReader reader;
    reader.OpenBytes(data);
    print::PrintRecord record;
    std::string piece;
    std::size_t pieces = 0;
    while (!reader.AtEnd()) {
        if (!reader.ReadLine(piece, MaxLine + 1))
            continue;
        ++pieces;
        if (piece.back() != '\n' || piece.size() > MaxLine + 1)
            __builtin_trap();
        try {
            print::ParsePrintLine(record, piece);
        } catch (const core::EConvertError&) {
        }
    }
    if (pieces != lines)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(bytes), size);

    std::string cp932;
    core::Utf8DataProblem problem;
    if (core::Utf8DataToCp932(input, cp932, problem)) {
        // Every character converted decodes back to itself.
        std::string_view text = input;
        if (text.substr(0, core::Utf8ByteOrderMark.size()) == core::Utf8ByteOrderMark)
            text.remove_prefix(core::Utf8ByteOrderMark.size());
        if (core::Cp932ToUtf8(cp932) != text)
            __builtin_trap();
    } else {
        if (problem.Line == 0 || problem.Column == 0)
            __builtin_trap();
        cp932.assign(input); // the CSV reader on bytes of any kind too
    }

    std::string data;
    core::CsvDataProblem csvProblem;
    if (core::CsvToDataFile(cp932, MaxLine, data, csvProblem))
        CheckDataFile(data);
    else if (csvProblem.Row == 0)
        __builtin_trap();
    return 0;
}
