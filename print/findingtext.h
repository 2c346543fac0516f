#pragma once

#include <string>

#include "datalint.h"

namespace print {

// The finding's kind as other programs match it: "field-empty", "off-paper" ...
const char* FindingCode(print::LintCode code);

// The finding's reason in the user's language, UTF-8: the words check prints
// and the window lists.
std::string FindingMessage(const print::Finding& finding);
// The same, appended to out.
void AppendFindingMessage(std::string& out, const print::Finding& finding);

} // namespace print
