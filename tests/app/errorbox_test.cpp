// The error box that a guarded handler's exception brings up.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <stdexcept>

#include "app_fixture.h"
#include "cp932.h"
#include "eprinter.h"
#include "handlerguard.h"

namespace {

using apptest::AppTest;
using testutil::BoxSeen;
using testutil::ModalWatcher;

TEST_F(AppTest, GuardedHandlerShowsThePrinterErrorAndTheProgramGoesOn)
{
    QPushButton button;
    int runs = 0;
    QObject::connect(&button, &QPushButton::clicked, &button, app::TApplication::Guard([&] {
        ++runs;
        throw core::EPrinter(core::EncodeCp932("現在印刷中です"));
    }));
    std::vector<BoxSeen> boxes;
    ModalWatcher watcher([&](QWidget* w) { boxes.push_back(testutil::ReadAndCloseBox(w)); });

    button.click();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Title, apptest::ProgramTitle());
    EXPECT_EQ(boxes[0].Text, QStringLiteral("現在印刷中です."));
    EXPECT_EQ(boxes[0].Icon, QMessageBox::Critical);
    EXPECT_EQ(boxes[0].ButtonCount, 1);
    EXPECT_TRUE(boxes[0].OkButton);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // The same handler works, and fails, again.
    button.click();
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(boxes.size(), 2u);
}

TEST_F(AppTest, StandardExceptionsSpeakUtf8)
{
    std::vector<BoxSeen> boxes;
    ModalWatcher watcher([&](QWidget* w) { boxes.push_back(testutil::ReadAndCloseBox(w)); });
    app::TApplication::Protect([] { throw std::runtime_error("ファイルがありません"); });
    app::TApplication::Protect([] { throw std::runtime_error("Out of paper!"); });
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].Text, QStringLiteral("ファイルがありません."));
    EXPECT_EQ(boxes[1].Text, QStringLiteral("Out of paper!"));
    EXPECT_EQ(boxes[1].Icon, QMessageBox::Critical);
}

TEST_F(AppTest, AnythingThrownIsShown)
{
    std::vector<BoxSeen> boxes;
    ModalWatcher watcher([&](QWidget* w) { boxes.push_back(testutil::ReadAndCloseBox(w)); });
    bool after = false;
    app::TApplication::Protect([] { throw 42; });
    after = true;
    EXPECT_TRUE(after);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Title, apptest::ProgramTitle());
    EXPECT_EQ(boxes[0].Icon, QMessageBox::Critical);
    EXPECT_FALSE(boxes[0].Text.isEmpty());
}

TEST_F(AppTest, HandlerThatSucceedsShowsNothing)
{
    ModalWatcher watcher([](QWidget* w) { w->close(); });
    int runs = 0;
    app::TApplication::Guard([&] { ++runs; })();
    QTest::qWait(30);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(watcher.Count(), 0);
}

TEST_F(AppTest, DialogHandlersUseTheSameBoxOnceInitialised)
{
    m_application.Initialize();
    std::vector<BoxSeen> boxes;
    ModalWatcher watcher([&](QWidget* w) { boxes.push_back(testutil::ReadAndCloseBox(w)); });
    struct Dialog
    {
        void Button1Click()
        {
            throw core::EPrinter(core::EncodeCp932("プリンタに印刷できる状態ではありません"));
        }
    } dialog;
    calibration::Guard(&dialog, &Dialog::Button1Click)();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Title, apptest::ProgramTitle());
    EXPECT_EQ(boxes[0].Text, QStringLiteral("プリンタに印刷できる状態ではありません."));
    calibration::SetHandlerRunner(nullptr);
}

TEST(ErrorBoxWithoutApplication, IsWrittenToStandardErrorInstead)
{
    ASSERT_EQ(app::Application, nullptr);
    ModalWatcher watcher([](QWidget* w) { w->close(); });
    testing::internal::CaptureStderr();
    app::TApplication::Protect([] { throw core::EPrinter(core::EncodeCp932("現在印刷中です")); });
    const std::string err = testing::internal::GetCapturedStderr();
    QTest::qWait(30);
    EXPECT_EQ(watcher.Count(), 0);
    EXPECT_NE(err.find("現在印刷中です"), std::string::npos) << err;
}

} // namespace
