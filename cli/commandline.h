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
    std::string Command;                 // print, check, convert, preview, sheet, test-print, calibrate, show, measure
    std::vector<std::string> Arguments;  // the positional arguments after the command
    std::optional<std::string> Printer;  // --printer NAME
    std::optional<std::string> Trace;    // --trace FILE, "-" for standard output
    std::optional<std::string> Data;     // --data FILE, "-" for standard input
    std::optional<std::string> Settings; // --settings FILE
    bool FilePrinter = false;            // -o/--output given
    surface::FilePrinterOptions File;    // the file printer's settings ("-": standard output)
    bool FileOptionsGiven = false;       // --format, --dpi, --offset, --paper or --printer-error
    std::optional<DataEncoding> Encoding; // --encoding: how the data file is read
    std::optional<DataEncoding> From;     // convert --from: how its input is read
    bool Csv = false;                     // convert --csv
    bool Strict = false;                  // check: warnings fail too
    bool All = false;                     // show --all: every printer's calibration
    bool Json = false;                    // check: --format json
    std::optional<std::string> Form;      // preview: --form IMAGE
    double FormDpi = 0;                   // preview: --form-dpi N; 0: the image's own
    std::optional<std::string> Scan;      // calibrate --scan SCAN, "-" for standard input
    double ScanDpi = 0;                   // --scan-dpi N; 0: the scan's own
    double ScanStretchX = 0;              // --scan-scale SX,SY: the scanner's stretch, percent
    double ScanStretchY = 0;
    bool Help = false;                   // with a command: that command's help
    bool Version = false;
};

// The name that means standard input or output in place of a file.
inline constexpr const char* StandardStream = "-";

// Parses the arguments after the program's name, as bytes. Returns an empty
// string on success, else the reason for the usage error, UTF-8, in the
// user's language.
std::string ParseCommandLine(const std::vector<std::string>& args, CommandLine& line);

} // namespace cli
