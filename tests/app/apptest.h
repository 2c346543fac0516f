#pragma once
// printdialog_test.cpp still includes the application fixture by its earlier
// header name and takes the modal window watcher and the environment guard
// from the fixture's namespace; this goes once it includes app_fixture.h and
// uses them from testutil.
#include <functional>
#include <memory>

#include "app_fixture.h"

namespace apptest {
using testutil::ModalWatcher;
using testutil::ScopedEnv;
} // namespace apptest
