// Enter presses the focused button in the three windows, Escape is the
// dialogs' cancel button; Enter in an edit box presses none.
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <map>
#include <memory>

#include "app_fixture.h"
#include "ocrtst.h"
#include "startup.h"
#include "unit2.h"
#include "unit3.h"
#include "widgets.h"

namespace {

enum class Window
{
    Main,
    Measurement,
    Adjustment,
};

struct KeyRow
{
    const char* name;
    Window window;
    const char* focus; // the control the key goes to
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* clicked;  // the one button of the window clicked, or nullptr
    bool closes;          // the window is no longer shown afterwards
    bool opensAdjustment; // the adjustment dialog was shown on top
};

void PrintTo(const KeyRow& row, std::ostream* os)
{
    *os << row.name;
}

class KeyTest : public apptest::AppTest, public ::testing::WithParamInterface<KeyRow>
{
};

TEST_P(KeyTest, PressesTheRightButton)
{
    const KeyRow& row = GetParam();
    auto windows = app::StartUp(m_application);
    QWidget* window = row.window == Window::Main ? static_cast<QWidget*>(app::Form1)
                      : row.window == Window::Measurement
                          ? static_cast<QWidget*>(calibration::Form2)
                          : static_cast<QWidget*>(calibration::Form3);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    QWidget* focus = testutil::Child(window, row.focus);
    ASSERT_NE(focus, nullptr);
    focus->setFocus();

    std::map<QString, std::unique_ptr<QSignalSpy>> clicks;
    for (QPushButton* button : window->findChildren<QPushButton*>())
        clicks[button->objectName()] = std::make_unique<QSignalSpy>(button, &QPushButton::clicked);
    bool adjustmentShown = false;
    if (row.opensAdjustment)
        QTimer::singleShot(0, [&] {
            adjustmentShown = calibration::Form3->isVisible();
            calibration::Form3->reject();
        });

    QTest::keyClick(focus, row.key, row.modifiers);

    for (const auto& [name, spy] : clicks)
        EXPECT_EQ(spy->count(), row.clicked && name == QLatin1String(row.clicked) ? 1 : 0)
            << name.toStdString();
    EXPECT_EQ(!window->isVisible(), row.closes);
    EXPECT_EQ(adjustmentShown, row.opensAdjustment);
}

constexpr Qt::KeyboardModifiers None = Qt::NoModifier;

INSTANTIATE_TEST_SUITE_P(
    EnterAndEscape, KeyTest,
    ::testing::Values(KeyRow{"MainQuitReturn", Window::Main, "Button2", Qt::Key_Return, None,
                             "Button2", true, false},
                      KeyRow{"MainQuitKeypadEnter", Window::Main, "Button2", Qt::Key_Enter,
                             Qt::KeypadModifier, "Button2", true, false},
                      KeyRow{"MainAdjustmentReturn", Window::Main, "Button4", Qt::Key_Return, None,
                             "Button4", false, true},
                      KeyRow{"MainEscapeDoesNothing", Window::Main, "Button2", Qt::Key_Escape, None,
                             nullptr, false, false},
                      KeyRow{"MainShiftReturnDoesNothing", Window::Main, "Button2", Qt::Key_Return,
                             Qt::ShiftModifier, nullptr, false, false},
                      KeyRow{"MeasurementCancelReturn", Window::Measurement, "Button4",
                             Qt::Key_Return, None, "Button4", true, false},
                      KeyRow{"MeasurementEscapeOnAButton", Window::Measurement, "Button1",
                             Qt::Key_Escape, None, "Button4", true, false},
                      KeyRow{"MeasurementEscapeInAnEdit", Window::Measurement, "Edit3",
                             Qt::Key_Escape, None, "Button4", true, false},
                      KeyRow{"MeasurementReturnInAnEdit", Window::Measurement, "Edit1",
                             Qt::Key_Return, None, nullptr, false, false},
                      KeyRow{"AdjustmentOkReturn", Window::Adjustment, "Button1", Qt::Key_Return,
                             None, "Button1", true, false},
                      KeyRow{"AdjustmentCancelKeypadEnter", Window::Adjustment, "Button2",
                             Qt::Key_Enter, Qt::KeypadModifier, "Button2", true, false},
                      KeyRow{"AdjustmentEscapeOnAButton", Window::Adjustment, "Button1",
                             Qt::Key_Escape, None, "Button2", true, false},
                      KeyRow{"AdjustmentEscapeInAnEdit", Window::Adjustment, "Edit2",
                             Qt::Key_Escape, None, "Button2", true, false},
                      KeyRow{"AdjustmentReturnInAnEdit", Window::Adjustment, "Edit1",
                             Qt::Key_Return, None, nullptr, false, false}),
    [](const ::testing::TestParamInfo<KeyRow>& info) { return std::string(info.param.name); });

} // namespace
