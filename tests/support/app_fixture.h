#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "scopedenv.h"
#include "tapplication.h"
#include "testutil.h"

namespace apptest {

// Looks for a modal window while a nested event loop runs (a dialog's or a
// message box's exec()) and hands each new one to handle, which must close it.
class ModalWatcher
{
public:
    explicit ModalWatcher(std::function<void(QWidget*)> handle);
    int Count() const { return m_count; }

private:
    std::function<void(QWidget*)> m_handle;
    QTimer m_timer;
    int m_count = 0;
};

// What an error box showed.
struct BoxSeen
{
    QString Title;
    QString Text;
    int Icon = -1;
    int ButtonCount = 0;
    QString ButtonText;
    bool OkButton = false;
};
// Reads the message box w, then presses its button.
BoxSeen ReadAndCloseBox(QWidget* w);

// The program's title, as start-up sets it.
QString ProgramTitle();

// Each test gets its own temporary directory as TMPDIR, so the settings file
// is private to it, and an application object for the guarded handlers.
class AppTest : public ::testing::Test
{
protected:
    AppTest();
    ~AppTest() override;

    std::string SettingsFile() const { return m_dir.File("ocrprn2.ini"); }
    const testutil::TempDir& Dir() const { return m_dir; }

    testutil::TempDir m_dir;
    testutil::ScopedEnv m_tmpdir;
    app::TApplication m_application;
};

} // namespace apptest
