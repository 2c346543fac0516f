// A data path that cannot be read: each kind gets its own message, on print
// and on check, and nothing is printed; a FIFO does not make the tool wait.
// Control bytes of the data come out escaped.
#include <QFile>
#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

#include "clirun.h"
#include "testutil.h"

namespace {

using testutil::Q;
using testutil::Result;
using testutil::RunCli;
using testutil::TempDir;

struct PathRow
{
    const char* name;
    // Makes the path in dir; returns false to skip the row, saying why in why.
    std::function<bool(const std::string& path, std::string& why)> make;
    const char* reason; // nullptr: the file is missing
};

void PrintTo(const PathRow& row, std::ostream* os)
{
    *os << row.name;
}

class UnreadableDataPath : public ::testing::TestWithParam<PathRow>
{
};

TEST_P(UnreadableDataPath, GetsItsOwnMessageAndPrintsNothing)
{
    const PathRow& row = GetParam();
    TempDir dir;
    const std::string path = dir.File("ocrdat.prn");
    std::string why;
    if (!row.make(path, why))
        GTEST_SKIP() << why;
    const std::string expected =
        "ocrprint-cli: " + path + ": " +
        (row.reason ? "ocrdat.prn を読み込めません（" + std::string(row.reason) + "）"
                    : std::string("ocrdat.prn が見つかりません"));

    const Result check = RunCli({"check", "--data", Q(path)}, dir.Path());
    EXPECT_EQ(check.status, 1);
    EXPECT_EQ(check.err, expected + "\n");
    EXPECT_EQ(check.out, "");

    const Result print =
        RunCli({"print", "--data", Q(path), "-o", Q(dir.File("o.pdf"))}, dir.Path());
    EXPECT_EQ(print.status, 1);
    EXPECT_EQ(print.err, expected + "\n");
    EXPECT_FALSE(QFile::exists(Q(dir.File("o.pdf"))));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, UnreadableDataPath,
    ::testing::Values(PathRow{"Missing", [](const std::string&, std::string&) { return true; },
                              nullptr},
                      PathRow{"Directory",
                              [](const std::string& path, std::string&) {
                                  return ::mkdir(path.c_str(), 0700) == 0;
                              },
                              "ディレクトリです"},
                      // No writer ever comes: a blocking open would wait for ever.
                      PathRow{"Fifo",
                              [](const std::string& path, std::string&) {
                                  return ::mkfifo(path.c_str(), 0600) == 0;
                              },
                              "通常のファイルではありません"},
                      PathRow{"NoReadPermission",
                              [](const std::string& path, std::string& why) {
                                  if (::geteuid() == 0) {
                                      why = "root reads a file whatever its mode";
                                      return false;
                                  }
                                  testutil::WriteFileBytes(path, "10,10,9,1,0,1,a,b,c,d,e,x\n");
                                  return ::chmod(path.c_str(), 0) == 0;
                              },
                              "読み取りの権限がありません"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CliCheck, ShowsControlBytesOfTheDataEscaped)
{
    TempDir dir;
    testutil::WriteFileBytes(dir.File("d.prn"), "\x1b[2J,10,9,1,0,1,a,b,c,d,e,x\n"
                                                "10,10,\x07"
                                                "9,1,0,1,a,b,c,d,e,x\n");
    const Result r = RunCli({"check", "--data", Q(dir.File("d.prn")), "--dpi", "600"});
    EXPECT_EQ(r.status, 1);
    const std::string path = dir.File("d.prn");
    EXPECT_EQ(r.out, path + ":1: error: '\\x1b[2J' は浮動小数点数ではありません.\n" + path +
                         ":2: error: '\\x079' は整数ではありません.\n");

    const Result print =
        RunCli({"print", "--data", Q(dir.File("d.prn")), "-o", Q(dir.File("o.pdf"))}, dir.Path());
    EXPECT_EQ(print.status, 1);
    EXPECT_EQ(print.err, "ocrprint-cli: '\\x1b[2J' は浮動小数点数ではありません.\n");
}

} // namespace
