#pragma once

#include <string>

class QPaintDevice;
class QPainter;

namespace surface {

// Device capability indexes, with the numbers the platform gives them.
enum : int {
    LOGPIXELSX = 88,
    LOGPIXELSY = 90,
    PHYSICALOFFSETX = 112,
    PHYSICALOFFSETY = 113,
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

    // One of the four capabilities; 0 for any other index.
    virtual int Caps(int index) = 0;

    // The paint device that text is measured against (the information context).
    // Throws EPrinter "選択したプリンタは有効ではありません" when it cannot be had.
    virtual QPaintDevice* MeasureDevice() = 0;

    // Starts the spooler document named title (code page 932) and its page.
    // Returns the painter to draw with until EndDocument or AbortDocument.
    // Throws EPrinter "選択したプリンタは有効ではありません" when the device
    // context cannot be created.
    virtual QPainter* StartDocument(const std::string& titleCp932) = 0;

    // Ends the page and the document: the page goes to the spooler or file.
    virtual void EndDocument() = 0;

    // Abandons the page and the document: nothing comes out.
    virtual void AbortDocument() = 0;
};

} // namespace surface
