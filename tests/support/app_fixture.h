#pragma once

#include <QPushButton>
#include <QString>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "modalwatcher.h"
#include "startup.h"
#include "tapplication.h"
#include "testutil.h"

namespace apptest {

// The program's title, as start-up sets it.
QString ProgramTitle();

// The program printing to the queue "ocrtest" of a private scheduler, in a
// directory of its own (TMPDIR, HOME, its configuration directory), with the
// example forms in Documents and the program's title.
class PrintingProgram
{
protected:
    PrintingProgram();

    // Starts the program and shows the measurement dialog or the main window;
    // returns its button of that name, or null.
    QPushButton* Start(bool measurement, const char* button);
    // Closes the windows; the printer object gets its device back.
    void Stop();

    testutil::TempDir m_dir;
    testutil::ScopedEnv m_tmp;
    testutil::ScopedEnv m_home;
    testutil::ScopedEnv m_config;
    app::TApplication m_application;
    std::unique_ptr<app::ProgramWindows> m_windows;
    QWidget* m_window = nullptr;
};

// Each test gets its own temporary directory as TMPDIR, holding its
// configuration directory (.config, where the settings file is) and its cache
// directory (.cache), so that every place of the settings file is private to
// it; and an application object for the guarded handlers.
class AppTest : public ::testing::Test
{
protected:
    AppTest();
    ~AppTest() override;

    std::string SettingsFile() const { return m_dir.File(".config/ocrprint/ocrprn2.ini"); }
    const testutil::TempDir& Dir() const { return m_dir; }

    testutil::TempDir m_dir;
    testutil::ScopedEnv m_tmpdir;
    testutil::ScopedEnv m_configHome;
    testutil::ScopedEnv m_cacheHome;
    app::TApplication m_application;
};

} // namespace apptest
