// The declaration job end to end on the file printer, read back from its trace.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "cp932.h"
#include "declarationjob.h"
#include "dots.h"
#include "econverterror.h"
#include "filedevice.h"
#include "fileprinter.h"
#include "rastermeasure.h"
#include "testutil.h"
#include "tprinter.h"
#include "tprintercanvas.h"
#include "tracewriter.h"

namespace {

using testutil::TempDir;

// Runs the job on a data file with the file printer and collects the trace.
class JobRun
{
public:
    JobRun(const std::string& data, int dpi = 600, int offset = 100)
        : m_dataPath(m_dir.File("ocrdat.prn")),
          m_printer(testutil::FileOptions(m_dir.File("out.png"), dpi, dpi, offset, offset),
                    m_dir.File("trace.jsonl"))
    {
        testutil::WriteFileBytes(m_dataPath, data);
    }

    bool Run(core::TPrintAdjustment& adjustment)
    {
        return print::PrintDeclaration(adjustment, m_dataPath).has_value();
    }

    std::vector<QJsonObject> Trace() const { return m_printer.Ops(); }
    std::vector<QJsonObject> Ops(const char* op) const { return m_printer.Ops(op); }
    const std::string& OutputPath() const { return m_printer.Output(); }

private:
    TempDir m_dir;
    std::string m_dataPath;
    testutil::TracedFilePrinter m_printer;
};

std::string Line(double x, double y, int size, int h, int framed, int v, const std::string& text)
{
    char buf[128];
    std::snprintf(buf, sizeof buf, "%.17g,%.17g,%d,%d,%d,%d,id,1,1,,,", x, y, size, h, framed, v);
    return buf + text + "\r\n";
}

TEST(DeclarationJob, StoresPrinterValuesAndClampsEvenWithoutDataFile)
{
    TempDir dir;
    const surface::FilePrinterOptions options =
        testutil::FileOptions(dir.File("out.pdf"), 600, 300, 40, 20);
    surface::PrinterObject()->SetDevice(std::make_unique<surface::FileDevice>(options));
    core::TPrintAdjustment adj;
    adj.HorzScale = 12.5;
    adj.VertScale = -10.5;
    adj.HorzOffset = -25;
    adj.VertOffset = 20;
    EXPECT_FALSE(print::PrintDeclaration(adj, dir.File("missing.prn")).has_value());
    EXPECT_EQ(adj.PrinterDpiX, 600);
    EXPECT_EQ(adj.PrinterDpiY, 300);
    EXPECT_EQ(adj.PrinterOffsetX, 40);
    EXPECT_EQ(adj.PrinterOffsetY, 20);
    EXPECT_EQ(adj.HorzScale, 10);
    EXPECT_EQ(adj.VertScale, -10);
    EXPECT_EQ(adj.HorzOffset, -20);
    EXPECT_EQ(adj.VertOffset, 20);
    EXPECT_FALSE(surface::PrinterObject()->Printing());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(options.OutputPath)));
}

TEST(DeclarationJob, WorkedExampleLeftAnchorAt600Dpi)
{
    JobRun run(Line(50, 50, 10, 1, 0, 1, "ABC"));
    core::TPrintAdjustment adj;
    ASSERT_TRUE(run.Run(adj));
    const auto texts = run.Ops("text");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]["x"].toInt(), 1081);
    EXPECT_EQ(texts[0]["y"].toInt(), 1081);
    EXPECT_EQ(texts[0]["size"].toInt(), 10);
    EXPECT_EQ(texts[0]["height"].toInt(), -83);
}

struct AnchorRow
{
    const char* name;
    int horzAlign;
    int vertAlign;
    double horzOffset;
    double horzScale;
};

class DeclarationAnchors : public ::testing::TestWithParam<AnchorRow>
{
};

// The anchor shares are taken from the measured cell: div 2 before the
// multiplication, so an odd width loses a dot at the right anchor.
TEST_P(DeclarationAnchors, ShiftByHalfTheCellTimesFactorMinusOne)
{
    const AnchorRow& row = GetParam();
    JobRun run(Line(50, 80, 12, row.horzAlign, 0, row.vertAlign, "\x8E\x52\x93\x63 Taro"));
    core::TPrintAdjustment adj;
    adj.HorzOffset = row.horzOffset;
    adj.HorzScale = row.horzScale;
    ASSERT_TRUE(run.Run(adj));
    const auto texts = run.Ops("text");
    ASSERT_EQ(texts.size(), 1u);
    const int width = texts[0]["width"].toInt();
    const int cell = texts[0]["cell"].toInt();
    const std::int64_t dx = static_cast<std::int64_t>(width / 2) * (row.horzAlign - 1);
    const std::int64_t dy = static_cast<std::int64_t>(cell / 2) * (row.vertAlign - 1);
    EXPECT_EQ(texts[0]["x"].toInt(),
              core::CorrectedDot(50, row.horzOffset, 600, row.horzScale, dx, 100));
    EXPECT_EQ(texts[0]["y"].toInt(), core::CorrectedDot(80, 0, 600, 0, dy, 100));
    EXPECT_EQ(texts[0]["text"].toString(), QString::fromUtf8("山田 Taro"));
}

INSTANTIATE_TEST_SUITE_P(Anchors, DeclarationAnchors,
                         ::testing::Values(AnchorRow{"LeftTop", 1, 1, 0, 0},
                                           AnchorRow{"CentreMiddle", 2, 2, 1.5, -2},
                                           AnchorRow{"RightBottom", 3, 3, -1, 3.5},
                                           AnchorRow{"ZeroMovesRight", 0, 0, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

struct FrameRow
{
    const char* name;
    int dpi;
    int pen;
    int ellipse;
};

class DeclarationFrames : public ::testing::TestWithParam<FrameRow>
{
};

TEST_P(DeclarationFrames, PenAndCornerFromTheTrueResolution)
{
    const FrameRow& row = GetParam();
    JobRun run(Line(30, 30, 10, 1, 1, 1, "Frame"), row.dpi, 0);
    core::TPrintAdjustment adj;
    adj.HorzScale = 9.5; // must not change the frame's pen or corners
    ASSERT_TRUE(run.Run(adj));
    const auto ops = run.Trace();
    std::vector<QJsonObject> texts, frames;
    for (const auto& o : ops) {
        if (o["op"] == "text")
            texts.push_back(o);
        if (o["op"] == "roundrect")
            frames.push_back(o);
    }
    ASSERT_EQ(texts.size(), 1u);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0]["pen"].toInt(), row.pen);
    EXPECT_EQ(frames[0]["ex"].toInt(), row.ellipse);
    EXPECT_EQ(frames[0]["ey"].toInt(), row.ellipse);
    EXPECT_EQ(frames[0]["brush"].toString(), "clear");
    // The frame lies exactly on the text's cell.
    EXPECT_EQ(frames[0]["x1"].toInt(), texts[0]["x"].toInt());
    EXPECT_EQ(frames[0]["y1"].toInt(), texts[0]["y"].toInt());
    EXPECT_EQ(frames[0]["x2"].toInt(), texts[0]["x"].toInt() + texts[0]["width"].toInt());
    EXPECT_EQ(frames[0]["y2"].toInt(), texts[0]["y"].toInt() + texts[0]["cell"].toInt());
}

INSTANTIATE_TEST_SUITE_P(Resolutions, DeclarationFrames,
                         ::testing::Values(FrameRow{"At300", 300, 3, 17},
                                           FrameRow{"At600", 600, 7, 35},
                                           FrameRow{"At1200", 1200, 14, 70}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DeclarationJob, OnlyFramedOneDrawsAFrameAndTheClearBrushPersists)
{
    // A fresh surface state is not guaranteed between tests in one process:
    // start this job from the solid brush explicitly.
    surface::PrinterObject()->PageCanvas()->Brush().SetStyle(surface::bsSolid);
    JobRun run(Line(20, 20, 10, 1, 0, 1, "before") + Line(20, 40, 10, 1, 2, 1, "two") +
               Line(20, 60, 10, 1, 1, 1, "framed") + Line(20, 80, 10, 1, 0, 1, "after"));
    core::TPrintAdjustment adj;
    ASSERT_TRUE(run.Run(adj));
    const auto texts = run.Ops("text");
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0]["brush"].toString(), "solid");
    EXPECT_EQ(texts[1]["brush"].toString(), "solid");
    EXPECT_EQ(texts[2]["brush"].toString(), "solid");
    EXPECT_EQ(texts[3]["brush"].toString(), "clear");
    EXPECT_EQ(run.Ops("roundrect").size(), 1u);
}

TEST(DeclarationJob, EmptyFileGivesOneEmptyPageTitledOcr)
{
    JobRun run("");
    core::TPrintAdjustment adj;
    ASSERT_TRUE(run.Run(adj));
    const auto ops = run.Trace();
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[0]["op"].toString(), "open");
    EXPECT_EQ(ops[0]["title"].toString(), "OCR");
    EXPECT_EQ(ops[1]["op"].toString(), "close");
    EXPECT_TRUE(QFile::exists(QString::fromStdString(run.OutputPath())));
}

TEST(DeclarationJob, ConversionErrorAbandonsThePageAndTheNextJobRuns)
{
    JobRun run(Line(20, 20, 10, 1, 0, 1, "first") + "abc,1,2,3,4,5,a,b,c,d,e,x\n" +
               Line(20, 40, 10, 1, 0, 1, "never"));
    core::TPrintAdjustment adj;
    try {
        run.Run(adj);
        FAIL() << "no conversion error";
    } catch (const core::EConvertError& e) {
        EXPECT_EQ(e.Message(), core::EncodeCp932("'abc' は浮動小数点数ではありません"));
    }
    EXPECT_FALSE(surface::PrinterObject()->Printing());
    const auto ops = run.Trace();
    ASSERT_FALSE(ops.empty());
    EXPECT_EQ(ops.back()["op"].toString(), "abort");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(run.OutputPath())));

    JobRun second(Line(20, 20, 10, 1, 0, 1, "again"));
    EXPECT_TRUE(second.Run(adj));
    EXPECT_EQ(second.Ops("text").size(), 1u);
}

TEST(DeclarationJob, AbsurdValuesSaturateInsteadOfFailing)
{
    JobRun run("1e308,-1e308,10,1,1,1,a,b,c,d,e,far\n"
               "10,10,2147483647,1,0,1,a,b,c,d,e,huge\n"
               "10,20,-2147483648,1,0,1,a,b,c,d,e,negative\n"
               "10,30,10,2147483647,1,-2147483648,a,b,c,d,e,anchors\n");
    core::TPrintAdjustment adj;
    ASSERT_TRUE(run.Run(adj));
    const auto texts = run.Ops("text");
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0]["x"].toInt(), 2147483647);
    EXPECT_EQ(texts[0]["y"].toInt(), -2147483647 - 1);
    EXPECT_EQ(texts[3]["x"].toInt(), -2147483647 - 1);
    EXPECT_EQ(texts[3]["y"].toInt(), 2147483647);
}

// The data file is looked for in the documents folder when that folder exists.
TEST(DataFileLocation, DocumentsFolderThenCurrentDirectory)
{
    TempDir home;
    const testutil::ScopedEnv homeVariable("HOME", home.Path());
    const testutil::ScopedEnv configVariable("XDG_CONFIG_HOME", home.File(".config"));

    EXPECT_EQ(print::DataFilePath(), "ocrdat.prn") << "no documents folder: current directory";

    QDir().mkpath(QString::fromStdString(home.File("Documents")));
    EXPECT_EQ(print::DataFilePath(), home.File("Documents") + "/ocrdat.prn");

    // A folder named by the desktop's user-dirs file wins over ~/Documents.
    QDir().mkpath(QString::fromStdString(home.File(".config")));
    QDir().mkpath(QString::fromStdString(home.File("書類")));
    testutil::WriteFileBytes(home.File(".config/user-dirs.dirs"),
                             "XDG_DOCUMENTS_DIR=\"$HOME/書類\"\n");
    EXPECT_EQ(print::DataFilePath(), home.File("書類") + "/ocrdat.prn");
}

} // namespace

namespace {

// The centre of the dark run through `around` along a row or a column of the
// raster (at most `window` dots either way), or -1 when `around` is not dark.
double DarkRunCentre(const QImage& image, bool alongRow, int fixed, int around, int window)
{
    const auto dark = [&](int i) {
        return alongRow ? testutil::Dark(image, i, fixed) : testutil::Dark(image, fixed, i);
    };
    if (!dark(around))
        return -1;
    int first = around;
    int last = around;
    while (first > around - window && dark(first - 1))
        --first;
    while (last < around + window && dark(last + 1))
        ++last;
    return (first + last) / 2.0;
}

TEST(DeclarationJob, FramedEntryMeasuredOnTheRaster)
{
    JobRun run(Line(60, 80, 14, 1, 1, 1, "\x90\xC5\x96\xB1\x8F\x90\x92\xB7")); // 税務署長
    core::TPrintAdjustment adj;
    ASSERT_TRUE(run.Run(adj));
    const auto frames = run.Ops("roundrect");
    ASSERT_EQ(frames.size(), 1u);
    const int off = 100;
    const int x1 = frames[0]["x1"].toInt() + off;
    const int y1 = frames[0]["y1"].toInt() + off;
    const int x2 = frames[0]["x2"].toInt() + off;
    const int y2 = frames[0]["y2"].toInt() + off;
    // 60 mm at 600 dpi is 1417.3 dots from the paper's edge.
    EXPECT_EQ(x1, 1417);
    EXPECT_EQ(y1, 1889);

    const QImage image = testutil::ReadGrey(run.OutputPath());
    ASSERT_FALSE(image.isNull());
    ASSERT_EQ(image.width(), 4961);
    // The 7-dot pen is centred on the outline: columns x1 and x2 - 1, rows
    // y1 and y2 - 1.
    const int midY = (y1 + y2) / 2;
    const int midX = (x1 + x2) / 2;
    EXPECT_NEAR(DarkRunCentre(image, true, midY, x1, 10), x1, 1.0);
    EXPECT_NEAR(DarkRunCentre(image, true, midY, x2 - 1, 10), x2 - 1, 1.0);
    EXPECT_NEAR(DarkRunCentre(image, false, midX, y1, 10), y1, 1.0);
    EXPECT_NEAR(DarkRunCentre(image, false, midX, y2 - 1, 10), y2 - 1, 1.0);
    // The pen is 7 dots wide.
    int width = 0;
    for (int x = x1 - 5; x <= x1 + 5; ++x)
        width += testutil::Dark(image, x, midY) ? 1 : 0;
    EXPECT_NEAR(width, 7, 1);
}

} // namespace
