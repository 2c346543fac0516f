#pragma once

#include <memory>
#include <string>

#include "device.h"

class QPrinter;

namespace surface {

// A printer of the system, through QPrinter and CUPS. One unit is one printer
// dot at the printer's own resolution; the origin is the printable area's
// corner, the physical offsets come from the printer's imageable area.
class PrinterDevice : public Device
{
public:
    // The named CUPS queue; an empty name is the system's default printer.
    // Throws EPrinter "デフォルト プリンタが存在しません" when there is no
    // printer, or no default printer, and "選択したプリンタは有効ではありません"
    // for a name that is not a printer.
    explicit PrinterDevice(const std::string& printerName = {});
    ~PrinterDevice() override;

    std::string Name() const override;
    PrinterCaps Caps() override;
    QPaintDevice* MeasureDevice() override;
    QPainter* StartDocument(const std::string& titleCp932) override;
    DocumentOutput EndDocument() override;
    void AbortDocument() override;

    // The QPrinter for the print dialog. After the dialog, call ApplyLayout so
    // that resolution, paper and margins are the chosen printer's again.
    QPrinter* Printer();
    void ApplyLayout();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace surface
