// The measurement dialog's window as the user sees it: every control's place,
// caption and font read back from the live widgets, the look, the tab order,
// the placement, and the keys that must not end the dialog.
#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <algorithm>
#include <iterator>
#include <string_view>

#include "unit2_fixture.h"

namespace {

using form2test::CancelButton;
using form2test::DoneButton;
using form2test::FilePrinter;
using form2test::Form2Test;
using testutil::Click;
using testutil::ControlRow;

const QString Gothic = QStringLiteral("ＭＳ Ｐゴシック");
const QString UiGothic = QStringLiteral("MS UI Gothic");

// ------------------------------------------------------------------ layout

// Name, class, geometry, caption, pixels, bold, MS UI Gothic, word wrap.
// clang-format off
const ControlRow Controls[] = {
    {"Bevel2",  "QFrame",      {24, 40, 417, 81},   nullptr,          12, false, false, false},
    {"Button1", "QPushButton", {40, 64, 137, 33},   "測定用紙の印刷", 15, false, false, false},
    {"Label9",  "QLabel",      {208, 56, 213, 45},
     "プリンタに白紙をセットして、「測定用紙の印刷」ボタンをクリックしてください。",
                                                                      15, false, false, true},
    {"Label13", "QLabel",      {216, 126, 15, 15},  "↓",              15, false, false, false},
    {"Bevel1",  "QFrame",      {24, 144, 417, 145}, nullptr,          12, false, false, false},
    {"Label5",  "QLabel",      {40, 160, 133, 15},  "X：長方形の横の長さ", 15, false, false, false},
    {"Edit1",   "QLineEdit",   {200, 160, 65, 23},  nullptr,          15, false, false, false},
    {"Label1",  "QLabel",      {272, 165, 22, 15},  "mm",             15, false, false, false},
    {"Label6",  "QLabel",      {40, 194, 133, 15},  "Y：長方形の縦の長さ", 15, false, false, false},
    {"Edit2",   "QLineEdit",   {200, 192, 65, 23},  nullptr,          15, false, false, false},
    {"Label2",  "QLabel",      {272, 195, 22, 15},  "mm",             15, false, false, false},
    {"Label7",  "QLabel",      {32, 226, 153, 15},  "A：用紙の左端からの距離", 15, false, true, false},
    {"Edit3",   "QLineEdit",   {200, 224, 65, 23},  nullptr,          15, false, false, false},
    {"Label3",  "QLabel",      {272, 224, 22, 15},  "mm",             15, false, false, false},
    {"Label8",  "QLabel",      {32, 260, 154, 15},  "B：用紙の上端からの距離", 15, false, true, false},
    {"Edit4",   "QLineEdit",   {200, 256, 65, 23},  nullptr,          15, false, false, false},
    {"Label4",  "QLabel",      {272, 262, 22, 15},  "mm",             15, false, false, false},
    {"Label10", "QLabel",      {304, 160, 125, 60},
     "印刷された用紙の、XYABそれぞれの実際の長さを入力してください。",
                                                                      15, false, false, true},
    {"Label12", "QLabel",      {312, 232, 82, 15},  "（単位：ｍｍ）", 15, false, false, false},
    {"Label14", "QLabel",      {216, 296, 12, 12},  "↓",              12, false, false, false},
    {"Bevel3",  "QFrame",      {24, 312, 417, 65},  nullptr,          12, false, false, false},
    {"Button2", "QPushButton", {40, 328, 137, 33},  "テスト印刷",     15, false, false, false},
    {"Label11", "QLabel",      {208, 320, 214, 45},
     "「テスト印刷」ボタンをクリックして、規定の大きさに印刷されているか確認してください。",
                                                                      15, false, false, true},
    {"Button3", "QPushButton", {184, 400, 129, 41}, "設定完了",       15, true, false, false},
    {"Button4", "QPushButton", {328, 400, 129, 41}, "キャンセル",     15, false, false, false},
};
// clang-format on

class MeasurementDialogControls : public Form2Test, public ::testing::WithParamInterface<ControlRow>
{
};

TEST_P(MeasurementDialogControls, MatchTheLayout)
{
    const ControlRow& row = GetParam();
    QWidget* widget = testutil::RowControl(m_form2.get(), row);
    ASSERT_NE(widget, nullptr);
    // A label keeps its designed place and grows only where the installed
    // face needs more room than the designed one, just enough to show its
    // text whole.
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        EXPECT_EQ(widget->pos(), row.geometry.topLeft());
        QSize needed = row.geometry.size();
        if (label->wordWrap())
            needed.setHeight(std::max(needed.height(), label->heightForWidth(needed.width())));
        else
            needed = needed.expandedTo(label->sizeHint());
        EXPECT_EQ(widget->size(), needed);
    } else {
        EXPECT_EQ(widget->geometry(), row.geometry);
    }
    if (row.text) {
        EXPECT_EQ(testutil::Caption(widget).toStdString(), row.text);
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        EXPECT_EQ(label->wordWrap(), row.wordWrap);
    }
    if (auto* bevel = qobject_cast<QFrame*>(widget); bevel && !qobject_cast<QLabel*>(widget)) {
        EXPECT_EQ(bevel->frameShape(), QFrame::Box);
        EXPECT_EQ(bevel->frameShadow(), QFrame::Sunken);
    }
    EXPECT_EQ(widget->font().family(), row.uiGothic ? UiGothic : Gothic);
    EXPECT_EQ(widget->font().pixelSize(), row.pixelSize);
    EXPECT_EQ(widget->font().bold(), row.bold);
    EXPECT_FALSE(widget->font().italic());
    // Only the buttons and the edit boxes take the focus.
    const bool tabStop = (widget->focusPolicy() & Qt::TabFocus) != 0;
    EXPECT_EQ(tabStop, qobject_cast<QPushButton*>(widget) || qobject_cast<QLineEdit*>(widget));
    // No button reacts to Enter unless it is clicked.
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        EXPECT_FALSE(button->autoDefault());
        EXPECT_FALSE(button->isDefault());
    }
}

INSTANTIATE_TEST_SUITE_P(TForm2, MeasurementDialogControls, ::testing::ValuesIn(Controls),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MeasurementDialogForm, HoldsTheDesignedGeometryOfEveryControl)
{
    // The form as designed, before any font is applied.
    QDialog dialog;
    Ui::TForm2 ui;
    ui.setupUi(&dialog);
    EXPECT_EQ(dialog.size(), QSize(466, 450));
    for (const ControlRow& row : Controls) {
        SCOPED_TRACE(row.name);
        auto* widget = dialog.findChild<QWidget*>(QString::fromLatin1(row.name));
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), row.geometry);
    }
    EXPECT_EQ(dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(),
              static_cast<qsizetype>(std::size(Controls)));
}

TEST_F(Form2Test, WindowCaptionSizeBorderAndLook)
{
    calibration::TForm2& form = *m_form2;
    EXPECT_EQ(form.objectName(), "TForm2");
    EXPECT_EQ(form.windowTitle(), QStringLiteral("プリンタ誤差測定"));
    EXPECT_EQ(form.size(), QSize(466, 450));
    // The default resizable border with all three boxes.
    EXPECT_EQ(form.maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    EXPECT_LT(form.minimumSize().width(), 466);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(form.font().family(), Gothic);
    EXPECT_EQ(form.font().pixelSize(), 12);
    EXPECT_FALSE(form.font().bold());
    EXPECT_TRUE(form.autoFillBackground());
    EXPECT_EQ(form.backgroundRole(), QPalette::Button);

    // The done button in blue, the others in the usual colour.
    auto* done = testutil::ButtonCaptioned(&form, DoneButton);
    auto* cancel = testutil::ButtonCaptioned(&form, CancelButton);
    ASSERT_NE(done, nullptr);
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(done->palette().color(QPalette::ButtonText), QColor(Qt::blue));
    EXPECT_NE(cancel->palette().color(QPalette::ButtonText), QColor(Qt::blue));

    // The colon after each length's letter is the full-width one.
    for (const char* name : {"Label5", "Label6", "Label7", "Label8"}) {
        SCOPED_TRACE(name);
        auto* label = form.findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_NE(label, nullptr);
        ASSERT_GE(label->text().size(), 2);
        EXPECT_EQ(label->text().at(1), QChar(0xFF1A));
    }
}

TEST_F(Form2Test, TabOrderRunsFromTheSheetButtonThroughTheBoxesToCancel)
{
    QWidget* start = m_form2->findChild<QWidget*>("Button1");
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(testutil::TabChain(start), (QStringList{"Button1", "Edit1", "Edit2", "Edit3", "Edit4",
                                                      "Button2", "Button3", "Button4"}));
}

TEST_F(Form2Test, CentredOnTheScreenAtEveryShowing)
{
    for (int showing = 0; showing < 2; ++showing) {
        SCOPED_TRACE(showing);
        m_form2->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_form2.get()));
        const QRect screen = m_form2->screen()->availableGeometry();
        const QRect frame = m_form2->frameGeometry();
        EXPECT_LE(std::abs(frame.center().x() - screen.center().x()), 1) << frame.x();
        EXPECT_LE(std::abs(frame.center().y() - screen.center().y()), 1) << frame.y();
        m_form2->move(frame.topLeft() + QPoint(37, 23)); // the user moves it away
        Click(m_form2.get(), CancelButton);
        EXPECT_FALSE(m_form2->isVisible());
    }
}

struct KeyRow
{
    const char* name;
    const char* focus; // the widget that gets the key
    Qt::Key key;
};

void PrintTo(const KeyRow& row, std::ostream* os)
{
    *os << row.name;
}

class KeyTable : public Form2Test, public ::testing::WithParamInterface<KeyRow>
{
};

// Enter in an edit box presses no button (Enter on a button and Escape are in
// the key table of the window tests).
TEST_P(KeyTable, EnterInAnEditBoxDoesNotEndTheDialog)
{
    const KeyRow& row = GetParam();
    FilePrinter printer(Dir().Path(), 300);
    m_form2->show();
    TypeAll({"151", "200", "100", "150"});
    QWidget* target = row.focus == std::string_view("TForm2")
                          ? m_form2.get()
                          : m_form2->findChild<QWidget*>(QString::fromLatin1(row.focus));
    ASSERT_NE(target, nullptr);
    target->setFocus();
    QTest::keyClick(target, row.key);

    EXPECT_TRUE(m_form2->isVisible());
    EXPECT_EQ(m_form2->result(), 0);
    ExpectLengths(150, 200, 100, 150);
    ExpectAdjustmentDialogUntouched();
    EXPECT_TRUE(printer.Ops().empty());
}

INSTANTIATE_TEST_SUITE_P(TForm2, KeyTable,
                         ::testing::Values(KeyRow{"ReturnInABox", "Edit4", Qt::Key_Return},
                                           KeyRow{"EnterInABox", "Edit2", Qt::Key_Enter},
                                           KeyRow{"ReturnOnTheWindow", "TForm2", Qt::Key_Return}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
