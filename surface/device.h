#pragma once

#include <cstdint>
#include <string>

class QPaintDevice;
class QPainter;

namespace surface {

// What every job asks of a printer before it computes a position: its
// resolution and the corner of its printable area.
struct PrinterCaps
{
    std::int32_t DpiX = 0;    // dots per inch across
    std::int32_t DpiY = 0;    // dots per inch down
    std::int32_t OffsetX = 0; // dots from the paper's left edge to the printable area
    std::int32_t OffsetY = 0; // dots from the paper's top edge to the printable area
};

// The paper and its printable area in device dots, with the paper's top-left
// corner as the origin; right and bottom are exclusive.
struct PageArea
{
    std::int32_t PaperWidth = 0;
    std::int32_t PaperHeight = 0;
    std::int32_t PrintableLeft = 0;
    std::int32_t PrintableTop = 0;
    std::int32_t PrintableRight = 0;
    std::int32_t PrintableBottom = 0;
};

// What a finished document came to: the file written, or the spooler queue it
// was handed to with the spooler's job number. Delivered is false when a file
// could not be written; a page the spooler did not take is an error
// (EndDocument throws), never a document.
struct DocumentOutput
{
    std::string File;  // the file written, when the device writes files
    std::string Queue; // the spooler queue, when the device prints
    int JobId = 0;
    bool Delivered = false;
};

// What a printing back end offers the printer object: capabilities, a paint
// device to measure text on, and one document of one page at a time, drawn
// through a painter whose origin is the printable area's corner and whose unit
// is one dot.
class Device
{
public:
    virtual ~Device() = default;

    // A name for messages and the trace ("file:out.pdf", the queue's name).
    virtual std::string Name() const = 0;

    virtual PrinterCaps Caps() = 0;

    // The paper the device prints on and where on it the device can print.
    virtual PageArea Area() = 0;

    // The paint device that text is measured against (the information context).
    // Throws EPrinter "選択したプリンタは有効ではありません" when it cannot be had.
    virtual QPaintDevice* MeasureDevice() = 0;

    // Starts the spooler document named title (code page 932) and its page.
    // Returns the painter to draw with until EndDocument or AbortDocument.
    // Throws EPrinter "選択したプリンタは有効ではありません" when the device
    // context cannot be created.
    virtual QPainter* StartDocument(const std::string& titleCp932) = 0;

    // Ends the page and the document: the page goes to the spooler or file.
    // Throws EPrinter, naming the queue and the spooler's reason, when the
    // spooler does not take it.
    virtual DocumentOutput EndDocument() = 0;

    // Abandons the page and the document: nothing comes out.
    virtual void AbortDocument() = 0;
};

} // namespace surface
