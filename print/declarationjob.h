#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "device.h"
#include "fonts.h"
#include "printadjustment.h"
#include "printrecord.h"

namespace core {
class TextModeReader;
}
namespace surface {
class TPrinterCanvas;
}

namespace print {

// The data file's name and how a piece of a line is read: at most 255 bytes.
inline constexpr const char* DataFileName = "ocrdat.prn";
inline constexpr std::size_t LinePieceBytes = 255;

// The user's documents folder (xdg-user-dir DOCUMENTS, ~/Documents by
// default), or empty when it is not an existing directory.
std::string PersonalFolder();

// Where the job looks for the data file: in the documents folder when that
// folder exists (whether or not the file is there), else "ocrdat.prn" in the
// current directory.
std::string DataFilePath();

// The printer's four capabilities stored into the correction state.
void QueryPrinter(core::TPrintAdjustment& adjustment);

// Where the text cell of an entry lands, in device dots from the printable
// area's corner; right and bottom are 64-bit so that a cell at the end of the
// range does not wrap.
struct EntryCell
{
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::int64_t Right() const { return static_cast<std::int64_t>(X) + Width; }
    std::int64_t Bottom() const { return static_cast<std::int64_t>(Y) + Height; }
};

// The corner of the cell of an entry whose text measures width x height dots
// in its font, with the correction applied: the anchor and the mapping that
// the job draws with.
EntryCell PlaceCell(const core::TPrintAdjustment& adjustment, const PrintRecord& record,
                    std::int32_t width, std::int32_t height);

// Draws one accepted entry with the correction applied; returns its cell.
// The job refuses a text no installed face can draw; the preview draws it.
EntryCell DrawEntry(surface::TPrinterCanvas& canvas, const core::TPrintAdjustment& adjustment,
                    const PrintRecord& record,
                    surface::UndrawableText undrawable = surface::UndrawableText::Refuse);

// One piece of a line as the job reads it.
struct LinePiece
{
    int Number = 0;         // the pieces' count from 1: the job's line number
    int Line = 0;           // the file's line from 1 (LF ends a line)
    int Column = 0;         // of the piece's first byte in its line, from 1, CRs not counted
    std::string_view Bytes; // what the job hands the parser: cut at a NUL byte
    std::string_view Raw;   // the piece as read, with its LF when it has one
};

// Calls onPiece for every piece of a line the job would read from the open
// file, in order. Stops early when onPiece returns false.
void ReadPieces(core::TextModeReader& reader, const std::function<bool(const LinePiece&)>& onPiece);

// Opens the data file at path and reads it whole into reader, before the
// first entry is drawn: a file rewritten while the page is drawn does not
// give a page with both of its versions. False when it cannot be opened or
// read.
bool LoadDataFile(const std::string& path, core::TextModeReader& reader);

// Whether an accepted entry puts anything on the paper: an empty text
// prints nothing, framed or not.
bool EntryPrints(const PrintRecord& record);

// Opens the file at path and calls onPiece(lineNumber, piece) for every piece
// of a line the job would read from it, in order, counting from 1; stops early
// when onPiece returns false. Returns false when the file cannot be opened.
bool ReadDataFile(const std::string& path,
                  const std::function<bool(int, const std::string&)>& onPiece);

// The declaration print job of the Print button, on the file at path (the
// located file when path is empty). Returns what the printer made of the
// page, or nothing, having printed nothing, when the file cannot be opened;
// the printer values and the clamped corrections are stored in adjustment
// either way. A conversion error in the file or a printer error is thrown
// after the document has been abandoned and the file closed: nothing of a
// half-drawn declaration reaches the paper. With printing given, it receives
// the number of entries that put anything on the page (EntryPrints).
std::optional<surface::DocumentOutput> PrintDeclaration(core::TPrintAdjustment& adjustment,
                                                        const std::string& path = {},
                                                        int* printing = nullptr);
// The same job on data already open in reader (read from standard input, or
// converted in memory): it always prints.
surface::DocumentOutput PrintDeclaration(core::TPrintAdjustment& adjustment,
                                         core::TextModeReader& reader, int* printing = nullptr);

} // namespace print
