#pragma once
// What most tests share: their files (files.h), the environment for one
// scope (scopedenv.h), and the print surface's trace read back.

#include <QJsonObject>
#include <QString>
#include <string>
#include <vector>

#include "files.h"
#include "scopedenv.h"

namespace testutil {

// A trace of the print surface: its lines as JSON objects (empty when the
// file cannot be read).
std::vector<QJsonObject> ReadTrace(const std::string& path);
// The lines of one operation ("open", "text", ...); all of them for nullptr.
std::vector<QJsonObject> TraceOps(const std::vector<QJsonObject>& trace, const char* op);

} // namespace testutil
