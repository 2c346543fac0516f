// ocrprint-cli as a user runs it: a separate process, its exit status, its
// standard output and error, and the files it writes.
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include "clirun.h"
#include "testutil.h"

namespace {

using testutil::Q;
using testutil::Result;
using testutil::RunCli;
using testutil::TempDir;

struct UsageRow
{
    const char* name;
    QStringList args;
};

class CliUsage : public ::testing::TestWithParam<UsageRow>
{
};

// A usage error is one line saying what is wrong, and where to look.
TEST_P(CliUsage, ExitsTwoWithTheReason)
{
    const Result r = RunCli(GetParam().args);
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(testutil::IsUsageError(r.err)) << r.err;
    EXPECT_EQ(r.out, "");
}

INSTANTIATE_TEST_SUITE_P(
    Errors, CliUsage,
    ::testing::Values(
        UsageRow{"NoCommand", {}}, UsageRow{"UnknownCommand", {"frobnicate"}},
        UsageRow{"UnknownOption", {"print", "--colour"}},
        UsageRow{"DpiNotANumber", {"print", "-o", "x.pdf", "--dpi", "abc"}},
        UsageRow{"DpiZero", {"print", "-o", "x.pdf", "--dpi", "0"}},
        UsageRow{"DpiTooHigh", {"print", "-o", "x.pdf", "--dpi", "100000"}},
        UsageRow{"OffsetOneNumber", {"print", "-o", "x.pdf", "--offset", "5"}},
        UsageRow{"OffsetNegative", {"print", "-o", "x.pdf", "--offset", "-5,5"}},
        UsageRow{"OffsetSwallowsPage", {"print", "-o", "x.pdf", "--offset", "3000,10"}},
        UsageRow{"UnknownPaper", {"print", "-o", "x.pdf", "--paper", "A0"}},
        UsageRow{"FileOptionWithoutOutput", {"print", "--dpi", "300"}},
        UsageRow{"OutputAndPrinter", {"print", "-o", "x.pdf", "--printer", "p"}},
        UsageRow{"OutputNotPdfOrPng", {"print", "-o", "x.jpg"}},
        UsageRow{"MissingValue", {"print", "--data"}},
        UsageRow{"FormatUnknown", {"check", "--format", "xml"}},
        UsageRow{"StrictOnPrint", {"print", "--strict"}},
        UsageRow{"PreviewWithoutOutput", {"preview"}},
        UsageRow{"FormOnCheck", {"check", "--form", "f.png"}},
        UsageRow{"FormDpiWithoutForm", {"preview", "-o", "p.png", "--form-dpi", "300"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Cli, HelpAndVersion)
{
    const Result help = RunCli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--trace FILE"), std::string::npos);
    const Result version = RunCli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_NE(version.out.find("ocrprint-cli 3.2"), std::string::npos) << version.out;
}

// A data file and a settings file give exactly the dots of the mapping.
TEST(CliPrint, TraceHoldsTheExactDots)
{
    TempDir dir;
    testutil::WriteFileBytes(dir.File("ocrdat.prn"),
                             "50,50,12,1,0,1,a,b,c,d,e,ABC\r\n"
                             "30,40,10,1,1,1,a,b,c,d,e,\x8E\x52\x93\x63\r\n");
    // HorzOffset 1.5, VertOffset -1, VertScale 0, HorzScale -2
    testutil::WriteFileBytes(dir.File("ocrprn2.ini"),
                             "1.5\r\n-1\r\n0\r\n-2\r\n150\r\n200\r\n100\r\n150\r\n");
    const Result r = RunCli({"print", "--data", Q(dir.File("ocrdat.prn")), "--settings",
                             Q(dir.File("ocrprn2.ini")), "-o", Q(dir.File("out.pdf")), "--offset",
                             "100,100", "--trace", Q(dir.File("t.jsonl"))});
    ASSERT_EQ(r.status, 0) << r.err;
    QFile trace(Q(dir.File("t.jsonl")));
    ASSERT_TRUE(trace.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = trace.readAll().trimmed().split('\n');
    ASSERT_EQ(lines.size(), 5) << trace.fileName().toStdString();
    const QJsonObject open = QJsonDocument::fromJson(lines[0]).object();
    EXPECT_EQ(open["title"].toString(), "OCR");
    EXPECT_EQ(open["dpi_x"].toInt(), 600);
    EXPECT_EQ(open["offset_x"].toInt(), 100);
    const QJsonObject first = QJsonDocument::fromJson(lines[1]).object();
    // (50 + 1.5) / 25.4 * (600 - 2) - 100 = 1112.48, (50 - 1) / 25.4 * 600 - 100 = 1057.48
    EXPECT_EQ(first["x"].toInt(), 1112);
    EXPECT_EQ(first["y"].toInt(), 1057);
    EXPECT_EQ(first["height"].toInt(), -100);
    const QJsonObject second = QJsonDocument::fromJson(lines[2]).object();
    EXPECT_EQ(second["text"].toString(), QString::fromUtf8("山田"));
    // (30 + 1.5) / 25.4 * 598 - 100 = 641.61, (40 - 1) / 25.4 * 600 - 100 = 821.26
    EXPECT_EQ(second["x"].toInt(), 641);
    EXPECT_EQ(second["y"].toInt(), 821);
    EXPECT_EQ(QJsonDocument::fromJson(lines[3]).object()["op"].toString(), "roundrect");
    EXPECT_EQ(QJsonDocument::fromJson(lines[4]).object()["op"].toString(), "close");
    // The settings file is read, never written.
    EXPECT_EQ(testutil::ReadFileBytes(dir.File("ocrprn2.ini")),
              "1.5\r\n-1\r\n0\r\n-2\r\n150\r\n200\r\n100\r\n150\r\n");
    EXPECT_TRUE(QFile::exists(Q(dir.File("out.pdf"))));
}

TEST(CliPrint, MissingDataFileIsAnError)
{
    TempDir dir;
    const Result r = RunCli(
        {"print", "--data", Q(dir.File("none.prn")), "-o", Q(dir.File("o.pdf"))}, dir.Path());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "ocrprint-cli: " + dir.File("none.prn") + ": ocrdat.prn が見つかりません\n");
    EXPECT_FALSE(QFile::exists(Q(dir.File("o.pdf"))));
}

TEST(CliPrint, ConversionErrorWordedAsTheErrorBox)
{
    TempDir dir;
    testutil::WriteFileBytes(dir.File("d.prn"),
                             "10,10,9,1,0,1,a,b,c,d,e,ok\nabc,1,2,3,4,5,a,b,c,d,e,x\n");
    const Result r =
        RunCli({"print", "--data", Q(dir.File("d.prn")), "-o", Q(dir.File("o.png"))}, dir.Path());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "ocrprint-cli: 'abc' は浮動小数点数ではありません.\n");
    EXPECT_FALSE(QFile::exists(Q(dir.File("o.png")))) << "an abandoned page must not be written";
}

TEST(CliCheck, ReportsEveryLineThatWouldNotPrint)
{
    TempDir dir;
    std::string data = "10,10,9,1,0,1,a,b,c,d,e,ok\r\n"                  // 1 fine
                       "\r\n"                                            // 2 empty
                       "10,10,9,1,0,1,,b,c,d,e,x\r\n"                    // 3 field 7 empty
                       "abc,1,2,3,4,5,a,b,c,d,e,x\r\n"                   // 4 conversion error
                       "10,10,9 ,1,0,1,a,b,c,d,e,x\r\n";                 // 5 integer error
    data += "10,10,9,1,0,1,a,b,c,d,e," + std::string(300, 'A') + "\r\n"; // 6, two pieces
    data += "10,10,9,1,0,1,a,b,c,d,e,last";                              // 7 no line end
    const std::string path = dir.File("d.prn");
    testutil::WriteFileBytes(path, data);
    const Result r = RunCli({"check", "--data", Q(path), "--dpi", "600"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, path + ":2: error: field 1 is empty: the line is skipped\n" + path +
                         ":3: error: field 7 is empty: the line is skipped\n" + path +
                         ":4: error: 'abc' は浮動小数点数ではありません.\n" + path +
                         ":5: error: '9 ' は整数ではありません.\n" + path +
                         ":6: warning: the line is cut after 255 bytes: the text of this piece "
                         "prints as \"\", not \"" +
                         std::string(255 - 24, 'A') + "\"\n" + path +
                         ":6: warning: the line is longer than 254 bytes: it is read in pieces "
                         "of 255 bytes, each one as a line of its own\n" +
                         path + ":6:256: error: field 1 is empty: the line is skipped\n" + path +
                         ":7: warning: the line has no line end: its text prints as \"\", not "
                         "\"last\"\n");

    testutil::WriteFileBytes(dir.File("good.prn"), "10,10,9,1,0,1,a,b,c,d,e,ok\n");
    const Result good = RunCli({"check", "--data", Q(dir.File("good.prn")), "--dpi", "600"});
    EXPECT_EQ(good.status, 0);
    EXPECT_EQ(good.out, "");
}

TEST(CliShow, ListsTheEightValuesInFileOrder)
{
    TempDir dir;
    testutil::WriteFileBytes(dir.File("s.ini"), "35\r\n-2.5\r\n-1\r\n2.5\r\nabc\r\n");
    const Result r = RunCli({"show", "--settings", Q(dir.File("s.ini"))});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "HorzOffset 35\nVertOffset -2.5\nVertScale -1\nHorzScale 2.5\n"
                     "MeasuredX 0\nMeasuredY 200\nMeasuredA 100\nMeasuredB 150\n");
}

} // namespace
