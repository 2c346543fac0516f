// The three print buttons while a page goes to the private scheduler: the
// windows go on (a timer keeps firing while the scheduler is frozen), and a
// deliberate press meanwhile (after the double-click interval) is refused with
// "現在印刷中です" while the first job goes on: one job, never two.
#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <csignal>

#include "app_fixture.h"
#include "cupsscheduler.h"
#include "ocrtst.h"
#include "startup.h"
#include "tprinter.h"
#include "unit2.h"

namespace {

using testutil::ModalWatcher;

struct ButtonRow
{
    const char* Name;
    bool Measurement; // the measurement dialog's button, else the main window's
    const char* Button;
};

void PrintTo(const ButtonRow& row, std::ostream* os)
{
    *os << row.Name;
}

const QString Printing = QString::fromUtf8("現在印刷中です.");

class HandOverWindowTest : public cupstest::CupsTest,
                           protected apptest::PrintingProgram,
                           public ::testing::WithParamInterface<ButtonRow>
{
protected:
    void SetUp() override
    {
        cupstest::CupsTest::SetUp();
        if (IsSkipped())
            return;
        m_button = Start(GetParam().Measurement, GetParam().Button);
        ASSERT_NE(m_button, nullptr);
    }

    void TearDown() override
    {
        if (m_frozen)
            Scheduler().Signal(SIGCONT);
        Stop();
    }

    // The jobs the scheduler has finished since before: waits for the first,
    // then counts every one listed.
    int JobsSince(int before)
    {
        if (Scheduler().WaitForJob(before) == 0)
            return 0;
        int count = 0;
        for (const auto& [id, name] : Scheduler().Jobs())
            count += id > before;
        return count;
    }

    QPushButton* m_button = nullptr;
    bool m_frozen = false;
};

TEST_P(HandOverWindowTest, FrozenSchedulerLeavesTheWindowResponsive)
{
    std::vector<testutil::BoxSeen> boxes;
    ModalWatcher watcher([&](QWidget* w) { boxes.push_back(testutil::ReadAndCloseBox(w)); });
    const int before = Scheduler().LastJobId();
    ASSERT_TRUE(Scheduler().Signal(SIGSTOP));
    m_frozen = true;

    // Ticks while the job is open: the window's events are handled. The
    // first one presses the button again, the third thaws the scheduler.
    int ticks = 0;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (!surface::PrinterObject()->Printing())
            return;
        ++ticks;
        if (ticks == 1)
            m_button->click();
        if (ticks == 3) {
            Scheduler().Signal(SIGCONT);
            m_frozen = false;
        }
    });
    timer.start();
    QTest::mouseClick(m_button, Qt::LeftButton);
    timer.stop();

    EXPECT_GE(ticks, 3);
    EXPECT_FALSE(surface::PrinterObject()->Printing());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, Printing);
    EXPECT_EQ(JobsSince(before), 1);
}

// A scheduler that stays stopped: the job gives up within its bound and the
// window, still open, shows the box naming the scheduler; nothing is printing
// afterwards.
TEST_P(HandOverWindowTest, StoppedSchedulerIsNamedInTheBox)
{
    std::vector<testutil::BoxSeen> boxes;
    ModalWatcher watcher([&](QWidget* w) { boxes.push_back(testutil::ReadAndCloseBox(w)); });
    ASSERT_TRUE(Scheduler().Signal(SIGSTOP));
    m_frozen = true;
    QTest::mouseClick(m_button, Qt::LeftButton);
    Scheduler().Signal(SIGCONT);
    m_frozen = false;

    EXPECT_FALSE(surface::PrinterObject()->Printing());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, QString::fromStdString(
                                 "印刷スケジューラが応答しません: " + Scheduler().Server() + "."));
}

TEST_P(HandOverWindowTest, DoubleClickPrintsOnce)
{
    std::vector<testutil::BoxSeen> boxes;
    ModalWatcher watcher([&](QWidget* w) { boxes.push_back(testutil::ReadAndCloseBox(w)); });
    const int before = Scheduler().LastJobId();

    // Both clicks queued as the window system delivers them: the second is
    // handled while the first one's job is open.
    const QPointF at = QRectF(m_button->rect()).center();
    const QPointF global = m_button->mapToGlobal(at);
    for (int i = 0; i < 2; ++i) {
        QCoreApplication::postEvent(m_button, new QMouseEvent(QEvent::MouseButtonPress, at, global,
                                                              Qt::LeftButton, Qt::LeftButton,
                                                              Qt::NoModifier));
        QCoreApplication::postEvent(m_button,
                                    new QMouseEvent(QEvent::MouseButtonRelease, at, global,
                                                    Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
    }
    QCoreApplication::processEvents();

    EXPECT_FALSE(surface::PrinterObject()->Printing());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, Printing);
    EXPECT_EQ(JobsSince(before), 1);
}

INSTANTIATE_TEST_SUITE_P(PrintButtons, HandOverWindowTest,
                         ::testing::Values(ButtonRow{"MainWindowPrint", false, "Button1"},
                                           ButtonRow{"MeasurementSheet", true, "Button1"},
                                           ButtonRow{"TestPrint", true, "Button2"}),
                         [](const ::testing::TestParamInfo<ButtonRow>& info) {
                             return std::string(info.param.Name);
                         });

} // namespace
