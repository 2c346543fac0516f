#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace core {

// Why a spreadsheet's row cannot become a line of the data file. Row counts
// the CSV records from 1 (a record may span lines inside quotes; empty lines
// are no records); Field counts from 1.
struct CsvDataProblem
{
    enum class Kind
    {
        NotCsv,         // a quote where RFC 4180 allows none, or one left open
        ColumnCount,    // Count columns instead of 12
        SeparatorField, // a comma or a quote in one of fields 1 to 11
        LineBreak,      // a CR or LF inside a field
        EndOfFileByte,  // 0x1A: the reader would stop there
        NulByte,        // NUL: the reader would cut the line there
        LineTooLong,    // the written line is Count bytes, more than are read whole
        OutOfMemory,
        NoReader, // the CSV reader plugin cannot be loaded: Reason says why
    };
    Kind Problem = Kind::NotCsv;
    std::size_t Row = 0;
    std::size_t Field = 0;
    std::size_t Count = 0;
    std::string Reason;
};

// The fields of one line of the data file.
inline constexpr std::size_t DataFileFields = 12;

// Reads RFC 4180 CSV (quoted fields, doubled quotes, commas and line breaks
// inside quotes, CR LF or LF records, blanks kept) whose bytes are code page
// 932, and writes each record as a line of the data file ended by CR LF: the
// first eleven fields as they are, the text field between quotes when it holds
// a comma or starts with a quote, since the reader removes the first and last
// byte of a text that starts with one. A written line longer than
// maxLineBytes (CR LF not counted) would be read in pieces and is refused.
// Returns false at the first record that cannot be written so, with problem
// set and out unspecified. The reading is done by a plugin (libcsv), loaded
// on the first call.
bool CsvToDataFile(std::string_view cp932Csv, std::size_t maxLineBytes, std::string& out,
                   CsvDataProblem& problem);

} // namespace core
