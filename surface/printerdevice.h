#pragma once

#include <memory>
#include <string>

#include "device.h"
#include "printersetup.h"

namespace surface {

// A printer of the system, through CUPS. One unit is one printer dot at the
// printer's own resolution; the origin is the printable area's corner, the
// physical offsets come from the printer's imageable area. The page is drawn
// as a PDF and handed to the spooler once complete, or written to a file for
// "print to file".
class PrinterDevice : public Device
{
public:
    // The named CUPS queue on its default paper; an empty name is the system's
    // default printer. Throws EPrinter "デフォルト プリンタが存在しません" when
    // there is no printer, or no default printer, and
    // "選択したプリンタは有効ではありません" for a name that is not a printer.
    explicit PrinterDevice(const std::string& queueName = {});
    // The printer, paper and options the printer dialog chose; the same errors.
    explicit PrinterDevice(const PrinterSetup& setup);
    ~PrinterDevice() override;

    std::string Name() const override;
    PrinterCaps Caps() override;
    PageArea Area() override;
    QPaintDevice* MeasureDevice() override;
    QPainter* StartDocument(const std::string& titleCp932) override;
    DocumentOutput EndDocument() override;
    void AbortDocument() override;

    // The setup in force, with the printer's name and the paper filled in:
    // what the next printer dialog starts from.
    const PrinterSetup& Setup() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace surface
