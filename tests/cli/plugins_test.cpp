// The parts only some commands need (libcsv for convert --csv, poppler for a
// PDF form) come as plugins: the other commands never load them, the commands
// that need them do, and an installation without them says so and exits 1.
#include <QStringList>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <utility>
#include <vector>

#include "clirun.h"
#include "files.h"

namespace {

using testutil::Q;
using testutil::Result;
using testutil::TempDir;

// The settings every row prints with; the sample as data, as CSV, the form as
// a PDF.
QStringList Args(const TempDir& dir, const QStringList& command)
{
    const QString examples = Q(testutil::SourceDir() + "/examples/");
    QStringList args = command;
    args.replaceInStrings("SAMPLE.prn", examples + "ocrdat.prn");
    args.replaceInStrings("SAMPLE.csv", examples + "ocrdat.csv");
    args.replaceInStrings("FORM.pdf", examples + "blank-form.pdf");
    args.replaceInStrings("OUT/", Q(dir.Path() + "/"));
    args.replaceInStrings("SETTINGS", Q(dir.File("ocrprn2.ini")));
    return args;
}

void WriteSettings(const TempDir& dir)
{
    testutil::WriteFileBytes(dir.File("ocrprn2.ini"),
                             "0\r\n0\r\n0\r\n0\r\n150\r\n200\r\n100\r\n150\r\n");
}

// Whether the loader's report names a library of that name as initialised:
// "calling init: /lib/x86_64-linux-gnu/libcsv.so.3".
bool Initialised(const std::string& report, const std::string& library)
{
    std::istringstream lines(report);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t at = line.find("calling init: ");
        if (at != std::string::npos &&
            std::filesystem::path(line.substr(at + 14)).filename().string().starts_with(library))
            return true;
    }
    return false;
}

struct LoadRow
{
    const char* name;
    QStringList command;
    std::vector<std::pair<const char*, bool>> libraries; // as the dynamic loader names
                                                         // their files; whether loaded
};

class LoadsOnlyWhatItUses : public testing::TestWithParam<LoadRow>
{
};

TEST_P(LoadsOnlyWhatItUses, AsTheDynamicLoaderReports)
{
    const LoadRow& row = GetParam();
    TempDir dir;
    WriteSettings(dir);
    testutil::CliInput input;
    input.tmpdir = dir.Path();
    input.env << "LD_DEBUG=libs";
    const Result r = testutil::RunCli(Args(dir, row.command), input);
    ASSERT_EQ(r.status, 0) << r.err.substr(r.err.size() > 2000 ? r.err.size() - 2000 : 0);
    for (const auto& [library, loaded] : row.libraries)
        EXPECT_EQ(Initialised(r.err, library), loaded) << library;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LoadsOnlyWhatItUses,
    testing::Values(
        LoadRow{"Print",
                {"print", "--data", "SAMPLE.prn", "--settings", "SETTINGS", "-o", "OUT/a.pdf"},
                {{"libpoppler", false}, {"libcsv", false}}},
        LoadRow{"Check",
                {"check", "--data", "SAMPLE.prn", "--settings", "SETTINGS", "--dpi", "600"},
                {{"libpoppler", false}}},
        LoadRow{"Convert", {"convert", "SAMPLE.csv", "-o", "OUT/a.prn"}, {{"libpoppler", false}}},
        LoadRow{"ConvertCsv",
                {"convert", "--csv", "SAMPLE.csv", "-o", "OUT/a.prn"},
                {{"libcsv", true}}},
        LoadRow{"PreviewOnAPdfForm",
                {"preview", "--data", "SAMPLE.prn", "--settings", "SETTINGS", "--form", "FORM.pdf",
                 "-o", "OUT/a.png"},
                {{"libpoppler", true}, {"libcsv", false}}}),
    [](const auto& info) { return std::string(info.param.name); });

struct MissingRow
{
    const char* name;
    QStringList command;
    const char* message; // what the one line on standard error says after the input's name
    const char* plugin;
    const char* output; // which it must not leave behind
};

class WithoutItsPlugin : public testing::TestWithParam<MissingRow>
{
};

// The tool copied where no plugin directory is beside it: an installation
// that lost its plugins.
TEST_P(WithoutItsPlugin, SaysSoAndExits1)
{
    const MissingRow& row = GetParam();
    TempDir dir;
    WriteSettings(dir);
    std::filesystem::create_directory(dir.File("bin"));
    std::filesystem::copy_file(testutil::BinDir() + "/ocrprint-cli", dir.File("bin/ocrprint-cli"));
    testutil::CliInput input;
    input.tmpdir = dir.Path();
    input.program = dir.File("bin/ocrprint-cli");
    const Result r = testutil::RunCli(Args(dir, row.command), input);
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_TRUE(r.err.starts_with("ocrprint-cli: ")) << r.err;
    EXPECT_NE(r.err.find(row.message), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(dir.Path() + "/lib/ocrprint/plugins/" + row.plugin), std::string::npos)
        << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File(row.output)));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WithoutItsPlugin,
    testing::Values(MissingRow{"CsvReader",
                               {"convert", "--csv", "SAMPLE.csv", "-o", "OUT/out.prn"},
                               ": cannot load the CSV reader: ",
                               "ocrprint-csv.so",
                               "out.prn"},
                    MissingRow{"PdfFormReader",
                               {"preview", "--data", "SAMPLE.prn", "--settings", "SETTINGS",
                                "--paper", "A4", "--form", "FORM.pdf", "-o", "OUT/out.png"},
                               ": cannot load the PDF form reader: ",
                               "ocrprint-pdfform.so",
                               "out.png"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
