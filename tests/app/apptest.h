#pragma once
// printdialog_test.cpp still includes the application fixture by its earlier
// header name and takes the environment guard from the fixture's namespace;
// this goes once it includes app_fixture.h and uses testutil::ScopedEnv.
#include "app_fixture.h"

namespace apptest {
using testutil::ScopedEnv;
} // namespace apptest
