#include "tprinter.h"

#include "cp932.h"
#include "eprinter.h"
#include "fonts.h"
#include "printerdevice.h"
#include "printererror.h"
#include "tprintercanvas.h"
#include "tracewriter.h"

#include <QCoreApplication>

namespace surface {

void ThrowPrinterError(const char* messageUtf8)
{
    throw core::EPrinter(core::EncodeCp932(messageUtf8));
}

int GetDeviceCaps(HDC dc, int index)
{
    if (!dc)
        return 0;
    const PrinterCaps caps = dc->Caps();
    switch (index) {
    case LOGPIXELSX:
        return caps.DpiX;
    case LOGPIXELSY:
        return caps.DpiY;
    case PHYSICALOFFSETX:
        return caps.OffsetX;
    case PHYSICALOFFSETY:
        return caps.OffsetY;
    default:
        return 0;
    }
}

TPrinter::TPrinter()
    : m_canvas(std::make_unique<TPrinterCanvas>(*this)),
      m_factory([] { return std::make_unique<PrinterDevice>(); })
{
    // Any program that prints gets the Japanese faces, not only the main one.
    InstallFontSubstitutions();
}

TPrinter::~TPrinter()
{
    // A document still open at the end is finished, as a printer would.
    if (m_printing) {
        try {
            CloseDocument();
        } catch (...) {
            // Too late to report anything.
        }
    }
}

HDC TPrinter::DeviceHandle()
{
    if (!m_device) {
        std::unique_ptr<Device> device = m_factory ? m_factory() : nullptr;
        if (!device)
            ThrowPrinterError(MsgNoDefaultPrinter);
        m_device = std::move(device);
    }
    return m_device.get();
}

void TPrinter::OpenDocument()
{
    if (m_printing)
        ThrowPrinterError(MsgPrinting);
    Device* device = DeviceHandle();
    const PrinterCaps caps = device->Caps();
    m_canvas->Font().SyncPixelsPerInch(caps.DpiY);
    m_painter = device->StartDocument(DocumentTitle);
    m_printing = true;
    if (m_trace)
        m_trace->Open(DocumentTitle, caps.DpiX, caps.DpiY, caps.OffsetX, caps.OffsetY);
}

DocumentOutput TPrinter::CloseDocument()
{
    CheckPrinting();
    // The painter belongs to the document: whatever EndDocument does, the
    // printer is ready for the next one afterwards.
    m_painter = nullptr;
    m_printing = false;
    DocumentOutput output = m_device->EndDocument();
    if (m_trace)
        m_trace->Close();
    return output;
}

void TPrinter::AbortDocument() noexcept
{
    if (!m_printing)
        return;
    m_painter = nullptr;
    m_printing = false;
    try {
        m_device->AbortDocument();
    } catch (...) {
        // Nothing more can be done for a document being thrown away.
    }
    if (m_trace)
        m_trace->Abort();
}

TPrinterCanvas* TPrinter::PageCanvas()
{
    return m_canvas.get();
}

void TPrinter::SetDevice(std::unique_ptr<Device> device)
{
    if (m_printing)
        ThrowPrinterError(MsgPrinting);
    m_device = std::move(device);
}

void TPrinter::SetDefaultDeviceFactory(DeviceFactory factory)
{
    m_factory = std::move(factory);
}

void TPrinter::SetTrace(TraceWriter* trace)
{
    m_trace = trace;
}

void TPrinter::CheckPrinting() const
{
    if (!m_printing)
        ThrowPrinterError(MsgNotPrinting);
}

namespace {

std::unique_ptr<TPrinter>& Instance()
{
    static std::unique_ptr<TPrinter> printer;
    return printer;
}

void DestroyInstance()
{
    Instance().reset();
}

} // namespace

TPrinter* PrinterObject()
{
    std::unique_ptr<TPrinter>& printer = Instance();
    if (!printer) {
        printer = std::make_unique<TPrinter>();
        // An open document is finished while the application, and with it the
        // fonts, still exists; without one the static's destructor does it.
        if (QCoreApplication::instance())
            qAddPostRoutine(DestroyInstance);
    }
    return printer.get();
}

} // namespace surface
