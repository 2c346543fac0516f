#pragma once

#include <functional>
#include <memory>
#include <string>

#include "device.h"

namespace surface {

class TPrinterCanvas;
class TraceWriter;

// What the capability queries are made on.
using HDC = Device*;

// The capability indexes, with the numbers the Windows API gives them.
enum : int
{
    LOGPIXELSX = 88,
    LOGPIXELSY = 90,
    PHYSICALOFFSETX = 112,
    PHYSICALOFFSETY = 113,
};

// GetDeviceCaps(DeviceHandle, index): one of the device's four capabilities,
// 0 for any other index or no device.
int GetDeviceCaps(HDC dc, int index);

// The one printer object of the process.
class TPrinter
{
public:
    TPrinter();
    ~TPrinter();
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    // The document's name for the spooler, code page 932 bytes. Empty at first.
    std::string DocumentTitle;

    // Selects the system default printer if none is selected yet.
    HDC DeviceHandle();

    // Refused with "現在印刷中です" while a document is open, which it is
    // from the moment the device starts it until the page has been handed
    // over: the windows go on meanwhile, and a print they start must wait.
    void OpenDocument();
    // Ends the page and the document and returns what the device made of it.
    // Throws EPrinter when the spooler did not take the page.
    DocumentOutput CloseDocument();

    // Abandons an open document: what was drawn is discarded and the next
    // document can be opened. Does nothing when no document is open. The jobs
    // use it when an error ends them between OpenDocument and CloseDocument.
    void AbortDocument() noexcept;

    bool Printing() const { return m_printing; }
    int PageNumber() const { return m_printing ? 1 : 0; }

    TPrinterCanvas* PageCanvas();

    // Makes device the current printer (the print dialog, the command line,
    // the tests). Refused with "現在印刷中です" while a document is open or
    // the default printer is being looked up.
    void SetDevice(std::unique_ptr<Device> device);
    // The same, giving back the device it replaces (nullptr when none), so
    // that a picture can be drawn on another device and the printer put back.
    std::unique_ptr<Device> ExchangeDevice(std::unique_ptr<Device> device);
    // The current device, or nullptr when none has been selected yet.
    Device* CurrentDevice() const { return m_device.get(); }

    // How the system default printer is found when a printer is first needed.
    // The default factory asks CUPS and throws EPrinter
    // "デフォルト プリンタが存在しません" when there is none.
    using DeviceFactory = std::function<std::unique_ptr<Device>()>;
    void SetDefaultDeviceFactory(DeviceFactory factory);

    // Writes every document's operations to trace as well (nullptr: none).
    void SetTrace(TraceWriter* trace);
    TraceWriter* Trace() const { return m_trace; }

private:
    friend class TPrinterCanvas;
    void CheckPrinting() const; // throws "プリンタに印刷できる状態ではありません"
    QPainter* Painter() const { return m_painter; }

    std::unique_ptr<Device> m_device;
    std::unique_ptr<TPrinterCanvas> m_canvas;
    DeviceFactory m_factory;
    TraceWriter* m_trace = nullptr;
    QPainter* m_painter = nullptr;
    bool m_printing = false;
    bool m_finding = false; // the default printer is being looked up
};

// The process's printer object, created on the first call.
TPrinter* PrinterObject();

} // namespace surface
