#include "messagelocale.h"

#include <cstdlib>
#include <string_view>

namespace core {

bool MessagesInCLocale()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) {
            const std::string_view v(value);
            return v == "C" || v.starts_with("C.") || v == "POSIX";
        }
    }
    return true;
}

} // namespace core
