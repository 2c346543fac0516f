#pragma once
// printdialog_test.cpp still includes the application fixture by its earlier
// header name; this goes once it includes app_fixture.h itself.
#include "app_fixture.h"
