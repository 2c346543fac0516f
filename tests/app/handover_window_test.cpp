// The three print buttons while a page goes to the private scheduler: the
// windows go on (a timer keeps firing while the scheduler is frozen), and a
// deliberate press meanwhile (after the double-click interval) is refused with
// "現在印刷中です" while the first job goes on: one job, never two.
#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <csignal>

#include "app_fixture.h"
#include "cupsscheduler.h"
#include "ocrtst.h"
#include "printerdevice.h"
#include "scopedenv.h"
#include "startup.h"
#include "tprinter.h"
#include "unit2.h"

namespace {

using testutil::ModalWatcher;
using testutil::ScopedEnv;

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
                           public ::testing::WithParamInterface<ButtonRow>
{
protected:
    HandOverWindowTest()
        : m_tmp("TMPDIR", m_dir.Path()), m_home("HOME", m_dir.Path()),
          m_config("XDG_CONFIG_HOME", m_dir.File(".config"))
    {}

    void SetUp() override
    {
        cupstest::CupsTest::SetUp();
        if (IsSkipped())
            return;
        QApplication::setQuitOnLastWindowClosed(false);
        QDir().mkpath(QString::fromStdString(m_dir.File("Documents")));
        testutil::WriteFileBytes(
            m_dir.File("Documents/ocrdat.prn"),
            testutil::ReadFileBytes(testutil::SourceDir() + "/examples/ocrdat.prn"));
        m_application.Title = apptest::ProgramTitle();
        surface::PrinterObject()->SetDevice(std::make_unique<surface::PrinterDevice>("ocrtest"));
        m_windows = app::StartUp(m_application);
        QWidget* window = GetParam().Measurement
                              ? static_cast<QWidget*>(m_windows->Measurement.get())
                              : m_windows->Main.get();
        window->show();
        m_button = window->findChild<QPushButton*>(GetParam().Button);
        ASSERT_NE(m_button, nullptr);
    }

    void TearDown() override
    {
        if (m_frozen)
            Scheduler().Signal(SIGCONT);
        m_windows.reset();
        if (!IsSkipped())
            surface::PrinterObject()->SetDevice(nullptr);
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

    testutil::TempDir m_dir;
    ScopedEnv m_tmp;
    ScopedEnv m_home;
    ScopedEnv m_config;
    app::TApplication m_application;
    std::unique_ptr<app::ProgramWindows> m_windows;
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
