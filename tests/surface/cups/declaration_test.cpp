// The bundled sample declaration through the private scheduler's queue: one
// page titled "OCR", its texts where the trace says they were drawn.
#include <QJsonObject>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "cupsscheduler.h"
#include "declarationjob.h"
#include "pdftools.h"
#include "printerdevice.h"
#include "testutil.h"
#include "tprinter.h"
#include "tracewriter.h"

namespace cupstest {
namespace {

class DeclarationSpoolTest : public CupsTest
{
protected:
    void SetUp() override
    {
        CupsTest::SetUp();
        if (IsSkipped())
            return;
        if (!HavePoppler())
            GTEST_SKIP() << "poppler-utils (pdfinfo, pdftotext) are not installed";
    }
};

struct Traced
{
    int X = 0;
    int Y = 0;
    std::string Text;
};

TEST_F(DeclarationSpoolTest, SampleArrivesAsOnePageWithTextsAtTheirDots)
{
    Scheduler().RestoreQueues();
    const std::string output = Scheduler().OutputFile("ocrtest");
    std::filesystem::remove(output);
    const int before = Scheduler().LastJobId();

    testutil::TempDir dir;
    const std::string tracePath = dir.File("trace.jsonl");
    core::TPrintAdjustment adjustment;
    {
        surface::TraceWriter trace(tracePath);
        ASSERT_TRUE(trace.Ok());
        surface::PrinterObject()->SetDevice(std::make_unique<surface::PrinterDevice>("ocrtest"));
        surface::PrinterObject()->SetTrace(&trace);
        const bool printed =
            print::PrintDeclaration(adjustment, testutil::SourceDir() + "/examples/ocrdat.prn")
                .has_value();
        surface::PrinterObject()->SetTrace(nullptr);
        ASSERT_TRUE(printed);
    }
    EXPECT_EQ(adjustment.PrinterDpiX, 600);
    EXPECT_EQ(adjustment.PrinterOffsetX, 100);

    const int job = Scheduler().WaitForJob(before);
    ASSERT_NE(job, 0) << "no job finished";
    const PdfInfo info = ReadPdfInfo(output);
    ASSERT_TRUE(info.Ok);
    EXPECT_EQ(info.Title, "OCR");
    EXPECT_EQ(info.Pages, 1);
    EXPECT_NEAR(info.WidthPt, 595, 0.5);
    EXPECT_NEAR(info.HeightPt, 842, 0.5);

    std::vector<Traced> texts;
    for (const QJsonObject& op : testutil::ReadTrace(tracePath))
        if (op.value("op").toString() == "text")
            texts.push_back({op.value("x").toInt(), op.value("y").toInt(),
                             op.value("text").toString().toStdString()});
    ASSERT_GE(texts.size(), 100u);

    bool ok = false;
    const std::vector<PdfWord> words = ReadPdfWords(output, ok);
    ASSERT_TRUE(ok);
    // pdftotext cuts texts into words at blanks: compare the texts that are
    // one word, each against the word that starts nearest to its dots.
    const double pointsPerDot = 72.0 / 600;
    int compared = 0;
    int singleWord = 0;
    for (const Traced& text : texts) {
        if (text.Text.find(' ') != std::string::npos ||
            text.Text.find("\u3000") != std::string::npos || text.Text.empty())
            continue;
        ++singleWord;
        const double x = (text.X + 100) * pointsPerDot;
        const double y = (text.Y + 100) * pointsPerDot;
        const PdfWord* best = nullptr;
        for (const PdfWord& word : words)
            if (word.Text == text.Text &&
                (!best || std::abs(word.XMin - x) + std::abs(word.YMin - y) <
                              std::abs(best->XMin - x) + std::abs(best->YMin - y)))
                best = &word;
        if (!best)
            continue;
        ++compared;
        SCOPED_TRACE(text.Text);
        EXPECT_NEAR(best->XMin, x, pointsPerDot);
        // The glyphs lie in the cell below its top.
        EXPECT_GE(best->YMin, y - pointsPerDot);
        EXPECT_LT(best->YMin, y + 8);
    }
    ASSERT_GE(singleWord, 50);
    // A few texts touch their neighbours on the page and come back merged.
    EXPECT_GE(compared, singleWord * 9 / 10) << compared << " of " << singleWord;
    RecordProperty("compared", compared);
}

} // namespace
} // namespace cupstest
