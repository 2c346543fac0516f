// The adjustment dialog's layout read back from the live widgets, the loading
// of its controls from the corrections, and the change handlers that move and
// stretch the page diagram.
#include <QAbstractButton>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <limits>

#include "form3controls.h"
#include "unit3_fixture.h"

namespace {

using form3test::Form3Test;
using testutil::ControlRow;

const QString Gothic = QStringLiteral("ＭＳ Ｐゴシック");

const ControlRow Controls[] = {
    {"Shape1", "QFrame", {32, 80, 193, 233}, nullptr, 12, false},
    {"Label1", "QLabel", {32, 16, 90, 15}, "横方向の倍率", 15, false},
    {"Label8", "QLabel", {144, 16, 8, 15}, "0", 15, false},
    {"TrackBar1", "QSlider", {24, 40, 209, 33}, nullptr, 12, false},
    {"Label2", "QLabel", {240, 48, 60, 30}, "縦方向の倍率", 15, false},
    {"Label9", "QLabel", {320, 56, 8, 15}, "0", 15, false},
    {"TrackBar2", "QSlider", {240, 88, 33, 209}, nullptr, 12, false},
    {"Image1", "QLabel", {48, 96, 160, 190}, nullptr, 12, false},
    {"Label3", "QLabel", {304, 104, 105, 15}, "横方向位置調整", 15, false},
    {"Edit1", "QLineEdit", {304, 128, 89, 23}, "0", 15, false},
    {"Label5", "QLabel", {400, 128, 32, 15}, "(mm)", 15, false},
    {"Label4", "QLabel", {304, 168, 105, 15}, "縦方向位置調整", 15, false},
    {"Edit2", "QLineEdit", {304, 192, 89, 23}, "0", 15, false},
    {"Label6", "QLabel", {400, 192, 32, 15}, "(mm)", 15, false},
    {"Button3", "QPushButton", {304, 256, 97, 33}, "調整値の測定", 12, false},
    {"Label7",
     "QLabel",
     {32, 328, 286, 26},
     "※ 上図は調整の方向を大まかに確認するものです。実際にこのように印刷されるわけではありません。",
     13,
     false},
    {"Button1", "QPushButton", {208, 376, 105, 33}, "Ｏ Ｋ", 15, true},
    {"Button2", "QPushButton", {328, 376, 105, 33}, "キャンセル", 15, false},
};

class AdjustmentControls : public Form3Test, public ::testing::WithParamInterface<ControlRow>
{
};

TEST_P(AdjustmentControls, MatchTheLayout)
{
    const ControlRow& row = GetParam();
    core::TPrintAdjustment adjustment;
    calibration::TForm3 form(adjustment);
    QWidget* widget = testutil::RowControl(&form, row);
    ASSERT_NE(widget, nullptr);
    QRect expected = row.geometry;
    auto* label = qobject_cast<QLabel*>(widget);
    if (label && !label->wordWrap() && row.text) {
        // Widened where the stand-in face runs wider than the design.
        const int text = label->fontMetrics().horizontalAdvance(label->text());
        expected.setWidth(std::max(expected.width(), text));
    }
    EXPECT_EQ(widget->geometry(), expected);
    if (row.text) {
        EXPECT_EQ(testutil::Caption(widget).toStdString(), row.text);
    }
    EXPECT_EQ(widget->font().family(), Gothic);
    EXPECT_EQ(widget->font().pixelSize(), row.pixelSize);
    EXPECT_EQ(widget->font().bold(), row.bold);
    // Only labels and shapes are colourless of their own: just Label7 is red.
    const QColor text = widget->palette().color(QPalette::WindowText);
    EXPECT_EQ(text, std::string(row.name) == "Label7" ? QColor(255, 0, 0) : QColor(Qt::black))
        << text.name().toStdString();
    if (qobject_cast<QLabel*>(widget)) {
        // The colour a label really paints its text in: the role follows the
        // dialog's button-face background unless the label names its own.
        const QColor drawn = widget->palette().color(widget->foregroundRole());
        EXPECT_EQ(drawn, std::string(row.name) == "Label7" ? QColor(255, 0, 0) : QColor(Qt::black))
            << drawn.name().toStdString();
    }
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        // No default button: Enter clicks nothing.
        EXPECT_FALSE(button->autoDefault());
        EXPECT_FALSE(button->isDefault());
    }
}

INSTANTIATE_TEST_SUITE_P(TForm3, AdjustmentControls, ::testing::ValuesIn(Controls),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Form3Test, WindowIsAResizableButtonFaceDialog)
{
    core::TPrintAdjustment adjustment;
    calibration::TForm3 form(adjustment);
    EXPECT_EQ(form.objectName(), "TForm3");
    EXPECT_EQ(form.windowTitle(), QStringLiteral("プリンタ誤差調整"));
    EXPECT_EQ(form.size(), QSize(446, 415));
    EXPECT_LT(form.minimumWidth(), 446);
    EXPECT_GT(form.maximumWidth(), 446);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(form.autoFillBackground());
    EXPECT_EQ(form.backgroundRole(), QPalette::Button);
    EXPECT_EQ(form.font().family(), Gothic);
    EXPECT_EQ(form.font().pixelSize(), 12);
}

TEST_F(Form3Test, DiagramLiesOnAWhiteSheetWithABlackOutline)
{
    core::TPrintAdjustment adjustment;
    calibration::TForm3 form(adjustment);
    const testutil::Form3Controls ui(form);
    EXPECT_EQ(ui.Shape1->frameShape(), QFrame::Box);
    EXPECT_EQ(ui.Shape1->frameShadow(), QFrame::Plain);
    EXPECT_EQ(ui.Shape1->lineWidth(), 1);
    EXPECT_TRUE(ui.Shape1->autoFillBackground());
    EXPECT_EQ(ui.Shape1->palette().color(ui.Shape1->backgroundRole()), QColor(Qt::white));
    EXPECT_EQ(ui.Shape1->palette().color(QPalette::WindowText), QColor(Qt::black));

    // The picture: two colours, 160 x 190, stretched to the label's bounds.
    const QPixmap picture = ui.Image1->pixmap();
    ASSERT_FALSE(picture.isNull()) << "the page diagram was not found in the resources";
    EXPECT_EQ(picture.size(), QSize(160, 190));
    const QImage image = picture.toImage();
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black)); // the page outline
    EXPECT_EQ(image.pixelColor(159, 189), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(8, 8), QColor(Qt::white));
    EXPECT_TRUE(ui.Image1->hasScaledContents());
    // The diagram lies above the sheet.
    const QObjectList children = form.children();
    EXPECT_LT(children.indexOf(ui.Shape1), children.indexOf(ui.Image1));

    EXPECT_TRUE(ui.Label2->wordWrap());
    EXPECT_TRUE(ui.Label2->alignment() & Qt::AlignBottom);
    EXPECT_TRUE(ui.Label7->wordWrap());

    // The note is red on the screen, not only in its palette.
    const QImage note = ui.Label7->grab().toImage();
    int red = 0;
    for (int y = 0; y < note.height(); ++y)
        for (int x = 0; x < note.width(); ++x) {
            const QColor c = note.pixelColor(x, y);
            red += c.red() > 160 && c.green() < 100 && c.blue() < 100;
        }
    EXPECT_GT(red, 50);
}

TEST_F(Form3Test, TrackBarsHaveATickAtEveryPosition)
{
    core::TPrintAdjustment adjustment;
    calibration::TForm3 form(adjustment);
    const testutil::Form3Controls ui(form);
    for (QSlider* slider : {ui.TrackBar1, ui.TrackBar2}) {
        SCOPED_TRACE(slider->objectName().toStdString());
        EXPECT_EQ(slider->minimum(), 0);
        EXPECT_EQ(slider->maximum(), 40);
        EXPECT_EQ(slider->value(), 20);
        EXPECT_EQ(slider->tickInterval(), 1);
    }
    EXPECT_EQ(ui.TrackBar1->orientation(), Qt::Horizontal);
    EXPECT_EQ(ui.TrackBar1->tickPosition(), QSlider::TicksBelow);
    EXPECT_FALSE(ui.TrackBar1->invertedAppearance());
    EXPECT_EQ(ui.TrackBar2->orientation(), Qt::Vertical);
    EXPECT_EQ(ui.TrackBar2->tickPosition(), QSlider::TicksRight);
}

TEST_F(Form3Test, VerticalTrackBarRunsFromTopToBottom)
{
    core::TPrintAdjustment adjustment;
    calibration::TForm3 form(adjustment);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QSlider* slider = testutil::Form3Controls(form).TrackBar2;
    // A click on the groove above the handle pages toward the top. The ticks
    // on the right push the groove off centre: look for it across the bar.
    int groove = -1;
    for (int x = 0; x < slider->width() && groove < 0; ++x) {
        QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(x, 4));
        if (slider->value() != 20)
            groove = x;
    }
    ASSERT_GE(groove, 0) << "no click above the handle moved it";
    EXPECT_EQ(slider->value(), 18) << "one page toward 0";
    EXPECT_EQ(testutil::Form3Controls(form).Label9->text(), "-2");
    // And below it, toward 40.
    for (int i = 0; i < 2; ++i)
        QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(groove, slider->height() - 4));
    EXPECT_EQ(slider->value(), 22);
}

TEST_F(Form3Test, TabOrderAndFirstFocus)
{
    core::TPrintAdjustment adjustment;
    calibration::TForm3 form(adjustment);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "Edit1");

    QStringList visited{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 7; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited, (QStringList{"Edit1", "Edit2", "TrackBar1", "TrackBar2", "Button1",
                                    "Button2", "Button3", "Edit1"}));
}

TEST_F(Form3Test, CentredOnTheScreenAtEachShowing)
{
    core::TPrintAdjustment adjustment;
    calibration::TForm3 form(adjustment);
    for (int showing = 0; showing < 2; ++showing) {
        SCOPED_TRACE(showing);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        const QRect screen = form.screen()->availableGeometry();
        const QRect frame = form.frameGeometry();
        EXPECT_LE(std::abs(frame.center().x() - screen.center().x()), 1) << frame.x();
        EXPECT_LE(std::abs(frame.center().y() - screen.center().y()), 1) << frame.y();
        form.move(0, 0);
        form.hide();
    }
}

// ------------------------------------------------------------------ loading

struct LoadRow
{
    const char* name;
    double horzScale;
    double vertScale;
    double horzOffset;
    double vertOffset;
    int position1, position2;
    const char* label8;
    const char* label9;
    QRect diagram;
    const char* edit1;
    const char* edit2;
};

void PrintTo(const LoadRow& row, std::ostream* os)
{
    *os << row.name;
}

const double NaN = std::numeric_limits<double>::quiet_NaN();

const LoadRow LoadRows[] = {
    {"NoCorrection", 0, 0, 0, 0, 20, 20, "0", "0", {48, 96, 160, 190}, "0", "0"},
    {"HalfSteps", 2.5, -2.5, 0, 0, 25, 15, "5", "-5", {48, 96, 162, 188}, "0", "0"},
    {"NegativeHalfStepsTruncateTowardZero",
     -2.5,
     2.5,
     0,
     0,
     15,
     25,
     "-5",
     "5",
     {48, 96, 158, 192},
     "0",
     "0"},
    {"OffTheGrid", 0.3, -0.3, 0, 0, 20, 19, "0", "-1", {48, 96, 160, 190}, "0", "0"},
    {"BeyondTheRange", 12, -12, 0, 0, 40, 0, "20", "-20", {48, 96, 170, 180}, "0", "0"},
    {"Huge", -1e300, 1e300, 0, 0, 0, 40, "-20", "20", {48, 96, 150, 200}, "0", "0"},
    {"NotANumber", NaN, 0, 0, 0, 0, 20, "-20", "0", {48, 96, 150, 190}, "0", "0"},
    {"Offsets", 0, 0, 3.5, -3.7, 20, 20, "0", "0", {51, 92, 160, 190}, "3.5", "-3.7"},
    {"OffsetsInTheNumberForm",
     0,
     0,
     1e-5,
     1.5e15,
     20,
     20,
     "0",
     "0",
     {48, 101, 160, 190},
     "1E-5",
     "1.5E15"},
    {"OffsetsBeyondTheCheck", 0, 0, -35, 0.1, 20, 20, "0", "0", {43, 96, 160, 190}, "-35", "0.1"},
};

void ExpectLoaded(calibration::TForm3& form, const LoadRow& row)
{
    const testutil::Form3Controls ui(form);
    EXPECT_EQ(ui.TrackBar1->value(), row.position1);
    EXPECT_EQ(ui.TrackBar2->value(), row.position2);
    EXPECT_EQ(ui.Label8->text().toStdString(), row.label8);
    EXPECT_EQ(ui.Label9->text().toStdString(), row.label9);
    EXPECT_EQ(ui.Edit1->text().toStdString(), row.edit1);
    EXPECT_EQ(ui.Edit2->text().toStdString(), row.edit2);
    EXPECT_EQ(ui.Image1->geometry(), row.diagram);
}

void Store(core::TPrintAdjustment& adjustment, const LoadRow& row)
{
    adjustment.HorzScale = row.horzScale;
    adjustment.VertScale = row.vertScale;
    adjustment.HorzOffset = row.horzOffset;
    adjustment.VertOffset = row.vertOffset;
}

class LoadTable : public Form3Test, public ::testing::WithParamInterface<LoadRow>
{
};

TEST_P(LoadTable, FormCreateLoadsTheControls)
{
    core::TPrintAdjustment adjustment;
    Store(adjustment, GetParam());
    calibration::TForm3 form(adjustment);
    ExpectLoaded(form, GetParam());
}

TEST_P(LoadTable, EachShowingReloadsTheControls)
{
    core::TPrintAdjustment adjustment;
    adjustment.HorzScale = 9.5; // something else in the controls first
    adjustment.VertOffset = 4;
    calibration::TForm3 form(adjustment);
    Store(adjustment, GetParam());
    form.show();
    ExpectLoaded(form, GetParam());
}

INSTANTIATE_TEST_SUITE_P(TForm3, LoadTable, ::testing::ValuesIn(LoadRows),
                         [](const auto& info) { return std::string(info.param.name); });

// ------------------------------------------------------------- edit boxes

struct EditRow
{
    const char* name;
    int edit; // 1 or 2
    const char* before;
    const char* typed;
    int edge; // the diagram's left (Edit1) or top (Edit2) afterwards
};

void PrintTo(const EditRow& row, std::ostream* os)
{
    *os << row.name;
}

class EditTable : public Form3Test, public ::testing::WithParamInterface<EditRow>
{
};

TEST_P(EditTable, TypingMovesTheDiagram)
{
    const EditRow& row = GetParam();
    core::TPrintAdjustment adjustment;
    calibration::TForm3 form(adjustment);
    form.show();
    const testutil::Form3Controls ui(form);
    QLineEdit* edit = row.edit == 1 ? ui.Edit1 : ui.Edit2;
    edit->setText(QString::fromUtf8(row.before));
    testutil::TypeText(edit, QString::fromUtf8(row.typed));

    const QRect expected =
        row.edit == 1 ? QRect(row.edge, 96, 160, 190) : QRect(48, row.edge, 160, 190);
    EXPECT_EQ(ui.Image1->geometry(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    TForm3, EditTable,
    ::testing::Values(EditRow{"Seven", 1, "0", "7", 53},
                      EditRow{"TwelveStopsAtFive", 1, "0", "12", 53},
                      EditRow{"MinusSeven", 1, "0", "-7", 43},
                      EditRow{"MinusHalfTruncatesTowardZero", 1, "0", "-0.5", 47},
                      EditRow{"HalfTruncatesTowardZero", 1, "0", "0.5", 48},
                      EditRow{"JustBelowFive", 1, "0", "4.99", 52},
                      EditRow{"BlanksAndExponent", 1, "0", " 2e0 ", 50},
                      EditRow{"NotANumberLeavesItWhereItWas", 1, "3", "abc", 51},
                      EditRow{"EmptyLeavesItWhereItWas", 1, "-2", "", 46},
                      EditRow{"FullWidthDigitsCount", 1, "3", "－１．５", 46},
                      EditRow{"CommaIsNotTheSeparator", 1, "3", ",5", 51},
                      EditRow{"VerticalSeven", 2, "0", "7", 101},
                      EditRow{"VerticalTwelveStopsAtFive", 2, "0", "12", 101},
                      EditRow{"VerticalMinusTwelve", 2, "0", "-12", 91},
                      EditRow{"VerticalMinusHalf", 2, "0", "-0.5", 95},
                      EditRow{"VerticalNotANumber", 2, "2", "x1", 98}),
    [](const auto& info) { return std::string(info.param.name); });

// ------------------------------------------------------------- track bars

struct TrackRow
{
    const char* name;
    int bar; // 1 or 2
    int set;
    int position;
    const char* label;
    int extent; // the diagram's width (TrackBar1) or height (TrackBar2)
};

void PrintTo(const TrackRow& row, std::ostream* os)
{
    *os << row.name;
}

class TrackTable : public Form3Test, public ::testing::WithParamInterface<TrackRow>
{
};

TEST_P(TrackTable, PositionRelabelsAndResizesTheDiagram)
{
    const TrackRow& row = GetParam();
    core::TPrintAdjustment adjustment;
    adjustment.HorzOffset = 2; // the edges stay where the offsets put them
    adjustment.VertOffset = -3;
    calibration::TForm3 form(adjustment);
    const testutil::Form3Controls ui(form);
    QSlider* bar = row.bar == 1 ? ui.TrackBar1 : ui.TrackBar2;
    QLabel* label = row.bar == 1 ? ui.Label8 : ui.Label9;
    const int labelLeft = label->x();
    bar->setValue(row.set);
    EXPECT_EQ(bar->value(), row.position);
    EXPECT_EQ(label->text().toStdString(), row.label);
    // The label grows to the right with its text.
    EXPECT_EQ(label->x(), labelLeft);
    EXPECT_EQ(label->width(), label->fontMetrics().horizontalAdvance(label->text()));
    const QRect expected =
        row.bar == 1 ? QRect(50, 93, row.extent, 190) : QRect(50, 93, 160, row.extent);
    EXPECT_EQ(ui.Image1->geometry(), expected);
}

INSTANTIATE_TEST_SUITE_P(TForm3, TrackTable,
                         ::testing::Values(TrackRow{"Sixteen", 1, 16, 16, "-4", 158},
                                           TrackRow{"Ten", 1, 10, 10, "-10", 155},
                                           TrackRow{"Seventeen", 1, 17, 17, "-3", 159},
                                           TrackRow{"TwentyNine", 1, 29, 29, "9", 164},
                                           TrackRow{"Forty", 1, 40, 40, "20", 170},
                                           TrackRow{"Zero", 1, 0, 0, "-20", 150},
                                           TrackRow{"AboveIsForty", 1, 55, 40, "20", 170},
                                           TrackRow{"BelowIsZero", 1, -3, 0, "-20", 150},
                                           TrackRow{"VerticalSixteen", 2, 16, 16, "-4", 188},
                                           TrackRow{"VerticalTen", 2, 10, 10, "-10", 185},
                                           TrackRow{"VerticalTwentyNine", 2, 29, 29, "9", 194},
                                           TrackRow{"VerticalForty", 2, 40, 40, "20", 200},
                                           TrackRow{"VerticalZero", 2, 0, 0, "-20", 180}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Form3Test, TheSameValueAgainRunsNoHandler)
{
    core::TPrintAdjustment adjustment;
    calibration::TForm3 form(adjustment);
    const testutil::Form3Controls ui(form);
    ui.TrackBar1->setValue(30);
    ui.TrackBar2->setValue(10);
    ui.Edit1->setText("7");
    ui.Edit2->setText("-1");
    ASSERT_EQ(ui.Image1->geometry(), QRect(53, 95, 165, 185));
    ASSERT_EQ(ui.Label8->text(), "10");

    // Marks that only a handler run would wipe out.
    ui.Label8->setText("x");
    ui.Label9->setText("y");
    ui.Image1->setGeometry(1, 2, 3, 4);
    ui.TrackBar1->setValue(30);
    ui.TrackBar2->setValue(10);
    ui.Edit1->setText("7");
    ui.Edit2->setText("-1");
    EXPECT_EQ(ui.Label8->text(), "x");
    EXPECT_EQ(ui.Label9->text(), "y");
    EXPECT_EQ(ui.Image1->geometry(), QRect(1, 2, 3, 4));

    // A different text of the same number is a change.
    ui.Edit1->setText("7.0");
    EXPECT_EQ(ui.Image1->geometry(), QRect(53, 2, 3, 4));
}

TEST_F(Form3Test, TheUsersKeysRunTheHandlersToo)
{
    core::TPrintAdjustment adjustment;
    calibration::TForm3 form(adjustment);
    form.show();
    const testutil::Form3Controls ui(form);
    ui.TrackBar1->setFocus();
    QTest::keyClick(ui.TrackBar1, Qt::Key_End);
    EXPECT_EQ(ui.Label8->text(), "20");
    EXPECT_EQ(ui.Image1->width(), 170);
    QTest::keyClick(ui.TrackBar1, Qt::Key_Home);
    EXPECT_EQ(ui.Label8->text(), "-20");
    EXPECT_EQ(ui.Image1->width(), 150);
}

} // namespace
