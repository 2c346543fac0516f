// check and preview as a user runs them: the findings' lines, the exit
// status, the JSON form read back, and the preview's raster.
#include <QColor>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <gtest/gtest.h>

#include "clirun.h"
#include "testutil.h"

namespace {

using testutil::Q;
using testutil::Result;
using testutil::RunCli;
using testutil::TempDir;

const std::string Fine = "50,50,10,1,0,1,a,b,c,,,A\r\n";
const std::string Warned = "50,60,10,7,0,1,a,b,c,,,B\r\n"; // alignment 7
const std::string Wrong = "5O,70,10,1,0,1,a,b,c,,,C\r\n";  // a letter O

// The first line of the sample with its text saved as UTF-8: F0 9F of the
// emoji read as code page 932 is U+E05E, a character no font has.
std::string SampleWithEmoji()
{
    std::string line = testutil::ReadFileBytes(testutil::SourceDir() + "/examples/ocrdat.prn");
    line.resize(line.find(",,,") + 3);
    return line + "\xF0\x9F\x98\x80\xE6\x9D\xB1\r\n"; // 😀東
}

struct ExitRow
{
    const char* name;
    std::string data;
    bool strict;
    int status;
    const char* findings; // code:line:column of each, in order; the column null for a line
};

class CheckExit : public ::testing::TestWithParam<ExitRow>
{
};

TEST_P(CheckExit, StatusFollowsTheWorstFinding)
{
    TempDir dir;
    testutil::WriteFileBytes(dir.File("d.prn"), GetParam().data);
    QStringList args = {"check",
                        "--data",
                        Q(dir.File("d.prn")),
                        "--settings",
                        Q(testutil::DefaultSettings(dir.File("none.ini"))),
                        "--paper",
                        "A4"};
    if (GetParam().strict)
        args << "--strict";
    const Result r = RunCli(args << "--format"
                                 << "json");
    EXPECT_EQ(r.status, GetParam().status) << r.out << r.err;
    EXPECT_EQ(r.err, "");
    std::string findings;
    for (const QByteArray& line : QByteArray::fromStdString(r.out).split('\n')) {
        if (line.isEmpty())
            continue;
        const QJsonObject o = QJsonDocument::fromJson(line).object();
        findings += (findings.empty() ? "" : " ") + o["code"].toString().toStdString() + ":" +
                    std::to_string(o["line"].toInt()) + ":" +
                    (o["column"].isNull() ? "null" : std::to_string(o["column"].toInt()));
    }
    EXPECT_EQ(findings, GetParam().findings);
}

INSTANTIATE_TEST_SUITE_P(
    Files, CheckExit,
    ::testing::Values(ExitRow{"Clean", Fine, false, 0, ""},
                      ExitRow{"CleanStrict", Fine, true, 0, ""},
                      ExitRow{"Warning", Fine + Warned, false, 0, "horizontal-alignment:2:null"},
                      ExitRow{"WarningStrict", Fine + Warned, true, 1,
                              "horizontal-alignment:2:null"},
                      ExitRow{"Error", Fine + Wrong, false, 1, "conversion:2:null"},
                      // The font no face has is judged like the rest, to the end.
                      ExitRow{"Utf8WithoutAFont", SampleWithEmoji() + Warned, false, 0,
                              "not-cp932:1:29 no-font:1:27 horizontal-alignment:2:null "
                              "utf8:1:null"},
                      ExitRow{"Utf8WithoutAFontStrict", SampleWithEmoji(), true, 1,
                              "not-cp932:1:29 no-font:1:27 utf8:1:null"}),
    [](const auto& info) { return std::string(info.param.name); });

// The lines editors jump to, with the path as given and the column of a piece.
TEST(CliCheck, WritesCompilerStyleLines)
{
    TempDir dir;
    const std::string path = dir.File("d.prn");
    testutil::WriteFileBytes(path, Fine + Warned + "50,80,10,1,0,1,a,b,c,,," +
                                       std::string(300, 'x') + "\r\n" + Wrong +
                                       "50,100,10,1,0,1,a,b,c,,,\"\xF0\x40\"\r\n");
    const Result r = RunCli({"check", "--data", Q(path), "--settings",
                             Q(testutil::DefaultSettings(dir.File("none.ini"))), "--dpi", "600"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, path + ":2: warning: horizontal alignment 7 is not 1, 2 or 3\n" + path +
                         ":3: warning: the line is cut after 255 bytes: the text of this piece "
                         "prints as \"\", not \"" +
                         std::string(255 - 23, 'x') + "\"\n" + path +
                         ":3: warning: the line is longer than 254 bytes: it is read in pieces of "
                         "255 bytes, each one as a line of its own\n" +
                         path + ":3:256: error: field 1 is empty: the line is skipped\n" + path +
                         ":4: error: '5O' は浮動小数点数ではありません.\n" + path +
                         ":5:26: warning: no installed font can print \"\xEE\x80\x80\" (U+E000): "
                         "the declaration does not print\n");
}

// One JSON object a line, read back as another program would.
TEST(CliCheck, JsonFindingsParseBack)
{
    TempDir dir;
    const std::string path = dir.File("d.prn");
    testutil::WriteFileBytes(path, Warned + "50,90,10,1,0,1,a,b,c,,," + std::string(300, 'x') +
                                       "\r\n" + "\x01" + Wrong);
    const Result r = RunCli({"check", "--data", Q(path), "--settings",
                             Q(testutil::DefaultSettings(dir.File("none.ini"))), "--dpi", "600",
                             "--format", "json"});
    EXPECT_EQ(r.status, 1);
    const QList<QByteArray> lines = QByteArray::fromStdString(r.out).trimmed().split('\n');
    ASSERT_EQ(lines.size(), 5) << r.out;
    struct Want
    {
        int line;
        QJsonValue column;
        const char* severity;
        const char* code;
    };
    const Want want[] = {{1, QJsonValue::Null, "warning", "horizontal-alignment"},
                         {2, QJsonValue::Null, "warning", "text-cut"},
                         {2, QJsonValue::Null, "warning", "long-line"},
                         {2, 256, "error", "field-empty"},
                         {3, QJsonValue::Null, "error", "conversion"}};
    for (int i = 0; i < 5; ++i) {
        QJsonParseError error;
        const QJsonObject o = QJsonDocument::fromJson(lines[i], &error).object();
        ASSERT_EQ(error.error, QJsonParseError::NoError) << lines[i].toStdString();
        EXPECT_EQ(o["path"].toString(), Q(path));
        EXPECT_EQ(o["line"].toInt(), want[i].line);
        EXPECT_EQ(o["column"], want[i].column) << i;
        EXPECT_EQ(o["severity"].toString(), want[i].severity);
        EXPECT_EQ(o["code"].toString(), want[i].code);
    }
    // The control character of the file stays escaped inside the JSON string.
    EXPECT_EQ(QJsonDocument::fromJson(lines[4]).object()["message"].toString(),
              QString::fromUtf8("'\\x015O' は浮動小数点数ではありません."));
}

// The preview of the sample on the example form at 150 dpi, and of a file
// with an entry off the paper, read back from the PNG.
class Preview : public ::testing::Test
{
protected:
    QImage Run(const std::string& data, const std::string& form, const std::string& printed = {})
    {
        testutil::WriteFileBytes(m_dir.File("d.prn"), data);
        QStringList args = {"preview",
                            "--data",
                            Q(m_dir.File("d.prn")),
                            "--settings",
                            Q(testutil::DefaultSettings(m_dir.File("none.ini"))),
                            "--dpi",
                            "150",
                            "--offset",
                            "60,60",
                            "-o",
                            Q(m_dir.File("p.png"))};
        if (!form.empty())
            args << "--form" << Q(form);
        const Result r = RunCli(args);
        EXPECT_EQ(r.status, 0) << r.err;
        if (!printed.empty()) {
            const Result p = RunCli({"print", "--data", Q(m_dir.File("d.prn")), "--settings",
                                     Q(testutil::DefaultSettings(m_dir.File("none.ini"))), "--dpi",
                                     "150", "-o", Q(printed)});
            EXPECT_EQ(p.status, 0) << p.err;
        }
        return QImage(Q(m_dir.File("p.png"))).convertToFormat(QImage::Format_RGB32);
    }

    static int Count(const QImage& page, const QRect& area, bool (*wanted)(QRgb))
    {
        int n = 0;
        const QRect r = area.intersected(page.rect());
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += wanted(page.pixel(x, y)) ? 1 : 0;
        return n;
    }
    static bool Red(QRgb c) { return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60; }
    static bool Blue(QRgb c) { return qBlue(c) > 200 && qRed(c) < 60 && qGreen(c) < 60; }
    static bool FormGreen(QRgb c) { return qGreen(c) > qRed(c) + 40 && qGreen(c) > qBlue(c) + 20; }

    TempDir m_dir;
};

// The example form as its 300 dpi scan and as the PDF it was drawn as.
class PreviewOnForm : public Preview, public ::testing::WithParamInterface<const char*>
{
};

TEST_P(PreviewOnForm, SampleLandsOnTheExampleForm)
{
    const std::string sample =
        testutil::ReadFileBytes(testutil::SourceDir() + "/examples/ocrdat.prn");
    const std::string printed = m_dir.File("printed.png");
    const std::string form = testutil::SourceDir() + "/examples/" + GetParam();
    if (form.ends_with(".pdf")) {
        testutil::WriteFileBytes(m_dir.File("empty.prn"), "");
        const Result probe = RunCli({"preview", "--data", Q(m_dir.File("empty.prn")), "--form",
                                     Q(form), "-o", Q(m_dir.File("probe.png"))});
        if (probe.err.find("poppler") != std::string::npos)
            GTEST_SKIP() << "this build reads no PDF forms: " << probe.err;
    }
    const QImage page = Run(sample, form, printed);
    ASSERT_EQ(page.size(), QSize(1240, 1754)); // A4 at 150 dpi

    // The form's boxes: the heading box's top rule, 10 mm down, in its green.
    EXPECT_GT(Count(page, QRect(100, 57, 1000, 4), FormGreen), 900);
    // Every dot the printer prints (no margins, no correction) is black in the
    // preview: the entries are at their dots.
    const QImage ink = QImage(Q(printed)).convertToFormat(QImage::Format_Grayscale8);
    ASSERT_EQ(ink.size(), page.size());
    int dots = 0;
    int misplaced = 0;
    for (int y = 0; y < ink.height(); ++y) {
        for (int x = 0; x < ink.width(); ++x) {
            if (qGray(ink.pixel(x, y)) < 128) {
                ++dots;
                misplaced += page.pixel(x, y) == qRgb(0, 0, 0) ? 0 : 1;
            }
        }
    }
    EXPECT_GT(dots, 20000);
    EXPECT_EQ(misplaced, 0);
    // The sample has no warnings: nothing red; the printable area of the
    // 60-dot margins is outlined in blue.
    EXPECT_EQ(Count(page, page.rect(), Red), 0);
    EXPECT_GT(Count(page, QRect(60, 60, 1120, 2), Blue), 1000);
}

INSTANTIATE_TEST_SUITE_P(Forms, PreviewOnForm,
                         ::testing::Values("blank-form.png", "blank-form.pdf"),
                         [](const auto& info) {
                             return std::string(info.param).ends_with(".pdf") ? "Pdf" : "Png";
                         });

TEST_F(Preview, MarksTheEntriesCheckWarnsOfInRed)
{
    // Line 2 reaches past the right edge at 205 mm; line 3 lies 700 mm off;
    // no font has the text of line 4 (U+E000), which print refuses.
    const QImage page = Run(
        std::string("50,50,10,1,0,1,a,b,c,,,ABC\r\n") + "205,100,10,1,0,1,a,b,c,,,WIDE TEXT\r\n" +
            "900,150,10,1,0,1,a,b,c,,,GONE\r\n" + "50,200,10,1,0,1,a,b,c,,,\xF0\x40\r\n",
        {});
    // White paper without a form: nothing green.
    EXPECT_EQ(Count(page, page.rect(), FormGreen), 0);
    const int y100 = 100 * 150 * 10 / 254; // 100 mm at 150 dpi
    const int y150 = 150 * 150 * 10 / 254;
    // A red box and number at each of the two, at the paper's right edge.
    EXPECT_GT(Count(page, QRect(1140, y100 - 10, 100, 50), Red), 50);
    EXPECT_GT(Count(page, QRect(1140, y150 - 10, 100, 50), Red), 50);
    EXPECT_GT(Count(page, QRect(270, 200 * 150 * 10 / 254 - 20, 100, 60), Red), 50);
    // The line in order is not marked.
    EXPECT_EQ(Count(page, QRect(250, 270, 200, 60), Red), 0);
}

} // namespace
