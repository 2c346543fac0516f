#pragma once

#include "exception.h"

namespace core {

// A text that should have been a number was not.
class EConvertError : public Exception
{
public:
    using Exception::Exception;
};

} // namespace core
