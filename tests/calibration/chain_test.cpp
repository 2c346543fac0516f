// The program's chain of windows driven as a user drives it: the main window's
// "誤差調整" opens the adjustment dialog modally, its "調整値の測定" opens the
// measurement dialog on top, and what each OK, done, cancel and close box
// leaves in the corrections and in the settings file written by "終 了".
#include <QGuiApplication>
#include <QMessageBox>
#include <QStyleHints>
#include <QTest>
#include <optional>

#include "form3controls.h"
#include "ocrtst.h"
#include "startup.h"
#include "unit2.h"
#include "unit2_fixture.h"
#include "unit3.h"

namespace {

using form2test::CancelButton;
using form2test::DoneButton;
using form2test::TestButton;
using testutil::Click;
using testutil::EditText;
using testutil::IsMessageBox;
using testutil::ModalWatcher;
using testutil::TypeText;

const QString AdjustButton = QStringLiteral("誤差調整");
const QString ExitButton = QStringLiteral("終 了");
const QString MeasureButton = QStringLiteral("調整値の測定");
const QString OkButton = QStringLiteral("Ｏ Ｋ");

// Corrections and lengths that no derivation below produces.
const char* const StoredSettings = "1.5\r\n-2\r\n3\r\n-4\r\n151.5\r\n199.25\r\n101\r\n149.5\r\n";

class ChainTest : public apptest::AppTest
{
protected:
    ~ChainTest() override
    {
        m_printer.reset();
        m_windows.reset();
        calibration::SetHandlerRunner(nullptr);
    }

    // The program's start-up with a 300 dpi file printer, the main window shown.
    void Start(const char* settings = nullptr)
    {
        if (settings)
            testutil::WriteFileBytes(SettingsFile(), settings);
        m_windows = app::StartUp(m_application);
        m_printer = std::make_unique<form2test::FilePrinter>(Dir().Path(), 300);
        app::Form1->show();
    }

    static QWidget* Main() { return app::Form1; }
    static QWidget* Measurement() { return calibration::Form2; }
    static QWidget* Adjustment() { return calibration::Form3; }
    static const core::TPrintAdjustment& Stored() { return app::Form1->PrintAdjustment; }

    static void TypeLengths(const char* x, const char* y, const char* a, const char* b)
    {
        TypeText(testutil::Child<QLineEdit>(Measurement(), "Edit1"), QString::fromUtf8(x));
        TypeText(testutil::Child<QLineEdit>(Measurement(), "Edit2"), QString::fromUtf8(y));
        TypeText(testutil::Child<QLineEdit>(Measurement(), "Edit3"), QString::fromUtf8(a));
        TypeText(testutil::Child<QLineEdit>(Measurement(), "Edit4"), QString::fromUtf8(b));
    }

    // The adjustment dialog's four controls.
    static void ExpectAdjustmentShows(int track1, int track2, const char* edit1, const char* edit2)
    {
        const testutil::Form3Controls c(*calibration::Form3);
        EXPECT_EQ(c.TrackBar1->value(), track1);
        EXPECT_EQ(c.TrackBar2->value(), track2);
        EXPECT_EQ(c.Edit1->text().toStdString(), edit1);
        EXPECT_EQ(c.Edit2->text().toStdString(), edit2);
    }

    static void ExpectCorrections(double horzScale, double vertScale, double horzOffset,
                                  double vertOffset)
    {
        EXPECT_EQ(Stored().HorzScale, horzScale);
        EXPECT_EQ(Stored().VertScale, vertScale);
        EXPECT_EQ(Stored().HorzOffset, horzOffset);
        EXPECT_EQ(Stored().VertOffset, vertOffset);
    }

    // "終 了": saves and closes; returns the settings file.
    std::string Exit()
    {
        Click(Main(), ExitButton);
        EXPECT_FALSE(Main()->isVisible());
        return testutil::ReadFileBytes(SettingsFile());
    }

    std::unique_ptr<app::ProgramWindows> m_windows;
    std::unique_ptr<form2test::FilePrinter> m_printer;
};

TEST_F(ChainTest, DoneThenOkThenExitSavesTheCorrectionsAndTheLengths)
{
    Start();
    int steps = 0;
    ModalWatcher adjustment(Adjustment(), [&](QWidget*) {
        ModalWatcher measurement(Measurement(), [&](QWidget*) {
            // On top of the adjustment dialog, which stays open beneath it.
            EXPECT_TRUE(Adjustment()->isVisible());
            EXPECT_TRUE(Measurement()->isModal());
            TypeLengths("151", "200", "100", "150");
            Click(Measurement(), DoneButton);
            ++steps;
        });
        Click(Adjustment(), MeasureButton);

        // Back in the adjustment dialog: it shows the derived corrections, and
        // its own change handlers have relabelled the track bars.
        EXPECT_FALSE(Measurement()->isVisible());
        EXPECT_EQ(QApplication::activeModalWidget(), Adjustment());
        ExpectAdjustmentShows(16, 20, "0.6", "0");
        EXPECT_EQ(testutil::Form3Controls(*calibration::Form3).Label8->text(), "-4");
        EXPECT_EQ(testutil::Form3Controls(*calibration::Form3).Label9->text(), "0");
        // The lengths are stored already, the corrections not yet.
        EXPECT_EQ(Stored().MeasuredX, 151);
        ExpectCorrections(0, 0, 0, 0);
        Click(Adjustment(), OkButton);
        ++steps;
    });
    Click(Main(), AdjustButton);

    EXPECT_EQ(steps, 2);
    EXPECT_FALSE(Adjustment()->isVisible());
    ExpectCorrections(-2, 0, 0.6, 0);
    EXPECT_EQ(Exit(), "0.6\r\n0\r\n0\r\n-2\r\n151\r\n200\r\n100\r\n150\r\n");
    // Nothing was printed on the way.
    EXPECT_TRUE(m_printer->Ops().empty());
}

TEST_F(ChainTest, CancelOrCloseBoxInTheMeasurementDialogLeavesTheAdjustmentDialogAsItWas)
{
    Start(StoredSettings);
    int steps = 0;
    ModalWatcher adjustment(Adjustment(), [&](QWidget*) {
        ExpectAdjustmentShows(12, 26, "1.5", "-2");
        ModalWatcher measurement(Measurement(), [&](QWidget*) {
            EXPECT_EQ(EditText(Measurement(), "Edit1"), "151.5"); // loaded at start-up
            TypeLengths("140", "250", "80", "120");
            Click(Measurement(), CancelButton);
            ++steps;
        });
        Click(Adjustment(), MeasureButton);
        ExpectAdjustmentShows(12, 26, "1.5", "-2");

        // Opened again: the boxes hold what the user left, not the stored
        // lengths; the title bar's close box cancels too.
        ModalWatcher measurementAgain(Measurement(), [&](QWidget*) {
            EXPECT_EQ(EditText(Measurement(), "Edit1"), "140");
            EXPECT_EQ(EditText(Measurement(), "Edit4"), "120");
            Measurement()->close();
            ++steps;
        });
        Click(Adjustment(), MeasureButton);
        EXPECT_FALSE(Measurement()->isVisible());
        ExpectAdjustmentShows(12, 26, "1.5", "-2");
        Click(Adjustment(), OkButton);
        ++steps;
    });
    Click(Main(), AdjustButton);

    EXPECT_EQ(steps, 3);
    ExpectCorrections(-4, 3, 1.5, -2);
    EXPECT_EQ(Exit(), StoredSettings);
}

TEST_F(ChainTest, DoneThenCancelInTheAdjustmentDialogKeepsOnlyTheLengths)
{
    Start(StoredSettings);
    int steps = 0;
    ModalWatcher adjustment(Adjustment(), [&](QWidget*) {
        ModalWatcher measurement(Measurement(), [&](QWidget*) {
            TypeLengths("151", "200", "100", "150");
            Click(Measurement(), DoneButton);
            ++steps;
        });
        Click(Adjustment(), MeasureButton);
        ExpectAdjustmentShows(16, 20, "0.6", "0");
        Click(Adjustment(), CancelButton);
        ++steps;
    });
    Click(Main(), AdjustButton);
    EXPECT_EQ(steps, 2);
    ExpectCorrections(-4, 3, 1.5, -2);
    EXPECT_EQ(Stored().MeasuredX, 151);
    EXPECT_EQ(Stored().MeasuredY, 200);

    // Shown again, the adjustment dialog loads the stored corrections; the
    // derived ones are gone.
    ModalWatcher adjustmentAgain(Adjustment(), [&](QWidget*) {
        ExpectAdjustmentShows(12, 26, "1.5", "-2");
        Adjustment()->close();
        ++steps;
    });
    Click(Main(), AdjustButton);
    EXPECT_EQ(steps, 3);
    EXPECT_EQ(Exit(), "1.5\r\n-2\r\n3\r\n-4\r\n151\r\n200\r\n100\r\n150\r\n");
}

TEST_F(ChainTest, ADerivedOffsetBeyondTwentyIsRefusedByTheAdjustmentDialogsOk)
{
    Start();
    int steps = 0;
    testutil::BoxSeen warning;
    ModalWatcher adjustment(Adjustment(), [&](QWidget*) {
        ModalWatcher measurement(Measurement(), [&](QWidget*) {
            TypeLengths("100", "250", "80", "120");
            Click(Measurement(), DoneButton);
            ++steps;
        });
        Click(Adjustment(), MeasureButton);
        // -20 is still accepted; 54 is not.
        ExpectAdjustmentShows(40, 0, "-20", "54");

        ModalWatcher warningBox(IsMessageBox, [&](QWidget* box) {
            warning = testutil::ReadAndCloseBox(box);
            ++steps;
        });
        Click(Adjustment(), OkButton);
        EXPECT_TRUE(Adjustment()->isVisible()); // the dialog stays open
        Click(Adjustment(), CancelButton);
        ++steps;
    });
    Click(Main(), AdjustButton);

    EXPECT_EQ(steps, 3);
    EXPECT_EQ(warning.Title, QStringLiteral("警告"));
    EXPECT_EQ(warning.Text, QStringLiteral("縦方向調整値に誤りがあります。(±20mmまで)"));
    EXPECT_EQ(warning.Icon, QMessageBox::Warning);
    ExpectCorrections(0, 0, 0, 0);
    EXPECT_EQ(Exit(), "0\r\n0\r\n0\r\n0\r\n100\r\n250\r\n80\r\n120\r\n");
}

TEST_F(ChainTest, TestPrintThenCancelKeepsTheLengthsItStored)
{
    Start();
    int steps = 0;
    ModalWatcher adjustment(Adjustment(), [&](QWidget*) {
        ModalWatcher measurement(Measurement(), [&](QWidget*) {
            TypeLengths("151", "199", "101", "181");
            Click(Measurement(), TestButton);
            // The page is out and the dialog is still the modal one.
            EXPECT_EQ(m_printer->Ops("close").size(), 1u);
            EXPECT_EQ(QApplication::activeModalWidget(), Measurement());
            EXPECT_EQ(EditText(Measurement(), "Edit4"), "150");
            Click(Measurement(), CancelButton);
            ++steps;
        });
        Click(Adjustment(), MeasureButton);
        ExpectAdjustmentShows(20, 20, "0", "0");
        Click(Adjustment(), CancelButton);
        ++steps;
    });
    Click(Main(), AdjustButton);

    EXPECT_EQ(steps, 2);
    ExpectCorrections(0, 0, 0, 0);
    EXPECT_EQ(Exit(), "0\r\n0\r\n0\r\n0\r\n151\r\n199\r\n101\r\n150\r\n");
}

TEST_F(ChainTest, WithoutAPrinterTheDoneButtonShowsTheErrorAndTheDialogStaysOpen)
{
    Start(StoredSettings);
    std::optional<form2test::NoPrinter> noPrinter(std::in_place);
    int steps = 0;
    testutil::BoxSeen error;
    ModalWatcher adjustment(Adjustment(), [&](QWidget*) {
        ModalWatcher measurement(Measurement(), [&](QWidget*) {
            TypeLengths("151", "abc", "100", "150");
            ModalWatcher errorBox(IsMessageBox, [&](QWidget* box) {
                error = testutil::ReadAndCloseBox(box);
                ++steps;
            });
            Click(Measurement(), DoneButton);
            EXPECT_EQ(QApplication::activeModalWidget(), Measurement());
            EXPECT_EQ(EditText(Measurement(), "Edit2"), "abc");
            Click(Measurement(), CancelButton);
            ++steps;
        });
        Click(Adjustment(), MeasureButton);
        ExpectAdjustmentShows(12, 26, "1.5", "-2");
        Click(Adjustment(), OkButton);
        ++steps;
    });
    Click(Main(), AdjustButton);
    noPrinter.reset();

    EXPECT_EQ(steps, 3);
    EXPECT_EQ(error.Title, QStringLiteral("Kavenor OCR印刷 R3.2"));
    EXPECT_EQ(error.Text, QStringLiteral("デフォルト プリンタが存在しません."));
    EXPECT_EQ(error.Icon, QMessageBox::Critical);
    EXPECT_EQ(Exit(), StoredSettings);
}

} // namespace
