// The program's own QApplication: an exception that escapes an event handler
// without the guard still reaches the error box, and the program goes on.
#include <QApplication>
#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>

#include "app_fixture.h"
#include "cp932.h"
#include "eprinter.h"
#include "tapplication.h"

namespace {

using testutil::BoxSeen;
using testutil::ModalWatcher;

const QEvent::Type ThrowEvent = QEvent::Type(QEvent::User + 1);

class Thrower : public QObject
{
public:
    int Events = 0;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == ThrowEvent) {
            ++Events;
            throw core::EPrinter(core::EncodeCp932("選択したプリンタは有効ではありません"));
        }
        return QObject::event(e);
    }
};

TEST(GuardedApplication, SentEventThatThrowsShowsTheBox)
{
    Thrower thrower;
    std::vector<BoxSeen> boxes;
    ModalWatcher watcher([&](QWidget* w) { boxes.push_back(testutil::ReadAndCloseBox(w)); });
    QEvent event(ThrowEvent);
    EXPECT_FALSE(QCoreApplication::sendEvent(&thrower, &event));
    EXPECT_EQ(thrower.Events, 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Title, apptest::ProgramTitle());
    EXPECT_EQ(boxes[0].Text, QStringLiteral("選択したプリンタは有効ではありません."));
    EXPECT_EQ(boxes[0].Icon, QMessageBox::Critical);
    EXPECT_EQ(boxes[0].ButtonCount, 1);
}

TEST(GuardedApplication, PostedEventThatThrowsShowsTheBoxAndTheLoopGoesOn)
{
    Thrower thrower;
    std::vector<BoxSeen> boxes;
    ModalWatcher watcher([&](QWidget* w) { boxes.push_back(testutil::ReadAndCloseBox(w)); });
    QCoreApplication::postEvent(&thrower, new QEvent(ThrowEvent));
    QCoreApplication::postEvent(&thrower, new QEvent(ThrowEvent));
    for (int i = 0; i < 500 && boxes.size() < 2; ++i)
        QTest::qWait(10);
    EXPECT_EQ(thrower.Events, 2);
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    app::TApplication application(argc, argv);
    application.Title = apptest::ProgramTitle();
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
