// Without a Japanese font (fontconfig sees DejaVu only), a job whose texts no
// face can draw fails before anything reaches the printer: exit 1, a message
// naming the package to install, no file, no job. The tool runs in a child
// process, where a private fontconfig configuration hides every other font.
#include <QFile>
#include <gtest/gtest.h>

#include <filesystem>

#include "clirun.h"
#include "cupsscheduler.h"
#include "testutil.h"

namespace cupstest {
namespace {

using testutil::Q;

constexpr const char* DejaVu = "/usr/share/fonts/truetype/dejavu";

struct FontRow
{
    const char* name;
    QStringList args;    // "@" stands for the test's directory
    const char* data;    // written to @/d.prn
    const char* output;  // the file it must not leave, relative to @; nullptr: none
    bool onQueue;        // printed on the scheduler's "ocrtest"
    const char* message; // the whole of standard error; nullptr: success
};

void PrintTo(const FontRow& row, std::ostream* os)
{
    *os << row.name;
}

class MissingFontTest : public CupsTest, public ::testing::WithParamInterface<FontRow>
{
};

TEST_P(MissingFontTest, FailsBeforeThePrinterWithThePackageNamed)
{
    const FontRow& row = GetParam();
    if (!std::filesystem::is_directory(DejaVu))
        GTEST_SKIP() << DejaVu << " is not installed";
    Scheduler().RestoreQueues();
    testutil::TempDir dir;
    testutil::WriteFileBytes(dir.File("fonts.conf"),
                             "<?xml version=\"1.0\"?>\n<fontconfig>\n<dir>" + std::string(DejaVu) +
                                 "</dir>\n<cachedir>" + dir.File("fccache") +
                                 "</cachedir>\n</fontconfig>\n");
    testutil::WriteFileBytes(dir.File("d.prn"), row.data);
    const testutil::ScopedEnv fonts("FONTCONFIG_FILE", dir.File("fonts.conf"));
    QStringList args;
    for (const QString& arg : row.args)
        args << QString(arg).replace("@", Q(dir.Path()));
    const int before = Scheduler().LastJobId();

    const testutil::Result r = testutil::RunCli(args, dir.Path());
    if (!row.message) {
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(QFile::exists(Q(dir.File(row.output))));
        return;
    }
    EXPECT_EQ(r.status, 1);
    // On a queue without a calibration, that is said first.
    EXPECT_TRUE(r.err.ends_with("ocrprint-cli: " + std::string(row.message) + ".\n")) << r.err;
    if (row.output) {
        EXPECT_FALSE(QFile::exists(Q(dir.File(row.output))));
    }
    if (row.onQueue) {
        EXPECT_EQ(Scheduler().LastJobId(), before) << "a job reached the scheduler";
    }
}

constexpr const char* Declaration =
    "10,10,9,1,0,1,a,b,c,d,e,12\n10,20,9,1,0,1,a,b,c,d,e,\x90\x5c\x8d\x90\n"; // 申告
constexpr const char* NoFontForShin =
    "「申」(U+7533) を印刷できるフォントがありません。"
    "日本語フォントの fonts-ipafont-gothic をインストールしてください";

INSTANTIATE_TEST_SUITE_P(
    Jobs, MissingFontTest,
    ::testing::Values(FontRow{"DeclarationToPdf",
                              {"print", "--data", "@/d.prn", "-o", "@/o.pdf"},
                              Declaration,
                              "o.pdf",
                              false,
                              NoFontForShin},
                      FontRow{"DeclarationToPng",
                              {"print", "--data", "@/d.prn", "-o", "@/o.png"},
                              Declaration,
                              "o.png",
                              false,
                              NoFontForShin},
                      FontRow{"DeclarationOnAQueue",
                              {"print", "--data", "@/d.prn", "--printer", "ocrtest"},
                              Declaration,
                              nullptr,
                              true,
                              NoFontForShin},
                      // The sheet's first Japanese text is its title.
                      FontRow{"MeasurementSheet",
                              {"sheet", "--printer", "ocrtest"},
                              "",
                              nullptr,
                              true,
                              "「誤」(U+8AA4) を印刷できるフォントがありません。"
                              "日本語フォントの fonts-ipafont-gothic をインストールしてください"},
                      // Texts the face at hand can draw still print.
                      FontRow{"LatinTextsPrint",
                              {"print", "--data", "@/d.prn", "-o", "@/o.pdf"},
                              "10,10,9,1,0,1,a,b,c,d,e,12 ABC\n",
                              "o.pdf",
                              false,
                              nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace cupstest
