// Real jobs through the private scheduler: what reaches the queue's device is
// Qt's PDF, so its page size, its words and its lines show whether anything
// was scaled or shifted on the way.
#include "cupsscheduler.h"
#include "pdftools.h"

#include "cp932.h"
#include "printerdevice.h"
#include "testutil.h"
#include "tprinter.h"
#include "tprintercanvas.h"
#include "tracewriter.h"

#include <QJsonObject>
#include <QPageLayout>
#include <QString>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>

namespace cupstest {
namespace {

using surface::PrinterDevice;

struct TracedText
{
    int X = 0;
    int Y = 0;
    std::string Text;
};

std::vector<TracedText> TracedTexts(const std::string& path)
{
    std::vector<TracedText> texts;
    for (const QJsonObject& op : testutil::ReadTrace(path))
        if (op.value("op").toString() == "text")
            texts.push_back({op.value("x").toInt(), op.value("y").toInt(),
                             op.value("text").toString().toStdString()});
    return texts;
}

// Dots from the printable corner for a point mm from the paper's edges.
int Dot(int dpi, double mm, int offset)
{
    return static_cast<int>(dpi * mm / 25.4) - offset;
}

// The queue of "queue/instance".
std::string QueueOf(const std::string& printer)
{
    return printer.substr(0, printer.find('/'));
}

class SpoolTest : public CupsTest
{
protected:
    void SetUp() override
    {
        CupsTest::SetUp();
        if (IsSkipped())
            return;
        if (!HavePoppler())
            GTEST_SKIP() << "poppler-utils (pdfinfo, pdftotext, pdftoppm) are not installed";
        // The page's temporary file goes where this test can see it.
        if (const char* old = std::getenv("TMPDIR"))
            m_oldTmpdir = old;
        ::setenv("TMPDIR", m_tmp.Path().c_str(), 1);
    }

    void TearDown() override
    {
        if (m_oldTmpdir)
            ::setenv("TMPDIR", m_oldTmpdir->c_str(), 1);
        else
            ::unsetenv("TMPDIR");
    }

    // The files the back end left in the temporary directory (the tests'
    // own directories go there too).
    std::vector<std::string> TemporaryFiles() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_tmp.Path()))
            if (entry.is_regular_file())
                names.push_back(entry.path().filename().string());
        return names;
    }

private:
    testutil::TempDir m_tmp;
    std::optional<std::string> m_oldTmpdir;
};

struct PrintRow
{
    const char* Name;
    const char* Printer; // "queue" or "queue/instance"
    QPageLayout::Orientation Orientation;
    surface::CupsOptions DialogOptions;
    int Copies;
    const char* Resolution; // the job's Resolution option, "" for none
    const char* Media;
    double PaperWidthPt;
    double PaperHeightPt;
};

// Test names, not bytes, in gtest's messages.
void PrintTo(const PrintRow& row, std::ostream* os)
{
    *os << row.Name;
}

class PrintTest : public SpoolTest, public ::testing::WithParamInterface<PrintRow>
{
};

TEST_P(PrintTest, PageComesOutAtFullSizeAtItsDots)
{
    const PrintRow& row = GetParam();
    surface::PrinterSetup setup;
    setup.Printer = row.Printer;
    setup.Orientation = row.Orientation;
    setup.JobOptions = row.DialogOptions;
    setup.Copies = row.Copies;
    auto device = std::make_unique<PrinterDevice>(setup);
    const int dpi = device->Caps().DpiX;
    const int offX = device->Caps().OffsetX;
    const int offY = device->Caps().OffsetY;
    const std::string output = Scheduler().OutputFile(QueueOf(row.Printer));
    std::filesystem::remove(output);
    const int before = Scheduler().LastJobId();

    testutil::TempDir dir;
    const std::string tracePath = dir.File("trace.jsonl");
    // Rectangle corners in dots, well apart from the texts.
    const int x1 = Dot(dpi, 30, offX);
    const int y1 = Dot(dpi, 120, offY);
    const int x2 = Dot(dpi, 150, offX);
    const int y2 = Dot(dpi, 170, offY);
    surface::DocumentOutput handedOver;
    {
        surface::TraceWriter trace(tracePath);
        ASSERT_TRUE(trace.Ok());
        surface::TPrinter printer;
        printer.SetTrace(&trace);
        printer.SetDevice(std::move(device));
        printer.DocumentTitle = "OCR";
        printer.OpenDocument();
        surface::TPrinterCanvas& canvas = *printer.PageCanvas();
        canvas.Font().SetSize(12);
        canvas.PutText(Dot(dpi, 20, offX), Dot(dpi, 25, offY), "Kavenor");
        canvas.PutText(Dot(dpi, 20, offX), Dot(dpi, 45, offY), core::EncodeCp932("申告書"));
        canvas.Font().SetSize(20);
        canvas.PutText(Dot(dpi, 90, offX), Dot(dpi, 65, offY), "2026");
        canvas.PutText(Dot(dpi, 35, offX), Dot(dpi, 90, offY), core::EncodeCp932("千代田区"));
        canvas.Brush().SetStyle(surface::bsClear);
        canvas.DrawRectangle(x1, y1, x2, y2);
        handedOver = printer.CloseDocument();
    }
    EXPECT_TRUE(TemporaryFiles().empty()) << "the page's file outlived the hand-over";

    const int job = Scheduler().WaitForJob(before);
    ASSERT_NE(job, 0) << "no job finished";
    EXPECT_TRUE(handedOver.Delivered);
    EXPECT_EQ(handedOver.Queue, row.Printer);
    EXPECT_EQ(handedOver.JobId, job);
    EXPECT_TRUE(handedOver.File.empty());
    std::map<std::string, std::string> attributes = Scheduler().JobAttributes(job);
    EXPECT_EQ(attributes["job-state"], "completed");
    EXPECT_EQ(attributes["job-name"], "OCR");
    EXPECT_EQ(attributes["media"], row.Media);
    EXPECT_EQ(attributes["print-scaling"], "none");
    EXPECT_EQ(attributes["fit-to-page"], "false");
    EXPECT_EQ(attributes["number-up"], "1");
    EXPECT_EQ(attributes.count("page-set"), 0u);
    EXPECT_EQ(attributes["copies"], std::to_string(row.Copies));
    EXPECT_EQ(attributes["sides"], "one-sided");
    EXPECT_EQ(attributes["Resolution"], row.Resolution);

    const PdfInfo info = ReadPdfInfo(output);
    ASSERT_TRUE(info.Ok) << output;
    EXPECT_EQ(info.Title, "OCR");
    EXPECT_EQ(info.Pages, 1);
    EXPECT_NEAR(info.WidthPt, row.PaperWidthPt, 0.5);
    EXPECT_NEAR(info.HeightPt, row.PaperHeightPt, 0.5);

    // Every text starts where its dots say: x from the printable corner plus
    // the physical offset, at 72 / dpi points per dot.
    bool ok = false;
    const std::vector<PdfWord> words = ReadPdfWords(output, ok);
    ASSERT_TRUE(ok);
    const std::vector<TracedText> texts = TracedTexts(tracePath);
    ASSERT_EQ(texts.size(), 4u);
    const double pointsPerDot = 72.0 / dpi;
    for (const TracedText& text : texts) {
        SCOPED_TRACE(text.Text);
        int found = 0;
        for (const PdfWord& word : words) {
            if (word.Text != text.Text)
                continue;
            ++found;
            EXPECT_NEAR(word.XMin, (text.X + offX) * pointsPerDot, pointsPerDot);
            // The cell's top is at y: the glyphs lie below it, within the cell.
            EXPECT_GE(word.YMin, (text.Y + offY - 1) * pointsPerDot);
            EXPECT_LT(word.YMin, (text.Y + offY) * pointsPerDot + 12);
        }
        EXPECT_EQ(found, 1);
    }

    // The rectangle's one-dot outline lies on the columns x1 and x2 - 1 and
    // the rows y1 and y2 - 1, rendered at the printer's own resolution.
    const int left = x1 + offX - 8;
    const int top = y1 + offY - 8;
    const GrayImage image = RenderGray(output, dpi, left, top, x2 - x1 + 16, y2 - y1 + 16);
    ASSERT_GT(image.Width, 0);
    const auto darkRange = [&](bool alongRow, int at) {
        int first = -1;
        int last = -1;
        const int n = alongRow ? image.Width : image.Height;
        for (int i = 0; i < n; ++i) {
            if ((alongRow ? image.At(i, at) : image.At(at, i)) < 128) {
                first = first < 0 ? i : first;
                last = i;
            }
        }
        return std::pair{first, last};
    };
    const auto [colFirst, colLast] = darkRange(true, (y1 + y2) / 2 + offY - top);
    EXPECT_NEAR(colFirst + left, x1 + offX, 1);
    EXPECT_NEAR(colLast + left, x2 - 1 + offX, 1);
    const auto [rowFirst, rowLast] = darkRange(false, (x1 + x2) / 2 + offX - left);
    EXPECT_NEAR(rowFirst + top, y1 + offY, 1);
    EXPECT_NEAR(rowLast + top, y2 - 1 + offY, 1);
}

const surface::CupsOptions NoOptions;
const surface::CupsOptions ScaleRequests = {
    {"fit-to-page", "true"}, {"print-scaling", "fit"}, {"number-up", "4"}, {"page-set", "even"}};

INSTANTIATE_TEST_SUITE_P(
    Queues, PrintTest,
    ::testing::Values(PrintRow{"A4At600", "ocrtest", QPageLayout::Portrait, NoOptions, 1, "", "A4",
                               595, 842},
                      // Whatever the dialog asked, the page must not be fitted, scaled or
                      // left out.
                      PrintRow{"A4At600DialogAskedToScale", "ocrtest", QPageLayout::Portrait,
                               ScaleRequests, 1, "", "A4", 595, 842},
                      PrintRow{"LetterAt300", "ocr300", QPageLayout::Portrait, NoOptions, 1, "",
                               "Letter", 612, 792},
                      // The page stays portrait when the dialog chose landscape.
                      PrintRow{"LetterAt300Landscape", "ocr300", QPageLayout::Landscape, NoOptions,
                               1, "", "Letter", 612, 792},
                      PrintRow{"TwoCopiesChosenInDialog", "ocrtest", QPageLayout::Portrait,
                               NoOptions, 2, "", "A4", 595, 842},
                      // The instance's own options (600 dpi) travel with its jobs.
                      PrintRow{"LetterAt600ThroughInstance", "ocr300/fine", QPageLayout::Portrait,
                               NoOptions, 1, "600dpi", "Letter", 612, 792}),
    [](const ::testing::TestParamInfo<PrintRow>& info) { return std::string(info.param.Name); });

TEST_F(SpoolTest, AbandonedDocumentPrintsNothingAndTheNextOneOpens)
{
    const std::string output = Scheduler().OutputFile("ocrtest");
    std::filesystem::remove(output);
    const int before = Scheduler().LastJobId();

    surface::TPrinter printer;
    printer.SetDevice(std::make_unique<PrinterDevice>("ocrtest"));
    printer.DocumentTitle = "OCR";
    printer.OpenDocument();
    printer.PageCanvas()->PutText(100, 100, "Abandoned");
    printer.AbortDocument();
    EXPECT_FALSE(printer.Printing());

    // Nothing reached the spooler: the scheduler lists nothing new.
    for (const auto& [id, name] : Scheduler().Jobs())
        EXPECT_LE(id, before) << "job " << id << " \"" << name << "\" is still listed";
    EXPECT_FALSE(std::filesystem::exists(output));
    EXPECT_TRUE(TemporaryFiles().empty()) << "the abandoned page's file is left";

    printer.OpenDocument();
    printer.PageCanvas()->PutText(100, 100, "Second");
    printer.CloseDocument();
    const int job = Scheduler().WaitForJob(before);
    ASSERT_NE(job, 0);
    EXPECT_EQ(Scheduler().JobAttributes(job)["job-state"], "completed");
    const PdfInfo info = ReadPdfInfo(output);
    EXPECT_EQ(info.Title, "OCR");
    EXPECT_EQ(info.Pages, 1);
    bool ok = false;
    const std::vector<PdfWord> words = ReadPdfWords(output, ok);
    ASSERT_EQ(words.size(), 1u);
    EXPECT_EQ(words[0].Text, "Second");
}

// "Print to file" in the dialog: the file keeps the chosen queue's dots, and
// an abandoned job leaves the previous file (here a link's target) as it was.
TEST_F(SpoolTest, PrintToFileKeepsTheQueuesDots)
{
    testutil::TempDir dir;
    const std::string file = dir.File("chosen.pdf");
    testutil::WriteFileBytes(dir.File("target.pdf"), "previous");
    std::filesystem::create_symlink("target.pdf", file);
    surface::PrinterSetup setup;
    setup.Printer = "ocr300";
    setup.OutputFile = file;
    auto device = std::make_unique<PrinterDevice>(setup);
    EXPECT_EQ(device->Name(), "file:" + file);
    EXPECT_EQ(device->Caps().DpiY, 300);
    EXPECT_EQ(device->Caps().OffsetX, 100);
    EXPECT_EQ(device->Caps().OffsetY, 125);
    const int before = Scheduler().LastJobId();

    surface::TPrinter printer;
    printer.SetDevice(std::move(device));
    printer.OpenDocument();
    printer.PageCanvas()->PutText(200, 300, "Abandoned");
    printer.AbortDocument();
    EXPECT_EQ(testutil::ReadFileBytes(file), "previous");
    EXPECT_EQ(dir.Entries(), (std::set<std::string>{"chosen.pdf", "target.pdf"}));

    printer.OpenDocument();
    printer.PageCanvas()->PutText(200, 300, "Kept");
    const surface::DocumentOutput written = printer.CloseDocument();
    EXPECT_EQ(written.File, file);
    EXPECT_TRUE(written.Delivered);
    EXPECT_TRUE(written.Queue.empty());
    const PdfInfo info = ReadPdfInfo(file);
    EXPECT_EQ(info.Pages, 1);
    EXPECT_NEAR(info.WidthPt, 612, 0.5);
    EXPECT_NEAR(info.HeightPt, 792, 0.5);
    bool ok = false;
    const std::vector<PdfWord> words = ReadPdfWords(file, ok);
    ASSERT_EQ(words.size(), 1u);
    EXPECT_EQ(words[0].Text, "Kept");
    EXPECT_NEAR(words[0].XMin, (200 + 100) * 72.0 / 300, 72.0 / 300);
    EXPECT_TRUE(std::filesystem::is_symlink(file)) << "the link's target is written";
    // Nothing went to the spooler.
    EXPECT_EQ(Scheduler().LastJobId(), before);
}

} // namespace
} // namespace cupstest
