#pragma once

#include <string>

namespace cli {

struct CommandInfo;

// The help of the whole tool, UTF-8, in the user's language.
std::string UsageText();

// The help of one command: what it does and the options it takes.
std::string CommandUsageText(const CommandInfo& command);

// Writes the usage error on standard error: the reason (shown already: its
// control bytes escaped) and where to look, two lines.
void ReportUsageError(const std::string& reason);

} // namespace cli
