#include "documentscope.h"

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

void DocumentScope::Close()
{
    m_printer.CloseDocument();
    m_closed = true;
}

} // namespace surface
