#pragma once

#include <QString>
#include <string>

#include <gtest/gtest.h>

#include "modalwatcher.h"
#include "tapplication.h"
#include "testutil.h"

namespace apptest {

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
