// Data files that are not what the program expects: a clear error or a page,
// never a crash or a hang.
#include <QFile>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

#include "datalint.h"
#include "declarationjob.h"
#include "econverterror.h"
#include "filedevice.h"
#include "testutil.h"
#include "textmodereader.h"
#include "tprinter.h"

namespace {

std::string RandomBytes(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

std::string Repeat(const std::string& piece, std::size_t totalBytes)
{
    std::string out;
    out.reserve(totalBytes + piece.size());
    while (out.size() < totalBytes)
        out += piece;
    return out;
}

struct BadRow
{
    const char* name;
    std::string (*make)();
    bool expectError; // a conversion error rather than a page
};

void PrintTo(const BadRow& row, std::ostream* os)
{
    *os << row.name;
}

class BadDataFile : public ::testing::TestWithParam<BadRow>
{
};

TEST_P(BadDataFile, GivesAnErrorOrAPage)
{
    testutil::TempDir dir;
    const std::string data = dir.File("ocrdat.prn");
    testutil::WriteFileBytes(data, GetParam().make());
    surface::FilePrinterOptions options;
    options.OutputPath = dir.File("out.pdf");
    surface::PrinterObject()->SetDevice(std::make_unique<surface::FileDevice>(options));
    core::TPrintAdjustment adjustment;
    bool converted = true;
    try {
        EXPECT_TRUE(print::PrintDeclaration(adjustment, data).has_value());
    } catch (const core::EConvertError& e) {
        converted = false;
        EXPECT_FALSE(e.Message().empty());
    }
    EXPECT_EQ(!converted, GetParam().expectError);
    EXPECT_FALSE(surface::PrinterObject()->Printing());
    EXPECT_EQ(QFile::exists(QString::fromStdString(options.OutputPath)), converted);

    // The check goes on to the end of the file whatever it meets, in the
    // file's order, and finds the error the job stopped at.
    core::TextModeReader reader;
    ASSERT_TRUE(reader.Open(data));
    print::LintDevice device;
    print::QueryPrinter(device.Adjustment);
    device.Area = surface::PrinterObject()->DeviceHandle()->Area();
    int last = 0;
    const print::LintSummary summary = print::LintDataFile(
        reader, device, *surface::PrinterObject()->PageCanvas(), [&](const print::Finding& f) {
            // The whole-file findings come last: UTF-8 on
            // its first line, no entry on none.
            if (f.Code != print::LintCode::Utf8Text && f.Line > 0) {
                EXPECT_GE(f.Line, last);
            }
            last = std::max(last, f.Line);
        });
    EXPECT_GE(summary.Errors, GetParam().expectError ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadDataFile,
    ::testing::Values(
        BadRow{"BinaryGarbage", [] { return RandomBytes(1 << 20, 7); }, true},
        BadRow{"NulBytesOnly", [] { return std::string(100000, '\0'); }, false},
        BadRow{"NulInsideALine", [] { return std::string("10,10,9,1,0,1,a,b,c,d,e,AB\0CD\n", 31); },
               false},
        BadRow{"FiftyMegabytesOfRejectedLines",
               [] { return Repeat("no commas here\r\n", 50u << 20); }, false},
        BadRow{"OneLineOfTenMegabytes", [] { return std::string(10u << 20, 'A') + "\n"; }, false},
        BadRow{"TenMegabytesOfCommas", [] { return std::string(10u << 20, ',') + "\n"; }, false},
        // Cut into pieces of 255 bytes: every other piece starts with a comma.
        BadRow{"LongLineOfNumbersAndCommas", [] { return Repeat("1,", 1u << 20) + "\n"; }, false},
        BadRow{"HugeAndTinyPositions",
               [] {
                   return std::string("1e308,1e308,10,1,1,1,a,b,c,d,e,far\n"
                                      "-1e308,4.9e-324,10,3,1,3,a,b,c,d,e,near\n"
                                      "1e309,1,10,1,0,1,a,b,c,d,e,beyond\n");
               },
               true},
        BadRow{"ExtremeFontSizes",
               [] {
                   return std::string("10,10,2147483647,1,1,1,a,b,c,d,e,big\n"
                                      "10,20,-2147483648,1,1,1,a,b,c,d,e,negative\n"
                                      "10,30,0,1,1,1,a,b,c,d,e,zero\n"
                                      "10,40,100000,2,1,2,a,b,c,d,e,X\n");
               },
               false},
        BadRow{"OnlyEofMarker",
               [] {
                   return std::string("\x1A"
                                      "10,10,9,1,0,1,a,b,c,d,e,x\n");
               },
               false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
