// The print buttons pressed through the X server as a user does: a
// double-click prints one form, so does a key held down, and a second press
// after the double-click interval prints again. Counted at the private
// scheduler. Runs under its own Xvfb.
#include <QApplication>
#include <QGuiApplication>
#include <QProcess>
#include <QPushButton>
#include <QStyleHints>
#include <QTest>

#include "app_fixture.h"
#include "cupsscheduler.h"
#include "ocrtst.h"
#include "startup.h"
#include "tprinter.h"
#include "unit2.h"

namespace {

struct PressRow
{
    const char* Name;
    bool Measurement; // the measurement dialog's button, else the main window's
    const char* Button;
    int GapMs;      // between two clicks; -1 for Key held down
    int AfterGapMs; // added to the double-click interval
    int Jobs;
    const char* Key = "space";
};

void PrintTo(const PressRow& row, std::ostream* os)
{
    *os << row.Name;
}

class DoubleClickTest : public cupstest::CupsTest,
                        protected apptest::PrintingProgram,
                        public ::testing::WithParamInterface<PressRow>
{
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != "xcb")
            GTEST_SKIP() << "needs an X server";
        cupstest::CupsTest::SetUp();
        if (IsSkipped())
            return;
        m_button = Start(GetParam().Measurement, GetParam().Button);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window));
        ASSERT_NE(m_button, nullptr);
    }

    void TearDown() override { Stop(); }

    // Runs xdotool on the window while the window handles its events.
    void XDoTool(QStringList args)
    {
        QProcess tool;
        tool.start("xdotool", args);
        ASSERT_TRUE(tool.waitForStarted());
        while (tool.state() != QProcess::NotRunning)
            QTest::qWait(5);
        ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    }

    QPushButton* m_button = nullptr;
};

TEST_P(DoubleClickTest, JobsAtTheScheduler)
{
    const PressRow& row = GetParam();
    const int before = Scheduler().LastJobId();
    if (row.GapMs < 0) {
        m_window->activateWindow();
        m_button->setFocus();
        XDoTool({"windowfocus", "--sync", QString::number(m_window->winId()), "keydown", row.Key,
                 "sleep", "1.5", "keyup", row.Key});
    } else {
        const int gap =
            row.GapMs +
            (row.AfterGapMs
                 ? QGuiApplication::styleHints()->mouseDoubleClickInterval() + row.AfterGapMs
                 : 0);
        const QPoint at = m_button->mapTo(m_window, m_button->rect().center());
        XDoTool({"mousemove", "--window", QString::number(m_window->winId()),
                 QString::number(at.x()), QString::number(at.y()), "click", "1", "sleep",
                 QString::number(gap / 1000.0), "click", "1"});
    }
    ASSERT_NE(Scheduler().WaitForJob(before), 0);
    QTest::qWait(300);
    int jobs = 0;
    for (const auto& [id, name] : Scheduler().Jobs())
        jobs += id > before;
    EXPECT_EQ(jobs, row.Jobs);
    EXPECT_FALSE(surface::PrinterObject()->Printing());
}

// clang-format off
#define PRESS_ROWS(name, measurement, button)                       \
    PressRow{name "Gap60", measurement, button, 60, 0, 1},          \
    PressRow{name "Gap120", measurement, button, 120, 0, 1},        \
    PressRow{name "Gap200", measurement, button, 200, 0, 1},        \
    PressRow{name "AfterInterval", measurement, button, 0, 150, 2}, \
    PressRow{name "SpaceHeld", measurement, button, -1, 0, 1}
// clang-format on

INSTANTIATE_TEST_SUITE_P(
    PrintButtons, DoubleClickTest,
    ::testing::Values(PRESS_ROWS("MainWindowPrint", false, "Button1"),
                      PRESS_ROWS("MeasurementSheet", true, "Button1"),
                      PRESS_ROWS("TestPrint", true, "Button2"),
                      // Enter clicks the focused button, held or not
                      PressRow{"MainWindowPrintEnterHeld", false, "Button1", -1, 0, 1, "Return"},
                      PressRow{"MeasurementSheetEnterHeld", true, "Button1", -1, 0, 1, "Return"},
                      PressRow{"TestPrintEnterHeld", true, "Button2", -1, 0, 1, "Return"},
                      PressRow{"TestPrintKeypadEnterHeld", true, "Button2", -1, 0, 1, "KP_Enter"}),
    [](const ::testing::TestParamInfo<PressRow>& info) { return std::string(info.param.Name); });

} // namespace
