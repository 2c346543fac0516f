#include "documentscope.h"

#include "device.h"
#include "tprinter.h"

namespace surface {

DocumentScope::DocumentScope(TPrinter& printer) : m_printer(printer)
{
    m_printer.OpenDocument();
}

DocumentScope::~DocumentScope()
{
    if (!m_closed)
        m_printer.AbortDocument();
}

DocumentOutput DocumentScope::Close()
{
    DocumentOutput output = m_printer.CloseDocument();
    m_closed = true;
    return output;
}

} // namespace surface
