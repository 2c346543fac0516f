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

void ThrowSpoolError(const std::string& queue, const std::string& reasonUtf8)
{
    const std::string message = "プリンタ " + queue + " に印刷できませんでした: " +
                                (reasonUtf8.empty() ? std::string("理由は不明です") : reasonUtf8);
    throw core::EPrinter(core::EncodeCp932(message));
}

void ThrowSchedulerError(const std::string& schedulerUtf8)
{
    throw core::EPrinter(
        core::EncodeCp932(std::string(MsgSchedulerNotAnswering) + ": " + schedulerUtf8));
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
        // Finding the default printer asks the scheduler while the windows
        // go on: a click meanwhile must not look for one a second time.
        if (m_finding)
            ThrowPrinterError(MsgPrinting);
        m_finding = true;
        std::unique_ptr<Device> device;
        try {
            device = m_factory ? m_factory() : nullptr;
        } catch (...) {
            m_finding = false;
            throw;
        }
        m_finding = false;
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
    // Open from here on: while the device asks the spooler, a print started
    // by a click is refused.
    m_printing = true;
    try {
        m_painter = device->StartDocument(DocumentTitle);
    } catch (...) {
        m_printing = false;
        throw;
    }
    if (m_trace)
        m_trace->Open(DocumentTitle, caps.DpiX, caps.DpiY, caps.OffsetX, caps.OffsetY);
}

DocumentOutput TPrinter::CloseDocument()
{
    CheckPrinting();
    // The painter belongs to the document. The document stays open while the
    // page is handed over, so that a print started meanwhile is refused;
    // whatever EndDocument does, the printer is ready for the next one
    // afterwards.
    m_painter = nullptr;
    DocumentOutput output;
    try {
        output = m_device->EndDocument();
    } catch (...) {
        m_printing = false;
        if (m_trace)
            m_trace->Abort();
        throw;
    }
    m_printing = false;
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
    if (m_printing || m_finding)
        ThrowPrinterError(MsgPrinting);
    m_device = std::move(device);
}

std::unique_ptr<Device> TPrinter::ExchangeDevice(std::unique_ptr<Device> device)
{
    if (m_printing || m_finding)
        ThrowPrinterError(MsgPrinting);
    std::swap(m_device, device);
    return device;
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
