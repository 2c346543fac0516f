#pragma once

#include "exception.h"

namespace core {

// The print surface refused an operation (no printer, invalid printer, a
// document already open or none open, no spool file, a page that cannot be
// set up); surface/printererror.h has one message per cause.
class EPrinter : public Exception
{
public:
    using Exception::Exception;
};

} // namespace core
