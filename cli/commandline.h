#pragma once

#include <optional>
#include <string>
#include <vector>

#include "filedevice.h"

namespace cli {

// What the command line asked for.
struct CommandLine
{
    std::string Command;                // print, check, preview, sheet, test-print, calibrate, show
    std::vector<std::string> Arguments; // the positional arguments after the command
    std::optional<std::string> Printer; // --printer NAME
    std::optional<std::string> Trace;   // --trace FILE
    std::optional<std::string> Data;    // --data FILE
    std::optional<std::string> Settings; // --settings FILE
    bool FilePrinter = false;            // -o/--output given
    surface::FilePrinterOptions File;    // the file printer's settings
    bool FileOptionsGiven = false;       // --dpi, --offset, --paper or --printer-error given
    bool Strict = false;                 // check: warnings fail too
    bool Json = false;                   // check: --format json
    std::optional<std::string> Form;     // preview: --form IMAGE
    double FormDpi = 0;                  // preview: --form-dpi N; 0: the image's own
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
