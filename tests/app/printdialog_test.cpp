// The printer setup button against a private CUPS scheduler: confirming the
// dialog makes the chosen printer the program's printer, cancelling changes
// nothing; and the dialog's QPrinter converted to the print surface's setup
// and back.
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app_fixture.h"
#include "cupsscheduler.h"
#include "device.h"
#include "eprinter.h"
#include "files.h"
#include "ocrtst.h"
#include "printerdevice.h"
#include "qprintersetup.h"
#include "tprinter.h"

namespace {

using testutil::ModalWatcher;

class PrintDialogTest : public cupstest::CupsTest
{
protected:
    void SetUp() override
    {
        cupstest::CupsTest::SetUp();
        if (IsSkipped())
            return;
        QApplication::setQuitOnLastWindowClosed(false);
        m_application.Title = apptest::ProgramTitle();
        surface::PrinterObject()->SetDevice(nullptr);
        m_form = std::make_unique<app::TForm1>();
        m_form->show();
    }

    void TearDown() override
    {
        m_form.reset();
        if (!IsSkipped())
            surface::PrinterObject()->SetDevice(nullptr);
    }

    // Presses "プリンタ設定" and lets act handle the print dialog.
    void RunPrinterSetup(const std::function<void(QPrintDialog*)>& act)
    {
        ModalWatcher watcher([&](QWidget* w) {
            auto* dialog = qobject_cast<QPrintDialog*>(w);
            if (!dialog) {
                ADD_FAILURE() << "not the print dialog: " << w->metaObject()->className();
                w->close();
                return;
            }
            ++m_dialogs;
            act(dialog);
        });
        QTest::mouseClick(m_form->findChild<QPushButton*>("Button3"), Qt::LeftButton);
    }

    static surface::PrinterDevice* Current()
    {
        return dynamic_cast<surface::PrinterDevice*>(surface::PrinterObject()->CurrentDevice());
    }

    testutil::TempDir m_dir;
    testutil::ScopedEnv m_tmpdir{"TMPDIR", m_dir.Path()};
    testutil::ScopedEnv m_configHome{"XDG_CONFIG_HOME", m_dir.File(".config")};
    app::TApplication m_application;
    std::unique_ptr<app::TForm1> m_form;
    int m_dialogs = 0;
};

TEST_F(PrintDialogTest, CancelLeavesThePrinterUnchosen)
{
    RunPrinterSetup([](QPrintDialog* dialog) { dialog->reject(); });
    EXPECT_EQ(m_dialogs, 1);
    EXPECT_EQ(surface::PrinterObject()->CurrentDevice(), nullptr);
}

TEST_F(PrintDialogTest, ConfirmingMakesTheDefaultPrinterCurrent)
{
    RunPrinterSetup([](QPrintDialog* dialog) {
        EXPECT_EQ(dialog->printer()->printerName(), "ocrtest");
        dialog->accept();
    });
    ASSERT_EQ(m_dialogs, 1);
    ASSERT_NE(Current(), nullptr);
    EXPECT_EQ(Current()->Name(), "ocrtest");
    EXPECT_EQ(Current()->Caps().DpiX, 600);
}

struct OrientationRow
{
    const char* Name;
    QPageLayout::Orientation Chosen;
    int Notes; // the boxes saying the form stays portrait
};

class PrintDialogOrientation : public PrintDialogTest,
                               public ::testing::WithParamInterface<OrientationRow>
{
};

// Landscape in the dialog: the form still prints portrait, and the window
// says so once, at the choice.
TEST_P(PrintDialogOrientation, LandscapeIsNotedOnceAndPrintsPortrait)
{
    QStringList notes;
    ModalWatcher watcher([&](QWidget* w) {
        if (auto* dialog = qobject_cast<QPrintDialog*>(w)) {
            dialog->printer()->setPageOrientation(GetParam().Chosen);
            dialog->accept();
        } else if (auto* box = qobject_cast<QMessageBox*>(w)) {
            notes << box->text();
            box->accept();
        } else {
            w->close();
        }
    });
    QTest::mouseClick(m_form->findChild<QPushButton*>("Button3"), Qt::LeftButton);
    ASSERT_NE(Current(), nullptr);
    EXPECT_EQ(Current()->Setup().Orientation, QPageLayout::Portrait);
    EXPECT_EQ(notes.size(), GetParam().Notes) << notes.join('|').toStdString();
    for (const QString& note : notes)
        EXPECT_EQ(note, QString::fromUtf8(app::LandscapeNote));
}

INSTANTIATE_TEST_SUITE_P(Choices, PrintDialogOrientation,
                         ::testing::Values(OrientationRow{"Portrait", QPageLayout::Portrait, 0},
                                           OrientationRow{"Landscape", QPageLayout::Landscape, 1}),
                         [](const auto& info) { return std::string(info.param.Name); });

// Picks printer in the dialog's printer list and confirms.
void ChooseAndAccept(QPrintDialog* dialog, const QString& printer)
{
    QComboBox* printers = nullptr;
    for (QComboBox* combo : dialog->findChildren<QComboBox*>()) {
        if (combo->findText(printer) >= 0)
            printers = combo;
    }
    if (!printers) {
        ADD_FAILURE() << "no printer list in the dialog";
        dialog->reject();
        return;
    }
    printers->setCurrentIndex(printers->findText(printer));
    dialog->accept();
}

TEST_F(PrintDialogTest, ConfirmingAnotherPrinterMakesItCurrent)
{
    RunPrinterSetup([](QPrintDialog* dialog) { ChooseAndAccept(dialog, "ocr300"); });
    ASSERT_NE(Current(), nullptr);
    EXPECT_EQ(Current()->Name(), "ocr300");
    EXPECT_EQ(Current()->Caps().DpiX, 300);
}

// Each queue's calibration, in the settings file's form: HorzOffset first.
std::string Calibration(const char* horzOffset)
{
    return std::string(horzOffset) + "\r\n0\r\n0\r\n0\r\n150\r\n200\r\n100\r\n150\r\n";
}

struct FollowRow
{
    const char* name;
    const char* ocrtest; // its HorzOffset; nullptr: no calibration
    const char* ocr300;
    const char* chosen;
    double horzOffset; // what the window then works on
    bool asks;         // whether 印 刷 asks before printing without correction
};

class CalibrationFollowsChoice : public PrintDialogTest,
                                 public ::testing::WithParamInterface<FollowRow>
{
};

TEST_P(CalibrationFollowsChoice, ThePrinterChosenBringsItsOwn)
{
    const FollowRow& row = GetParam();
    m_form.reset();
    QDir().mkpath(QString::fromStdString(m_dir.File(".config/ocrprint/printers")));
    const std::pair<const char*, const char*> files[] = {{"ocrtest", row.ocrtest},
                                                         {"ocr300", row.ocr300}};
    for (const auto& [queue, offset] : files)
        if (offset)
            testutil::WriteFileBytes(m_dir.File(".config/ocrprint/printers/") + queue + ".ini",
                                     Calibration(offset));
    m_form = std::make_unique<app::TForm1>();
    // At start-up, the default printer's.
    EXPECT_EQ(m_form->PrintAdjustment.HorzOffset, row.ocrtest ? std::stod(row.ocrtest) : 0);

    RunPrinterSetup([&](QPrintDialog* dialog) { ChooseAndAccept(dialog, row.chosen); });
    EXPECT_EQ(m_form->PrintAdjustment.HorzOffset, row.horzOffset);

    // The question is answered with キャンセル; any other box is closed.
    int asked = 0;
    {
        ModalWatcher watcher([&](QWidget* w) {
            if (w->objectName() == "uncalibratedPrinter") {
                ++asked;
                w->findChild<QPushButton*>("cancel")->click();
            } else {
                w->close();
            }
        });
        // Past the question, the job stops at the data file this test has not.
        const auto press = [&] {
            try {
                m_form->Button1Click();
            } catch (const std::exception&) {
            }
        };
        press();
        // Cancelled, it asks again.
        press();
    }
    EXPECT_EQ(asked, row.asks ? 2 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    App, CalibrationFollowsChoice,
    ::testing::Values(FollowRow{"BothCalibratedChooseOther", "1.5", "-2", "ocr300", -2, false},
                      FollowRow{"OtherHasNone", "1.5", nullptr, "ocr300", 0, true},
                      FollowRow{"DefaultChosenAgain", "1.5", nullptr, "ocrtest", 1.5, false},
                      FollowRow{"DefaultHasNone", nullptr, "-2", "ocrtest", 0, true}),
    [](const auto& info) { return std::string(info.param.name); });

// The one settings file of before becomes the default printer's calibration,
// said once.
TEST_F(PrintDialogTest, OldSettingsFileIsAdoptedOnce)
{
    m_form.reset();
    QDir().mkpath(QString::fromStdString(m_dir.File(".config/ocrprint")));
    testutil::WriteFileBytes(m_dir.File(".config/ocrprint/ocrprn2.ini"), Calibration("1.5"));
    for (const int boxes : {1, 0}) {
        SCOPED_TRACE(boxes);
        int told = 0;
        {
            ModalWatcher watcher([&](QWidget* w) {
                told += w->objectName() == "adoptedCalibration";
                w->close();
            });
            m_form = std::make_unique<app::TForm1>();
        }
        EXPECT_EQ(told, boxes);
        EXPECT_EQ(m_form->PrintAdjustment.HorzOffset, 1.5);
        m_form.reset();
    }
    EXPECT_EQ(testutil::ReadFileBytes(m_dir.File(".config/ocrprint/printers/ocrtest.ini")),
              Calibration("1.5"));
}

TEST_F(PrintDialogTest, TheNextDialogWorksOnTheChosenPrinter)
{
    // Not the default printer, so that the next dialog shows the choice.
    RunPrinterSetup([](QPrintDialog* dialog) { ChooseAndAccept(dialog, "ocr300"); });
    surface::PrinterDevice* chosen = Current();
    ASSERT_NE(chosen, nullptr);

    QString shown;
    RunPrinterSetup([&](QPrintDialog* dialog) {
        shown = dialog->printer()->printerName();
        dialog->reject();
    });
    EXPECT_EQ(m_dialogs, 2);
    EXPECT_EQ(shown.toStdString(), chosen->Setup().Printer);
    EXPECT_EQ(shown, "ocr300");
    EXPECT_EQ(Current(), chosen); // cancelled: the same device, untouched
}

// Where CUPS names no default printer, or has no queue at all.
class NoDefaultPrinterTest : public PrintDialogTest
{
protected:
    void TearDown() override
    {
        PrintDialogTest::TearDown();
        if (cupstest::CupsScheduler::Get())
            Scheduler().RestoreQueues();
    }
};

struct OpenRow
{
    const char* Name;
    bool Default;    // a default printer is named
    bool Queues;     // the two queues exist
    QString Printer; // the queue the dialog opens on; empty: printing to a file
};

void PrintTo(const OpenRow& row, std::ostream* os)
{
    *os << row.Name;
}

class DialogOpensTest : public NoDefaultPrinterTest, public ::testing::WithParamInterface<OpenRow>
{
};

TEST_P(DialogOpensTest, OnAPrinterThatCanBeChosenWithAChooseButton)
{
    const OpenRow& row = GetParam();
    if (!row.Default) {
        // Deleting the default queue leaves the scheduler without one.
        ASSERT_TRUE(Scheduler().CreateQueue("ocrgone", cupstest::CupsScheduler::A4At600Ppd));
        ASSERT_TRUE(Scheduler().SetDefault("ocrgone"));
        ASSERT_TRUE(Scheduler().DeleteQueue("ocrgone"));
    }
    if (!row.Queues) {
        ASSERT_TRUE(Scheduler().DeleteQueue("ocrtest"));
        ASSERT_TRUE(Scheduler().DeleteQueue("ocr300"));
    }
    QString printer;
    bool toFile = false;
    QString confirm;
    RunPrinterSetup([&](QPrintDialog* dialog) {
        printer = dialog->printer()->printerName();
        toFile = dialog->printer()->outputFormat() == QPrinter::PdfFormat;
        for (QDialogButtonBox* buttons : dialog->findChildren<QDialogButtonBox*>()) {
            if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
                confirm = ok->text();
        }
        dialog->reject();
    });
    EXPECT_EQ(m_dialogs, 1) << "the dialog did not open";
    EXPECT_EQ(printer, row.Printer);
    EXPECT_EQ(toFile, row.Printer.isEmpty());
    EXPECT_EQ(confirm, QStringLiteral("選択"));
    EXPECT_EQ(surface::PrinterObject()->CurrentDevice(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Schedulers, DialogOpensTest,
                         ::testing::Values(OpenRow{"DefaultPrinter", true, true, "ocrtest"},
                                           // The queues in CUPS's order: "ocr300" comes first.
                                           OpenRow{"QueuesWithoutADefault", false, true, "ocr300"},
                                           OpenRow{"NoQueueOnlyAFile", false, false, ""}),
                         [](const ::testing::TestParamInfo<OpenRow>& info) {
                             return std::string(info.param.Name);
                         });

TEST_F(NoDefaultPrinterTest, AQueueChosenIsShownAgainAndPrintsWhereTheJobHadNone)
{
    ASSERT_TRUE(Scheduler().CreateQueue("ocrgone", cupstest::CupsScheduler::A4At600Ppd));
    ASSERT_TRUE(Scheduler().SetDefault("ocrgone"));
    ASSERT_TRUE(Scheduler().DeleteQueue("ocrgone"));
    // Nothing chosen and no default: the job has no printer.
    EXPECT_THROW(surface::PrinterObject()->DeviceHandle(), core::EPrinter);

    RunPrinterSetup([](QPrintDialog* dialog) { ChooseAndAccept(dialog, "ocrtest"); });
    ASSERT_NE(Current(), nullptr);
    EXPECT_EQ(Current()->Name(), "ocrtest");
    QString shown;
    RunPrinterSetup([&](QPrintDialog* dialog) {
        shown = dialog->printer()->printerName();
        dialog->reject();
    });
    EXPECT_EQ(shown, "ocrtest");
}

TEST_F(NoDefaultPrinterTest, WithoutQueuesAFileIsChosenAndShownAgain)
{
    ASSERT_TRUE(Scheduler().DeleteQueue("ocrtest"));
    ASSERT_TRUE(Scheduler().DeleteQueue("ocr300"));
    const QString file = QString::fromStdString(m_dir.File("chosen.pdf"));
    RunPrinterSetup([&](QPrintDialog* dialog) {
        if (auto* name = dialog->findChild<QLineEdit*>("filename"))
            name->setText(file);
        dialog->accept();
    });
    ASSERT_NE(Current(), nullptr);
    EXPECT_EQ(Current()->Name(), "file:" + file.toStdString());
    EXPECT_GT(Current()->Caps().DpiX, 0);

    QString shown;
    RunPrinterSetup([&](QPrintDialog* dialog) {
        shown = dialog->printer()->outputFileName();
        dialog->reject();
    });
    EXPECT_EQ(shown, file);
}

// "Print to file" onto the data file or the settings file, however spelled:
// Qt asks whether to overwrite it, then the error box refuses it; the printer
// in use stays, and nothing is written.
struct FileClashRow
{
    const char* Name;
    const char* Target; // below the home directory
    const char* Says;   // the box's words after the path
};

void PrintTo(const FileClashRow& row, std::ostream* os)
{
    *os << row.Name;
}

class PrintToFileClashTest
    : public NoDefaultPrinterTest,
      public ::testing::WithParamInterface<std::tuple<FileClashRow, testutil::Spelling>>
{
protected:
    testutil::ScopedEnv m_home{"HOME", m_dir.Path()};
};

TEST_P(PrintToFileClashTest, IsRefusedWithTheErrorBox)
{
    const auto& [row, spelling] = GetParam();
    ASSERT_TRUE(Scheduler().DeleteQueue("ocrtest"));
    ASSERT_TRUE(Scheduler().DeleteQueue("ocr300"));
    QDir().mkpath(QString::fromStdString(m_dir.File("Documents")));
    QDir().mkpath(QString::fromStdString(m_dir.File(".config/ocrprint")));
    testutil::WriteFileBytes(m_dir.File("Documents/ocrdat.prn"), "10,10,12,1,0,1,,,,,,x\r\n");
    testutil::WriteFileBytes(m_dir.File(".config/ocrprint/ocrprn2.ini"), "1\r\n2\r\n");
    const QString file = QString::fromStdString(testutil::Spell(m_dir, row.Target, spelling));
    const auto before = m_dir.Snapshot();

    int overwrite = 0;
    std::vector<testutil::BoxSeen> boxes;
    ModalWatcher watcher([&](QWidget* w) {
        if (auto* dialog = qobject_cast<QPrintDialog*>(w)) {
            if (auto* name = dialog->findChild<QLineEdit*>("filename"))
                name->setText(file);
            // Pressed as the user does, from the dialog's own loop, where
            // Qt's question comes up.
            QTimer::singleShot(0, dialog, [dialog] {
                for (QDialogButtonBox* buttons : dialog->findChildren<QDialogButtonBox*>())
                    if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
                        ok->click();
            });
            return;
        }
        auto* box = qobject_cast<QMessageBox*>(w);
        if (box && box->button(QMessageBox::Yes)) {
            ++overwrite;
            box->button(QMessageBox::Yes)->click();
            return;
        }
        boxes.push_back(testutil::ReadAndCloseBox(w));
    });
    QTest::mouseClick(m_form->findChild<QPushButton*>("Button3"), Qt::LeftButton);

    EXPECT_EQ(overwrite, 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, file + QString::fromUtf8(row.Says));
    EXPECT_EQ(boxes[0].Icon, QMessageBox::Critical);
    EXPECT_EQ(surface::PrinterObject()->CurrentDevice(), nullptr);
    EXPECT_EQ(testutil::Changes(before, m_dir.Snapshot()), std::set<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Files, PrintToFileClashTest,
    ::testing::Combine(::testing::Values(FileClashRow{"DataFile", "Documents/ocrdat.prn",
                                                      " はデータファイルです: 書き込みません."},
                                         FileClashRow{"SettingsFile",
                                                      ".config/ocrprint/ocrprn2.ini",
                                                      " は設定ファイルです: 書き込みません."}),
                       ::testing::ValuesIn(testutil::Spellings)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).Name) +
               testutil::SpellingName(std::get<1>(info.param));
    });

struct ConversionRow
{
    const char* Name;
    surface::PrinterSetup Given;    // what the dialog opens on
    surface::PrinterSetup Current;  // the setup in use
    surface::PrinterSetup Expected; // what the confirmed dialog gives back
};

// Test names, not bytes, in gtest's messages.
void PrintTo(const ConversionRow& row, std::ostream* os)
{
    *os << row.Name;
}

class SetupConversionTest : public cupstest::CupsTest,
                            public ::testing::WithParamInterface<ConversionRow>
{
};

TEST_P(SetupConversionTest, SurvivesTheDialogsPrinter)
{
    const ConversionRow& row = GetParam();
    QPrinter printer(QPrinter::HighResolution);
    app::SetUpQPrinter(row.Given, printer);
    const surface::PrinterSetup back = app::SetupFromQPrinter(printer, row.Current);

    const surface::PrinterSetup& want = row.Expected;
    EXPECT_EQ(back.Printer, want.Printer);
    EXPECT_EQ(back.Paper.key(), want.Paper.key());
    EXPECT_EQ(back.Orientation, want.Orientation);
    EXPECT_EQ(back.JobOptions, want.JobOptions);
    EXPECT_EQ(back.Copies, want.Copies);
    EXPECT_EQ(back.Collate, want.Collate);
    EXPECT_EQ(back.Sides, want.Sides);
    EXPECT_EQ(back.OutputFile, want.OutputFile);
}

surface::PrinterSetup Setup(const char* printer, QPageSize::PageSizeId paper,
                            QPageLayout::Orientation orientation, surface::CupsOptions options,
                            int copies, bool collate, const char* sides, const char* file)
{
    return {printer, QPageSize(paper), orientation, std::move(options),
            copies,  collate,          sides,       file};
}

const auto Portrait = QPageLayout::Portrait;
const auto Landscape = QPageLayout::Landscape;
constexpr const char* ToFile = "/nonexistent/ocrprint-dialog.pdf";
const surface::CupsOptions DialogChoices = {{"Resolution", "600dpi"}, {"job-priority", "40"}};
const surface::CupsOptions At600 = {{"Resolution", "600dpi"}};

INSTANTIATE_TEST_SUITE_P(
    Setups, SetupConversionTest,
    ::testing::Values(
        // The queue has no duplex unit: Qt keeps it one-sided.
        ConversionRow{
            "QueueWithTheDialogsChoices",
            Setup("ocr300", QPageSize::A4, Landscape, DialogChoices, 2, false,
                  "two-sided-long-edge", ""),
            {},
            Setup("ocr300", QPageSize::A4, Landscape, DialogChoices, 2, false, "one-sided", "")},
        ConversionRow{
            "Instance",
            Setup("ocr300/fine", QPageSize::Letter, Portrait, {}, 1, true, "", ""),
            {},
            Setup("ocr300/fine", QPageSize::Letter, Portrait, {}, 1, true, "one-sided", "")},
        // The file is laid out like a page of the queue chosen last.
        ConversionRow{"PrintToFileKeepsTheQueueInUse",
                      Setup("ocr300", QPageSize::Letter, Portrait, {}, 1, true, "", ToFile),
                      Setup("ocrtest", QPageSize::A4, Portrait, At600, 1, true, "", ""),
                      Setup("ocrtest", QPageSize::Letter, Portrait, At600, 1, true, "", ToFile)}),
    [](const ::testing::TestParamInfo<ConversionRow>& info) {
        return std::string(info.param.Name);
    });

// What the printer list shows and what the file name box holds.
struct Shown
{
    QString printer;
    QString file;
};

Shown ShownIn(QPrintDialog* dialog)
{
    Shown shown;
    if (auto* printers = dialog->findChild<QComboBox*>("printers"))
        shown.printer = printers->currentIndex() == printers->count() - 1 ? QStringLiteral("<file>")
                                                                          : printers->currentText();
    if (auto* name = dialog->findChild<QLineEdit*>("filename"); name && name->isEnabled())
        shown.file = name->text();
    return shown;
}

// Picks the list's last entry, printing to a PDF file, names file and confirms.
void ChooseFileAndAccept(QPrintDialog* dialog, const QString& file)
{
    auto* printers = dialog->findChild<QComboBox*>("printers");
    auto* name = dialog->findChild<QLineEdit*>("filename");
    if (!printers || !name) {
        ADD_FAILURE() << "no printer list or file name in the dialog";
        dialog->reject();
        return;
    }
    printers->setCurrentIndex(printers->count() - 1);
    name->setText(file);
    dialog->accept();
}

// The second dialog shows the first one's choice; cancelled it leaves that
// choice in use, confirmed as shown it keeps it.
struct ReopenRow
{
    const char* Name;
    const char* First; // the queue chosen first, or nullptr for the PDF file
    bool Confirm;      // the second dialog confirmed as it opened, else cancelled
    const char* Shows; // in the second dialog's printer list ("<file>": the PDF file)
};

void PrintTo(const ReopenRow& row, std::ostream* os)
{
    *os << row.Name;
}

class ReopenTest : public PrintDialogTest, public ::testing::WithParamInterface<ReopenRow>
{
};

TEST_P(ReopenTest, ShowsTheChoiceInUse)
{
    const ReopenRow& row = GetParam();
    const QString file = QString::fromStdString(m_dir.File("chosen.pdf"));
    RunPrinterSetup([&](QPrintDialog* dialog) {
        if (row.First)
            ChooseAndAccept(dialog, row.First);
        else
            ChooseFileAndAccept(dialog, file);
    });
    ASSERT_NE(Current(), nullptr);
    const std::string chosen = Current()->Name();
    EXPECT_EQ(chosen, row.First ? std::string(row.First) : "file:" + file.toStdString());

    Shown shown;
    RunPrinterSetup([&](QPrintDialog* dialog) {
        shown = ShownIn(dialog);
        if (row.Confirm)
            dialog->accept();
        else
            dialog->reject();
    });
    EXPECT_EQ(shown.printer.toStdString(), row.Shows);
    EXPECT_EQ(shown.file, row.First ? QString() : file);
    ASSERT_NE(Current(), nullptr);
    EXPECT_EQ(Current()->Name(), chosen);
}

INSTANTIATE_TEST_SUITE_P(Choices, ReopenTest,
                         ::testing::Values(ReopenRow{"FileThenCancel", nullptr, false, "<file>"},
                                           ReopenRow{"FileThenConfirm", nullptr, true, "<file>"},
                                           ReopenRow{"QueueThenCancel", "ocr300", false, "ocr300"},
                                           ReopenRow{"QueueThenConfirm", "ocr300", true, "ocr300"}),
                         [](const ::testing::TestParamInfo<ReopenRow>& info) {
                             return std::string(info.param.Name);
                         });

} // namespace
