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
