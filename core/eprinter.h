#pragma once

#include "exception.h"

namespace core {

// The print surface refused an operation (no printer, invalid printer, a
// document already open or none open).
class EPrinter : public Exception
{
public:
    using Exception::Exception;
};

} // namespace core
