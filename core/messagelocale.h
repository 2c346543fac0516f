#pragma once

namespace core {

// As gettext has it: under the C locale (LC_ALL, LC_MESSAGES, LANG, the first
// one set; none set is C) the programs' texts stay as written, whatever
// LANGUAGE asks for.
bool MessagesInCLocale();

} // namespace core
