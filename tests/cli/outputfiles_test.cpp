// What ocrprint-cli writes: a failed write is an error that names the file and
// leaves the previous one as it was; devices, links and the command's own
// input files are never clobbered; standard output is checked too.
#include <QRegularExpression>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "clirun.h"
#include "files.h"
#include "smalltmpfs.h"

namespace {

using testutil::Q;
using testutil::ReadFileBytes;
using testutil::Result;
using testutil::RunCli;
using testutil::TempDir;
using testutil::WriteFileBytes;
namespace fs = std::filesystem;

std::string Sample()
{
    return testutil::SourceDir() + "/examples/ocrdat.prn";
}

// "@" in an argument stands for the test's directory.
QStringList Expand(const QStringList& args, const std::string& dir)
{
    QStringList out;
    for (const QString& arg : args)
        out << QString(arg).replace('@', Q(dir));
    return out;
}

const char* const Old = "the previous file, kept byte for byte";

// ------------------------------------------------------------ a full disk

struct FullRow
{
    const char* name;
    QStringList args; // the full file system is @/full, room elsewhere in @
    const char* file; // on it, holding Old before the run
};

class FullDisk : public ::testing::TestWithParam<FullRow>
{
};

TEST_P(FullDisk, ExitsOneNamesTheFileAndKeepsTheOldOne)
{
    const FullRow& row = GetParam();
    TempDir dir;
    fs::create_directory(dir.File("full"));
    const testutil::FullTmpfs full(dir.File("full"), {{row.file, Old}});
    if (!full.Mounted())
        GTEST_SKIP() << full.Why();
    const Result r = RunCli(Expand(row.args, dir.Path()), dir.Path());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(dir.File("full/") + row.file), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(std::strerror(ENOSPC)), std::string::npos) << r.err;
    EXPECT_EQ(ReadFileBytes(dir.File("full/") + row.file), Old);
    std::set<std::string> entries;
    for (const auto& entry : fs::directory_iterator(dir.File("full")))
        entries.insert(entry.path().filename().string());
    EXPECT_EQ(entries, (std::set<std::string>{row.file, testutil::FullTmpfs::Filler}));
}

INSTANTIATE_TEST_SUITE_P(
    Output, FullDisk,
    ::testing::Values(
        FullRow{"Pdf", {"sheet", "-o", "@/full/out.pdf"}, "out.pdf"},
        FullRow{"Png", {"sheet", "-o", "@/full/out.png", "--dpi", "100"}, "out.png"},
        FullRow{"Trace", {"sheet", "-o", "@/out.pdf", "--trace", "@/full/t.jsonl"}, "t.jsonl"},
        FullRow{
            "Settings",
            {"calibrate", "151", "200", "100", "150", "--settings", "@/full/s.ini", "--dpi", "600"},
            "s.ini"}),
    [](const auto& info) { return std::string(info.param.name); });

// ------------------------------------------------------------ what is at the path

bool IsCharacterDevice(const std::string& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 && S_ISCHR(st.st_mode);
}

struct TargetRow
{
    const char* name;
    std::function<bool(const TempDir&)> make; // false: needs root
    QStringList args;
    int status;
    const char* err; // a part of standard error
    std::function<void(const TempDir&)> check;
};

class Targets : public ::testing::TestWithParam<TargetRow>
{
};

TEST_P(Targets, AreNeverClobbered)
{
    const TargetRow& row = GetParam();
    TempDir dir;
    WriteFileBytes(dir.File("data.prn"), ReadFileBytes(Sample()));
    WriteFileBytes(dir.File("s.ini"), "1\r\n2\r\n");
    ::chmod(dir.File("s.ini").c_str(), 0600);
    if (!row.make(dir))
        GTEST_SKIP() << "mknod needs root";
    const Result r = RunCli(Expand(row.args, dir.Path()), dir.Path());
    EXPECT_EQ(r.status, row.status) << r.err;
    EXPECT_NE(r.err.find(row.err), std::string::npos) << r.err;
    row.check(dir);
    EXPECT_EQ(ReadFileBytes(dir.File("data.prn")), ReadFileBytes(Sample()));
    EXPECT_EQ(ReadFileBytes(dir.File("s.ini")), "1\r\n2\r\n");
}

bool Node(const TempDir& dir, const char* name, unsigned minor)
{
    return ::mknod(dir.File(name).c_str(), S_IFCHR | 0666, makedev(1, minor)) == 0;
}

bool Nothing(const TempDir&)
{
    return true;
}

void Unchecked(const TempDir&) {}

INSTANTIATE_TEST_SUITE_P(
    Output, Targets,
    ::testing::Values(
        TargetRow{"OutputIntoANullDevice", [](const TempDir& d) { return Node(d, "out.pdf", 3); },
                  QStringList{"sheet", "-o", "@/out.pdf"}, 0, "",
                  [](const TempDir& d) { EXPECT_TRUE(IsCharacterDevice(d.File("out.pdf"))); }},
        TargetRow{"OutputThroughALinkToAFullDevice",
                  [](const TempDir& d) {
                      fs::create_symlink("full", d.File("out.pdf"));
                      return Node(d, "full", 7);
                  },
                  QStringList{"sheet", "-o", "@/out.pdf"}, 1, "out.pdf: cannot write it: ",
                  [](const TempDir& d) {
                      EXPECT_TRUE(IsCharacterDevice(d.File("full")));
                      EXPECT_TRUE(fs::is_symlink(d.File("out.pdf")));
                  }},
        TargetRow{"TraceIntoANullDevice", [](const TempDir& d) { return Node(d, "t", 3); },
                  QStringList{"sheet", "-o", "@/o.pdf", "--trace", "@/t"}, 0, "",
                  [](const TempDir& d) { EXPECT_TRUE(IsCharacterDevice(d.File("t"))); }},
        TargetRow{"SettingsOnANullDevice", [](const TempDir& d) { return Node(d, "n.ini", 3); },
                  QStringList{"calibrate", "151", "200", "100", "150", "--settings", "@/n.ini",
                              "--dpi", "600"},
                  1, "cannot save the settings: ",
                  [](const TempDir& d) { EXPECT_TRUE(IsCharacterDevice(d.File("n.ini"))); }},
        TargetRow{"TraceOntoTheDataFile", Nothing,
                  QStringList{"print", "--data", "@/data.prn", "--settings", "@/s.ini", "-o",
                              "@/o.pdf", "--trace", "@/./data.prn"},
                  1, "is the data file",
                  [](const TempDir& d) { EXPECT_FALSE(fs::exists(d.File("o.pdf"))); }},
        TargetRow{
            "TraceOntoTheSettingsThroughALink",
            [](const TempDir& d) {
                fs::create_symlink("s.ini", d.File("link"));
                return true;
            },
            QStringList{"print", "--settings", "@/s.ini", "-o", "@/o.pdf", "--trace", "@/link"}, 1,
            "is the settings file", Unchecked},
        TargetRow{
            "TraceOntoTheProgramsOwnSettings",
            [](const TempDir& d) {
                fs::create_directories(d.File(".config/ocrprint"));
                fs::create_hard_link(d.File("s.ini"), d.File(".config/ocrprint/ocrprn2.ini"));
                return true;
            },
            QStringList{"sheet", "-o", "@/o.pdf", "--trace", "@/.config/ocrprint/ocrprn2.ini"}, 1,
            "is the settings file", Unchecked}),
    [](const auto& info) { return std::string(info.param.name); });

// ------------------------------------------------------------ outputs onto inputs

using testutil::Spelling;

struct ClashRow
{
    const char* name;
    QStringList args;   // OUT: the output aimed at target
    const char* target; // below @: an input, or o.pdf, another output of the command
    const char* err;    // what the refusal calls it
    // The settings file is never written through a link: its own refusal.
    const char* linkErr = nullptr;
};

void PrintTo(const ClashRow& row, std::ostream* os)
{
    *os << row.name;
}

class Clashes : public ::testing::TestWithParam<std::tuple<ClashRow, Spelling>>
{
};

// The program's own data and settings file in their places, a form and a text
// to convert; every writer aimed at each file its command reads or writes.
TEST_P(Clashes, AreRefusedBeforeAnythingIsWritten)
{
    const auto& [row, spelling] = GetParam();
    TempDir dir;
    fs::create_directories(dir.File("Documents"));
    fs::create_directories(dir.File(".config/ocrprint"));
    fs::copy_file(Sample(), dir.File("Documents/ocrdat.prn"));
    WriteFileBytes(dir.File(".config/ocrprint/ocrprn2.ini"), "1\r\n2\r\n");
    ::chmod(dir.File(".config/ocrprint/ocrprn2.ini").c_str(), 0600);
    fs::copy_file(testutil::SourceDir() + "/examples/blank-form.png", dir.File("form.png"));
    WriteFileBytes(dir.File("in.txt"), "10,10,12,1,0,1,,,,,,x\n");
    if (spelling == Spelling::HardLink && !fs::exists(dir.File(row.target)))
        WriteFileBytes(dir.File(row.target), Old); // another output: a file to link to

    const std::string out = testutil::Spell(dir, row.target, spelling);
    QStringList args = Expand(row.args, dir.Path());
    args.replaceInStrings(QRegularExpression("^OUT$"), Q(out));
    const auto before = dir.Snapshot();

    const TempDir runtime; // Qt's own files, which would land in TMPDIR
    testutil::CliInput input;
    input.tmpdir = dir.Path();
    input.env << "HOME=" + Q(dir.Path()) << "XDG_RUNTIME_DIR=" + Q(runtime.Path());
    const Result r = RunCli(args, input);
    EXPECT_EQ(r.status, 1) << r.err;
    if (spelling == Spelling::SymbolicLink && row.linkErr)
        EXPECT_NE(r.err.find(out + row.linkErr), std::string::npos) << r.err;
    else
        EXPECT_EQ(r.err, "ocrprint-cli: " + out + row.err + "\n");
    EXPECT_EQ(testutil::Changes(before, dir.Snapshot()), std::set<std::string>{});
}

std::string ClashName(const ::testing::TestParamInfo<std::tuple<ClashRow, Spelling>>& info)
{
    return std::string(std::get<0>(info.param).name) +
           testutil::SpellingName(std::get<1>(info.param));
}

constexpr const char* Data = "Documents/ocrdat.prn";
constexpr const char* Settings = ".config/ocrprint/ocrprn2.ini";
constexpr const char* IsData = " is the data file: not written";
constexpr const char* IsSettings = " is the settings file: not written";
constexpr const char* IsOutput = " is another output of the command: not written";
const QStringList Lengths = {"151", "200", "100", "150"};
const QStringList PdfOut = {"--format", "pdf", "-o", "OUT"};
const QStringList TraceOut = {"-o", "@/o.pdf", "--trace", "OUT"};
const QStringList Print = {"print"};
const QStringList Sheet = {"sheet"};
const QStringList TestPrint = QStringList{"test-print"} + Lengths;
const QStringList PreviewOnForm = {"preview", "--form", "@/form.png", "--format",
                                   "png",     "-o",     "OUT"};
const QStringList Convert = {"convert", "@/in.txt", "-o", "OUT"};

INSTANTIATE_TEST_SUITE_P(
    Output, Clashes,
    ::testing::Combine(
        ::testing::Values(
            ClashRow{"PrintOntoData", Print + PdfOut, Data, IsData},
            ClashRow{"PrintOntoSettings", Print + PdfOut, Settings, IsSettings},
            ClashRow{"PrintTraceOntoData", Print + TraceOut, Data, IsData},
            ClashRow{"PrintTraceOntoOutput", Print + TraceOut, "o.pdf", IsOutput},
            ClashRow{"PreviewOntoData", PreviewOnForm, Data, IsData},
            ClashRow{"PreviewOntoForm", PreviewOnForm, "form.png",
                     " is the form image: not written"},
            ClashRow{"PreviewOntoSettings", QStringList{"preview"} + PdfOut, Settings, IsSettings},
            ClashRow{"ConvertOntoItsInput", Convert, "in.txt", " is the input file: not written"},
            ClashRow{"ConvertOntoSettings", Convert, Settings, IsSettings},
            ClashRow{"SheetOntoData", Sheet + PdfOut, Data, IsData},
            ClashRow{"SheetTraceOntoSettings", Sheet + TraceOut, Settings, IsSettings},
            ClashRow{"SheetTraceOntoOutput", Sheet + TraceOut, "o.pdf", IsOutput},
            ClashRow{"TestPrintOntoData", TestPrint + PdfOut, Data, IsData},
            ClashRow{"TestPrintTraceOntoOutput", TestPrint + TraceOut, "o.pdf", IsOutput},
            ClashRow{"CalibrateOntoData",
                     QStringList{"calibrate"} + Lengths +
                         QStringList{"--settings", "OUT", "--dpi", "600"},
                     Data, IsData, ": cannot save the settings: "}),
        ::testing::ValuesIn(testutil::Spellings)),
    ClashName);

// ------------------------------------------------------------ standard output

struct StdoutRow
{
    const char* name;
    QStringList args;
    const char* err;
};

class FullStandardOutput : public ::testing::TestWithParam<StdoutRow>
{
};

TEST_P(FullStandardOutput, ExitsOne)
{
    const StdoutRow& row = GetParam();
    TempDir dir;
    WriteFileBytes(dir.File("s.ini"), "1\r\n");
    ::chmod(dir.File("s.ini").c_str(), 0600);
    WriteFileBytes(dir.File("bad.prn"), "not an entry\r\n"); // check lists it
    const Result r =
        testutil::RunCliWithOutput(Expand(row.args, dir.Path()), "/dev/full", dir.Path());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(row.err), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Output, FullStandardOutput,
    ::testing::Values(
        StdoutRow{"Show", {"show", "--settings", "@/s.ini"}, "cannot write standard output"},
        StdoutRow{"Check", {"check", "--data", "@/bad.prn"}, "cannot write standard output"},
        StdoutRow{
            "Calibrate",
            {"calibrate", "151", "200", "100", "150", "--settings", "@/s.ini", "--dpi", "600"},
            "cannot write standard output"},
        StdoutRow{"Trace",
                  {"sheet", "-o", "@/o.pdf", "--trace", "-"},
                  "cannot write the trace to standard output"},
        StdoutRow{"Document", {"sheet", "-o", "-"}, "cannot write standard output: "}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CliOutput, DashWritesThePdfToStandardOutput)
{
    TempDir dir;
    const Result r = RunCli({"sheet", "-o", "-"}, dir.Path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, 5), "%PDF-");
    EXPECT_NE(r.out.find("%%EOF"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir.File("-")));
}

} // namespace
