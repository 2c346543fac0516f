#pragma once

#include <functional>
#include <string>
#include <vector>

#include "device.h"
#include "printadjustment.h"

namespace core {
class TextModeReader;
}
namespace surface {
class TPrinterCanvas;
}

namespace print {

// What a finding is about. The command line words each kind; the preview
// marks the entries of the warnings.
enum class LintCode
{
    FieldEmpty,        // error: the job skips the line; value: the field's number
    Conversion,        // error: the job stops here; value: the error box's text
    OffPaper,          // the text cell lies wholly outside the paper
    PartlyOffPaper,    // partly outside the paper
    OutsidePrintable,  // on the paper, but (partly) outside the printable area
    FontSize,          // 0 or less, or above MaxFontSize
    HorzAlign,         // outside 1 to 3
    VertAlign,         // outside 1 to 3
    Framed,            // neither 0 nor 1
    NotCp932,          // a byte sequence code page 932 does not have
    NoFont,            // no installed font draws a character; values: it, its code in hex
    Overlap,           // the cell overlaps an earlier entry's; value: its line
    LongLine,          // the line is read in pieces
    Utf8ByteOrderMark, // the file begins with a UTF-8 byte-order mark
    Utf8Text,          // the file is UTF-8 holding multi-byte characters
    // The entry prints a text other than its line holds (values: the text
    // printed, the text held), because
    TextNoLineEnd,     // the last line has no line end
    TextNulByte,       // a NUL byte ends the line early
    TextCut,           // the line is cut into pieces
    TextUnclosedQuote, // the text's opening double quote is not closed
    EndByte,           // a 0x1A ends the data before the file ends; value: the bytes after it
    NoEntry,           // no entry puts anything on the page: it prints blank
};

// Whether a finding is about the entry on its line (the preview marks it),
// not about the file as a whole.
bool MarksEntry(LintCode code);

// The largest font size that is not taken for a typing error, in points.
inline constexpr int MaxFontSize = 200;

struct Finding
{
    int Line = 0;   // the file's line, from 1; 0: the file as a whole
    int Column = 0; // of the piece a long line was cut into, from 1; 0: the line as a whole
    bool Error = false;
    LintCode Code = LintCode::FieldEmpty;
    // What the message names, UTF-8, in the order the kind lists them; text
    // from the data file has its control characters escaped.
    std::vector<std::string> Values;
};

// The device the entries are judged on: its resolution, physical offsets
// and the (clamped) corrections as the job would use them, and its paper.
struct LintDevice
{
    core::TPrintAdjustment Adjustment;
    surface::PageArea Area;
};

struct LintSummary
{
    int Errors = 0;
    int Warnings = 0;
};

// Reads the open data file as the declaration job does and reports, in the
// file's order, every piece the job would skip or stop at (errors) and every
// entry that prints but is likely wrong (warnings); the whole-file findings
// (a 0x1A, UTF-8, no entry) come last. Texts are measured on canvas in the device's
// resolution, as the job measures them. Goes on to the end of the file.
LintSummary LintDataFile(core::TextModeReader& reader, const LintDevice& device,
                         surface::TPrinterCanvas& canvas,
                         const std::function<void(const Finding&)>& onFinding);

} // namespace print
