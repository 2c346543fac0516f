#pragma once

#include <memory>
#include <string>

#include "device.h"

namespace surface {

// Paper sizes the file printer knows, by name: A4, A3, B4, B5 (JIS), Letter,
// Legal.
struct PaperSize
{
    std::string Name;
    double WidthMm = 210;
    double HeightMm = 297;
};
// Case-insensitive look-up; false for an unknown name.
bool FindPaperSize(const std::string& name, PaperSize& paper);

// A printer's own error, as a misaligned real printer has it: what the program
// draws at paper position p (dots from the paper's top-left corner) comes out
// at p x (1 + Stretch / 100) + Shift. The printable area stays where it is.
struct Misalignment
{
    double StretchX = 0; // percent, about the paper's top-left corner
    double StretchY = 0;
    double ShiftX = 0; // mm, positive to the right
    double ShiftY = 0; // mm, positive downward

    bool None() const { return StretchX == 0 && StretchY == 0 && ShiftX == 0 && ShiftY == 0; }
};

struct FilePrinterOptions
{
    std::string OutputPath; // .pdf or .png, by its extension; "-" is standard output
    std::string Format;     // "pdf" or "png"; empty: by the extension ("-": pdf)
    int DpiX = 600;
    int DpiY = 600;
    int OffsetX = 0; // physical offsets in dots, the same margin right and bottom
    int OffsetY = 0;
    PaperSize Paper{"A4", 210, 297};
    Misalignment Error; // none: a true printer; the capabilities never show it
};

// The format the file printer writes: Format, else the path's extension, in
// lower case ("pdf" for standard output).
std::string OutputFormat(const FilePrinterOptions& options);

// Whether the offsets leave a printable area on the paper: the same margin
// on both sides of each axis, nothing negative.
bool HasPrintableArea(const FilePrinterOptions& options);

// A virtual printer that writes its one page as a PDF (vector, fonts embedded)
// or as a PNG of the whole paper at the device resolution, the unprintable
// margin shaded and whatever falls outside the printable area cut off. With a
// misalignment it prints like a printer that needs calibrating.
class FileDevice : public Device
{
public:
    explicit FileDevice(FilePrinterOptions options);
    ~FileDevice() override;

    std::string Name() const override;
    PrinterCaps Caps() override;
    QPaintDevice* MeasureDevice() override;
    QPainter* StartDocument(const std::string& titleCp932) override;
    DocumentOutput EndDocument() override;
    void AbortDocument() override;

    const FilePrinterOptions& Options() const { return m_options; }

private:
    struct Impl;
    FilePrinterOptions m_options;
    std::unique_ptr<Impl> m_impl;
};

} // namespace surface
