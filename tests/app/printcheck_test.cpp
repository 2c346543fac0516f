// "印 刷" judges the data file before anything reaches the printer: jobs
// counted at the private scheduler, the boxes read and answered as a user
// would.
#include <QMessageBox>
#include <QPushButton>
#include <QStyleHints>
#include <QTest>
#include <cstdio>

#include "app_fixture.h"
#include "clirun.h"
#include "cp932.h"
#include "cupsscheduler.h"
#include "pdftools.h"
#include "previewwindow.h"
#include "tprinter.h"

namespace {

using testutil::ModalWatcher;

const char* const Ok = "10,10,9,1,0,1,a,b,c,d,e,ok\r\n";
// Twelve cells off the paper (A4 is 210 mm wide) around one that prints.
std::string OffPaper()
{
    std::string data = Ok;
    for (int i = 0; i < 12; ++i)
        data += "500," + std::to_string(20 + 10 * i) + ",9,1,0,1,a,b,c,d,e,x\r\n";
    return data;
}
// The example declaration as an editor saves it.
std::string ExampleUtf8()
{
    return core::Cp932ToUtf8(
        testutil::ReadFileBytes(testutil::SourceDir() + "/examples/ocrdat.prn"));
}

struct CheckRow
{
    const char* Name;
    std::string Data;                 // the data file; "-": none
    std::vector<const char*> Answers; // the buttons pressed, box after box
    const char* Box; // the first box's first line, %1 the data file's path; empty: not read
    int Jobs;
    bool Preview = false; // a preview window comes between the answers
};

void PrintTo(const CheckRow& row, std::ostream* os)
{
    *os << row.Name;
}

class PrintCheckBase : public cupstest::CupsTest, protected apptest::PrintingProgram
{
protected:
    void SetUp() override
    {
        cupstest::CupsTest::SetUp();
        if (IsSkipped())
            return;
        m_button = Start(false, "Button1");
        ASSERT_NE(m_button, nullptr);
    }
    void TearDown() override { Stop(); }

    std::string DataFile() const { return m_dir.File("Documents/ocrdat.prn"); }

    // Presses "印 刷" once the last press is past the double-click interval;
    // the jobs the scheduler got from it.
    int Press()
    {
        QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 50);
        const int before = Scheduler().LastJobId();
        QTest::mouseClick(m_button, Qt::LeftButton);
        EXPECT_FALSE(surface::PrinterObject()->Printing());
        if (Scheduler().LastJobId() == before)
            return 0;
        EXPECT_NE(Scheduler().WaitForJob(before), 0);
        return Scheduler().LastJobId() - before;
    }

    // The words of the page last spooled, where they landed.
    std::vector<std::string> SpooledWords()
    {
        bool ok = false;
        std::vector<std::string> words;
        for (const auto& w : cupstest::ReadPdfWords(Scheduler().OutputFile("ocrtest"), ok))
            words.push_back(w.Text + " " + std::to_string(w.XMin) + "," + std::to_string(w.YMin));
        EXPECT_TRUE(ok);
        return words;
    }

    QPushButton* m_button = nullptr;
};

class PrintCheckTest : public PrintCheckBase, public ::testing::WithParamInterface<CheckRow>
{
};

TEST_P(PrintCheckTest, BoxesAndJobs)
{
    const CheckRow& row = GetParam();
    if (row.Data != "-")
        testutil::WriteFileBytes(DataFile(), row.Data);
    else
        std::remove(DataFile().c_str());

    std::vector<QString> boxes;
    std::size_t answered = 0;
    QImage preview;
    ModalWatcher watcher([&](QWidget* w) {
        if (auto* window = qobject_cast<app::PreviewWindow*>(w)) {
            ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
            const QPixmap page = window->findChild<QLabel*>("page")->pixmap();
            preview = window->Page();
            EXPECT_TRUE(window->Fitted());
            const QSize room = window->findChild<QScrollArea*>()->viewport()->size();
            EXPECT_TRUE(page.width() <= room.width() && page.height() <= room.height());
            EXPECT_TRUE(page.width() >= room.width() - 3 || page.height() >= room.height() - 3)
                << "fitted to the window";
            const double fitted = window->Zoom();
            window->ZoomIn();
            EXPECT_GT(window->Zoom(), fitted);
            EXPECT_GT(window->findChild<QLabel*>("page")->width(), page.width());
            window->accept();
            return;
        }
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        boxes.push_back(box->text());
        ASSERT_LT(answered, row.Answers.size()) << box->text().toStdString();
        const char* answer = row.Answers[answered++];
        auto* button = std::string(answer) == "ok" ? box->buttons().front()
                                                   : box->findChild<QPushButton*>(answer);
        ASSERT_NE(button, nullptr) << answer;
        button->click();
    });

    EXPECT_EQ(Press(), row.Jobs);
    EXPECT_EQ(answered, row.Answers.size());
    if (*row.Box) {
        ASSERT_FALSE(boxes.empty());
        EXPECT_EQ(boxes.front().section('\n', 0, 0),
                  QString::fromUtf8(row.Box).replace("%1", QString::fromStdString(DataFile())))
            << boxes.front().toStdString();
    }
    if (row.Preview) {
        ASSERT_FALSE(preview.isNull());
        // The whole A4 paper of the queue, at the preview's 300 dpi.
        EXPECT_NEAR(preview.width(), 2480, 1);
        EXPECT_NEAR(preview.height(), 3508, 1);
        // The entries of the warnings in red, the printable area outlined in
        // blue, the entry that prints in black.
        int red = 0, blue = 0, black = 0;
        for (int y = 0; y < preview.height(); ++y)
            for (int x = 0; x < preview.width(); ++x) {
                const QColor c = preview.pixelColor(x, y);
                red += c.red() > 200 && c.green() < 80 && c.blue() < 80;
                blue += c.blue() > 200 && c.red() < 80 && c.green() < 80;
                black += c.red() < 60 && c.green() < 60 && c.blue() < 60;
            }
        EXPECT_GT(red, 0);
        EXPECT_GT(blue, 0);
        EXPECT_GT(black, 0);
    }
}

// The same fault, the same words: the warnings box lists what check says of
// the first ten lines, and then the rest's number.
TEST_F(PrintCheckBase, WarningsAreWordedAsCheckWordsThem)
{
    testutil::WriteFileBytes(DataFile(), OffPaper());
    QString text;
    ModalWatcher watcher([&](QWidget* w) {
        text = qobject_cast<QMessageBox*>(w)->text();
        w->findChild<QPushButton*>("cancel")->click();
    });
    EXPECT_EQ(Press(), 0);

    testutil::CliInput input;
    input.env = {"LANG=ja_JP.UTF-8", "LANGUAGE=ja"};
    const testutil::Result check = testutil::RunCli(
        {"check", "--data", testutil::Q(DataFile()), "--printer", "ocrtest"}, input);
    ASSERT_EQ(check.status, 0) << check.err;
    const QStringList said = QString::fromStdString(check.out).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(said.size(), 12);
    QStringList listed = text.split('\n').mid(2);
    ASSERT_EQ(listed.size(), 11) << text.toStdString();
    EXPECT_EQ(listed.takeLast(), QString::fromUtf8("ほか 2 件"));
    for (int i = 0; i < listed.size(); ++i)
        EXPECT_EQ(listed[i].section(QStringLiteral(": "), 1),
                  said[i].section(QStringLiteral(": warning: "), 1));
    EXPECT_TRUE(listed[0].startsWith(QString::fromUtf8("2 行目: ")));
}

// The second click of a double-click on the box's button lands on "印 刷":
// it starts no job, however long the box stood.
TEST_F(PrintCheckBase, AnsweringTheBoxCountsAsThePress)
{
    QStyleHints* hints = QGuiApplication::styleHints();
    const int interval = hints->mouseDoubleClickInterval();
    hints->setMouseDoubleClickInterval(1500);
    testutil::WriteFileBytes(DataFile(), OffPaper());
    ModalWatcher watcher([&](QWidget* w) {
        QTest::qWait(1600);
        w->findChild<QPushButton*>("printAnyway")->click();
    });
    EXPECT_EQ(Press(), 1);
    const int before = Scheduler().LastJobId();
    QTest::mouseClick(m_button, Qt::LeftButton);
    EXPECT_EQ(Scheduler().LastJobId(), before);
    EXPECT_EQ(watcher.Count(), 1);
    hints->setMouseDoubleClickInterval(interval);
}

// A UTF-8 file prints what the same file in code page 932 prints.
TEST_F(PrintCheckBase, Utf8FileSpoolsTheCp932FilesPage)
{
    if (!cupstest::HavePoppler())
        GTEST_SKIP() << "needs poppler's tools";
    testutil::WriteFileBytes(DataFile(), ExampleUtf8());
    ASSERT_EQ(Press(), 1);
    const std::vector<std::string> utf8 = SpooledWords();
    testutil::WriteFileBytes(DataFile(), core::EncodeCp932(ExampleUtf8()));
    ASSERT_EQ(Press(), 1);
    const std::vector<std::string> cp932 = SpooledWords();
    EXPECT_GT(cp932.size(), 20u);
    EXPECT_EQ(utf8, cp932);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(DataFiles, PrintCheckTest, ::testing::Values(
    CheckRow{"Clean", Ok, {}, "", 1},
    CheckRow{"Utf8WithoutCp932Form", "10,10,9,1,0,1,a,b,c,d,e,\xe6\x9d\xb1\xf0\x9f\x98\x80\r\n",
             {"ok"}, "%1:1:26: U+1F600 にはコードページ 932 の表現がありません。", 0},
    CheckRow{"Missing", "-", {"ok"}, "ocrdat.prn が見つかりません: %1", 0},
    CheckRow{"BadNumber", std::string(Ok) + "PosX,1,2,3,4,5,a,b,c,d,e,x\r\n", {"ok"},
             "%1:2: 'PosX' は浮動小数点数ではありません.", 0},
    CheckRow{"WarningsPrintAnyway", OffPaper(), {"printAnyway"},
             "このデータでは申告書が正しく印刷されないおそれがあります（警告 12 件）。", 1},
    CheckRow{"WarningsCancel", OffPaper(), {"cancel"}, "", 0},
    CheckRow{"WarningsLookThenPrint", OffPaper(), {"preview", "printAnyway"}, "", 1, true},
    CheckRow{"WarningsLookThenCancel", OffPaper(), {"preview", "cancel"}, "", 0, true}),
    [](const ::testing::TestParamInfo<CheckRow>& info) { return std::string(info.param.Name); });
// clang-format on

} // namespace
