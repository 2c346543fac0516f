#pragma once

#include <string>

namespace cli {

struct CommandInfo;

// The help of the whole tool, UTF-8, in the user's language.
std::string UsageText();

// The help of one command: what it does and the options it takes.
std::string CommandUsageText(const CommandInfo& command);

// The usage error: the reason and where to look, two lines.
std::string UsageErrorText(const std::string& reason);

} // namespace cli
