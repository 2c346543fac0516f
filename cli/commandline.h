#pragma once

#include <optional>
#include <string>
#include <vector>

#include "datainput.h"
#include "filedevice.h"

namespace cli {

// What the command line asked for.
struct CommandLine
{
    std::string Command;                // print, check, convert, sheet, test-print, calibrate, show
    std::vector<std::string> Arguments; // the positional arguments after the command
    std::optional<std::string> Printer; // --printer NAME
    std::optional<std::string> Trace;   // --trace FILE
    std::optional<std::string> Data;    // --data FILE
    std::optional<std::string> Settings;  // --settings FILE
    bool FilePrinter = false;             // -o/--output given
    surface::FilePrinterOptions File;     // the file printer's settings
    bool FileOptionsGiven = false;        // --dpi, --offset, --paper or --printer-error given
    std::optional<DataEncoding> Encoding; // --encoding: how the data file is read
    std::optional<DataEncoding> From;     // convert --from: how its input is read
    bool Csv = false;                     // convert --csv
    bool Help = false;
    bool Version = false;
};

// Parses argv. Returns an empty string on success, else the reason for the
// usage error.
std::string ParseCommandLine(const std::vector<std::string>& args, CommandLine& line);

// How many positional arguments a command takes.
std::size_t ArgumentCount(const std::string& command);

// The usage text, UTF-8.
std::string UsageText();

} // namespace cli
