// The adjustment dialog shown modally: OK with its checks and the warning box,
// Cancel and the title bar, the double click on the diagram, the Enter and
// Escape keys, and the reloading at each showing but not when the measurement
// dialog opened from it closes.
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include "form3controls.h"
#include "ocrtst.h"
#include "startup.h"
#include "unit2.h"
#include "unit3_fixture.h"

namespace {

using form3test::BoxReader;
using form3test::ExecWith;
using form3test::Form3Test;
using testutil::Click;
using testutil::TypeText;

// Values that no row leaves as they are by accident.
core::TPrintAdjustment Marked()
{
    core::TPrintAdjustment a;
    a.HorzScale = 1;
    a.VertScale = -1;
    a.HorzOffset = 2;
    a.VertOffset = -2;
    return a;
}

void ExpectCorrections(const core::TPrintAdjustment& a, double horzScale, double vertScale,
                       double horzOffset, double vertOffset)
{
    EXPECT_EQ(a.HorzScale, horzScale);
    EXPECT_EQ(a.VertScale, vertScale);
    EXPECT_EQ(a.HorzOffset, horzOffset);
    EXPECT_EQ(a.VertOffset, vertOffset);
}

void ExpectUnchanged(const core::TPrintAdjustment& a)
{
    ExpectCorrections(a, 1, -1, 2, -2);
}

// ------------------------------------------------------------------- OK

const char* const HorzMessage = "横方向調整値に誤りがあります。(±20mmまで)";
const char* const VertMessage = "縦方向調整値に誤りがあります。(±20mmまで)";
const char* const HorzNaN = "横方向調整値に誤りがあります。(数値で入力してください)";
const char* const VertNaN = "縦方向調整値に誤りがあります。(数値で入力してください)";

struct OkRow
{
    const char* name;
    const char* edit1;
    const char* edit2;
    const char* message; // nullptr: accepted
    double horzOffset;   // stored when accepted
    double vertOffset;
};

void PrintTo(const OkRow& row, std::ostream* os)
{
    *os << row.name;
}

class OkTable : public Form3Test, public ::testing::WithParamInterface<OkRow>
{
};

TEST_P(OkTable, ChecksThePositionCorrections)
{
    const OkRow& row = GetParam();
    core::TPrintAdjustment adjustment = Marked();
    calibration::TForm3 form(adjustment);
    const testutil::Form3Controls ui(form);
    BoxReader reader;
    bool openAfterOk = false;
    const int result = ExecWith(form, [&] {
        form.move(0, 0); // the box is centred on the screen, not on the dialog
        ui.TrackBar1->setValue(25);
        ui.TrackBar2->setValue(12);
        TypeText(ui.Edit1, row.edit1);
        TypeText(ui.Edit2, row.edit2);
        Click(ui.Button1);
        openAfterOk = form.isVisible();
    });

    if (!row.message) {
        EXPECT_EQ(result, QDialog::Accepted);
        EXPECT_FALSE(openAfterOk);
        EXPECT_TRUE(reader.Boxes.empty());
        ExpectCorrections(adjustment, 2.5, -4, row.horzOffset, row.vertOffset);
        return;
    }
    EXPECT_TRUE(openAfterOk);
    EXPECT_EQ(result, QDialog::Rejected);
    ExpectUnchanged(adjustment);
    // The user's texts stay as they were typed.
    EXPECT_EQ(ui.Edit1->text(), QString::fromUtf8(row.edit1));
    EXPECT_EQ(ui.Edit2->text(), QString::fromUtf8(row.edit2));
    ASSERT_EQ(reader.Boxes.size(), 1u) << "one message per press";
    const form3test::Box& box = reader.Boxes[0];
    EXPECT_EQ(box.Seen.Title, QStringLiteral("警告"));
    EXPECT_EQ(box.Seen.Text.toStdString(), row.message);
    EXPECT_EQ(box.Seen.Icon, QMessageBox::Warning);
    EXPECT_EQ(box.Seen.ButtonCount, 1);
    EXPECT_EQ(box.Seen.ButtonText, "OK");
    EXPECT_LE((box.Centre - box.ScreenCentre).manhattanLength(), 2)
        << box.Centre.x() << "," << box.Centre.y();
}

INSTANTIATE_TEST_SUITE_P(
    TForm3, OkTable,
    ::testing::Values(OkRow{"TwentyIsAccepted", "20", "0", nullptr, 20, 0},
                      OkRow{"MinusTwentyIsAccepted", "-20", "-20", nullptr, -20, -20},
                      OkRow{"FractionsAreStoredAsTyped", "0.25", "-19.9", nullptr, 0.25, -19.9},
                      OkRow{"BlanksAndExponent", " 1.5 ", "-2E1", nullptr, 1.5, -20},
                      OkRow{"FullWidthDigitsAreStored", "－１．５", "２", nullptr, -1.5, 2},
                      OkRow{"CommaIsNotANumber", "1,5", "0", HorzNaN, 0, 0},
                      OkRow{"UnitIsNotANumber", "2.5mm", "0", HorzNaN, 0, 0},
                      OkRow{"LettersAroundANumber", "abc1.5x", "0", HorzNaN, 0, 0},
                      OkRow{"EmptyHorizontal", "", "0", HorzNaN, 0, 0},
                      OkRow{"BeyondTheNumberType", "1e400", "3", HorzNaN, 0, 0},
                      OkRow{"BothNotNumbersReportsTheHorizontal", "abc", "", HorzNaN, 0, 0},
                      OkRow{"EmptyVertical", "1.5", "", VertNaN, 0, 0},
                      OkRow{"VerticalComma", "0", "1,5", VertNaN, 0, 0},
                      OkRow{"RangeBeforeVerticalNumber", "25", "x", HorzMessage, 0, 0},
                      OkRow{"JustAboveTwenty", "20.01", "0", HorzMessage, 0, 0},
                      OkRow{"BelowMinusTwenty", "-20.5", "0", HorzMessage, 0, 0},
                      OkRow{"HugeHorizontal", "1e300", "0", HorzMessage, 0, 0},
                      OkRow{"BothOutOfRangeReportsTheHorizontal", "25", "54", HorzMessage, 0, 0},
                      OkRow{"VerticalFiftyFour", "0", "54", VertMessage, 0, 0},
                      OkRow{"VerticalJustBelowMinusTwenty", "1.5", "-20.001", VertMessage, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct ScaleRow
{
    const char* name;
    double loaded;
    double stored;
};

void PrintTo(const ScaleRow& row, std::ostream* os)
{
    *os << row.name;
}

class ScaleTable : public Form3Test, public ::testing::WithParamInterface<ScaleRow>
{
};

TEST_P(ScaleTable, OkStoresTheTrackBarsHalfStep)
{
    core::TPrintAdjustment adjustment = Marked();
    adjustment.HorzScale = GetParam().loaded;
    adjustment.VertScale = GetParam().loaded;
    calibration::TForm3 form(adjustment);
    const int result = ExecWith(form, [&] { Click(testutil::Form3Controls(form).Button1); });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(adjustment.HorzScale, GetParam().stored);
    EXPECT_EQ(adjustment.VertScale, GetParam().stored);
    EXPECT_EQ(adjustment.HorzOffset, 2);
    EXPECT_EQ(adjustment.VertOffset, -2);
}

INSTANTIATE_TEST_SUITE_P(TForm3, ScaleTable,
                         ::testing::Values(ScaleRow{"OnTheGrid", 2.5, 2.5},
                                           ScaleRow{"OffTheGridIsTruncated", 0.3, 0},
                                           // 17.4 and 22.6 truncate toward zero, to 17 and 22.
                                           ScaleRow{"NegativeOffTheGrid", -1.3, -1.5},
                                           ScaleRow{"FromAFileBeyondTheRange", 12, 10},
                                           ScaleRow{"Huge", -1e300, -10}),
                         [](const auto& info) { return std::string(info.param.name); });

// ------------------------------------------------------ cancel and reload

// The user's changes to every control.
void ChangeEverything(const testutil::Form3Controls& ui)
{
    ui.TrackBar1->setValue(30);
    ui.TrackBar2->setValue(5);
    TypeText(ui.Edit1, "4");
    TypeText(ui.Edit2, "-3");
}

TEST_F(Form3Test, CancelStoresNothing)
{
    core::TPrintAdjustment adjustment = Marked();
    calibration::TForm3 form(adjustment);
    bool openAfterCancel = true;
    const int result = ExecWith(form, [&] {
        ChangeEverything(testutil::Form3Controls(form));
        Click(testutil::Form3Controls(form).Button2);
        openAfterCancel = form.isVisible();
    });
    EXPECT_FALSE(openAfterCancel);
    EXPECT_EQ(result, QDialog::Rejected);
    ExpectUnchanged(adjustment);
}

// "調整値の測定" shows the measurement dialog it was connected to, and only
// that one: the program-wide Form2 is not reached into.
TEST_F(Form3Test, MeasureShowsOnlyTheConnectedMeasurementDialog)
{
    core::TPrintAdjustment adjustment = Marked();
    calibration::TForm3 form(adjustment);
    calibration::TForm2 global(adjustment);
    calibration::TForm2 connected(adjustment);
    calibration::Form2 = &global;
    std::vector<QWidget*> shown;
    testutil::ModalWatcher watcher([&](QWidget* w) {
        if (w == &form)
            return;
        shown.push_back(w);
        static_cast<QDialog*>(w)->reject();
    });
    ExecWith(form, [&] {
        // Not connected yet: nothing opens.
        Click(testutil::Form3Controls(form).Button3);
        form.ConnectMeasurement(connected);
        Click(testutil::Form3Controls(form).Button3);
    });
    calibration::Form2 = nullptr;
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], &connected);
    ExpectUnchanged(adjustment);
}

TEST_F(Form3Test, TheTitleBarCloseIsCancel)
{
    core::TPrintAdjustment adjustment = Marked();
    calibration::TForm3 form(adjustment);
    bool closed = false;
    const int result = ExecWith(form, [&] {
        ChangeEverything(testutil::Form3Controls(form));
        closed = form.close();
    });
    EXPECT_TRUE(closed);
    EXPECT_EQ(result, QDialog::Rejected);
    ExpectUnchanged(adjustment);
}

TEST_F(Form3Test, ShowingAgainAfterCancelShowsTheStoredValues)
{
    core::TPrintAdjustment adjustment = Marked();
    adjustment.HorzScale = 2.5;
    calibration::TForm3 form(adjustment);
    const testutil::Form3Controls ui(form);
    ExecWith(form, [&] {
        ChangeEverything(ui);
        Click(ui.Button2);
    });
    ASSERT_EQ(ui.TrackBar1->value(), 30) << "hidden, the controls keep what they hold";

    ExecWith(form, [&] {
        EXPECT_EQ(ui.TrackBar1->value(), 25);
        EXPECT_EQ(ui.TrackBar2->value(), 18);
        EXPECT_EQ(ui.Edit1->text(), "2");
        EXPECT_EQ(ui.Edit2->text(), "-2");
        EXPECT_EQ(ui.Label8->text(), "5");
        EXPECT_EQ(ui.Label9->text(), "-2");
        EXPECT_EQ(ui.Image1->geometry(), QRect(50, 94, 162, 189));
        Click(ui.Button2);
    });
}

TEST_F(Form3Test, DoubleClickOnTheDiagramResetsTheControlsOnly)
{
    core::TPrintAdjustment adjustment = Marked();
    calibration::TForm3 form(adjustment);
    const testutil::Form3Controls ui(form);
    ExecWith(form, [&] {
        ChangeEverything(ui);
        const QRect changed = ui.Image1->geometry();
        ASSERT_EQ(changed, QRect(52, 93, 165, 183));
        // Neither another button nor a single click resets anything.
        QTest::mouseDClick(ui.Image1, Qt::RightButton);
        // QTest leaves the right button down after a double click of it.
        if (QApplication::mouseButtons() & Qt::RightButton)
            QTest::mouseRelease(ui.Image1, Qt::RightButton);
        EXPECT_EQ(QApplication::mouseButtons(), Qt::NoButton);
        QTest::mouseClick(ui.Image1, Qt::LeftButton);
        EXPECT_EQ(ui.Image1->geometry(), changed);

        QTest::mouseDClick(ui.Image1, Qt::LeftButton);
        EXPECT_EQ(ui.TrackBar1->value(), 20);
        EXPECT_EQ(ui.TrackBar2->value(), 20);
        EXPECT_EQ(ui.Edit1->text(), "0");
        EXPECT_EQ(ui.Edit2->text(), "0");
        EXPECT_EQ(ui.Label8->text(), "0");
        EXPECT_EQ(ui.Label9->text(), "0");
        EXPECT_EQ(ui.Image1->geometry(), QRect(48, 96, 160, 190));
        EXPECT_TRUE(form.isVisible());
        Click(ui.Button2);
    });
    ExpectUnchanged(adjustment);
}

// Enter in an edit box presses no button (Enter on a button and Escape are in
// the key table of the window tests).
TEST_F(Form3Test, EnterInAnEditBoxDoesNothingSpecial)
{
    core::TPrintAdjustment adjustment = Marked();
    calibration::TForm3 form(adjustment);
    const testutil::Form3Controls ui(form);
    BoxReader reader;
    QStringList closedBy;
    ExecWith(form, [&] {
        ChangeEverything(ui);
        const struct
        {
            QWidget* focus;
            Qt::Key key;
        } presses[] = {
            {ui.Edit1, Qt::Key_Return},
            {ui.Edit2, Qt::Key_Enter},
            {ui.TrackBar1, Qt::Key_Return},
        };
        for (const auto& press : presses) {
            press.focus->setFocus();
            QTest::keyClick(press.focus, press.key);
            if (!form.isVisible()) {
                closedBy << press.focus->objectName();
                form.show();
            }
        }
        Click(ui.Button2);
    });
    EXPECT_TRUE(closedBy.isEmpty()) << closedBy.join(' ').toStdString();
    EXPECT_TRUE(reader.Boxes.empty());
    ExpectUnchanged(adjustment);
}

// ------------------------------------------- in the program's window chain

using Form3InTheProgram = Form3Test;

TEST_F(Form3InTheProgram, MeasurementDialogClosingDoesNotReloadTheControls)
{
    testutil::WriteFileBytes(SettingsFile(), "1.5\r\n-2\r\n0.5\r\n2\r\n");
    auto windows = app::StartUp(m_application);
    app::Form1->show();
    calibration::TForm3* form3 = calibration::Form3;
    const testutil::Form3Controls ui(*form3);

    bool form2Modal = false;
    bool form3Beneath = false;
    // The watcher's own timer does not fire again while its handler runs the
    // nested loops, so a timer of its own closes the measurement dialog.
    testutil::ModalWatcher watcher([&](QWidget* w) {
        ASSERT_EQ(w, form3);
        ASSERT_EQ(ui.TrackBar1->value(), 24); // loaded when shown
        ui.TrackBar1->setValue(30);
        TypeText(ui.Edit1, "4");
        QTimer::singleShot(0, calibration::Form2, [&] {
            form2Modal = QApplication::activeModalWidget() == calibration::Form2;
            form3Beneath = form3->isVisible();
            calibration::Form2->close(); // the title bar: nothing handed over
        });
        Click(ui.Button3);
        // Back from the measurement dialog: the values are still the user's.
        EXPECT_EQ(ui.TrackBar1->value(), 30);
        EXPECT_EQ(ui.Label8->text(), "10");
        EXPECT_EQ(ui.Edit1->text(), "4");
        EXPECT_EQ(ui.Image1->geometry(), QRect(52, 94, 165, 190));
        Click(ui.Button1);
    });
    Click(app::Form1->findChild<QPushButton*>("Button4"));

    EXPECT_EQ(watcher.Count(), 1);
    EXPECT_TRUE(form2Modal);
    EXPECT_TRUE(form3Beneath);
    EXPECT_FALSE(calibration::Form2->isVisible());
    EXPECT_FALSE(form3->isVisible());
    ExpectCorrections(app::Form1->PrintAdjustment, 5, 0.5, 4, -2);
}

} // namespace
