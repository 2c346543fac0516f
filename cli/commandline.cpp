#include "commandline.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace cli {

namespace {

// The largest resolution the file printer accepts: an A3 page at 2400 dpi is
// already a 28000 x 39700 pixel raster.
constexpr int MaxDpi = 2400;

bool ParseInt(const std::string& text, int& value)
{
    const char* first = text.data();
    const char* last = first + text.size();
    const auto [ptr, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && ptr == last && !text.empty();
}

bool ParsePair(const std::string& text, char separator, int& a, int& b, bool allowSingle)
{
    const auto pos = text.find(separator);
    if (pos == std::string::npos) {
        if (!allowSingle || !ParseInt(text, a))
            return false;
        b = a;
        return true;
    }
    return ParseInt(text.substr(0, pos), a) && ParseInt(text.substr(pos + 1), b);
}

// The printer's stretch (percent) and shift (mm) stay within what a printer
// could plausibly get wrong, and well clear of a mirrored or vanished page.
constexpr double MaxStretchPercent = 50;
constexpr double MaxShiftMm = 100;

bool ParseDouble(std::string text, double& value)
{
    if (!text.empty() && text[0] == '+')
        text.erase(0, 1);
    const char* first = text.data();
    const char* last = first + text.size();
    const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::fixed);
    return ec == std::errc() && ptr == last && !text.empty() && std::isfinite(value);
}

// SX,SY,DX,DY: stretch in percent, shift in millimetres.
bool ParseMisalignment(const std::string& text, surface::Misalignment& error)
{
    double values[4] = {};
    std::size_t start = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const std::size_t comma = text.find(',', start);
        if ((comma == std::string::npos) != (i == 3))
            return false;
        const std::size_t end = i == 3 ? text.size() : comma;
        if (!ParseDouble(text.substr(start, end - start), values[i]))
            return false;
        start = end + 1;
    }
    // Written so that NaN fails too.
    if (!(std::abs(values[0]) < MaxStretchPercent && std::abs(values[1]) < MaxStretchPercent &&
          std::abs(values[2]) < MaxShiftMm && std::abs(values[3]) < MaxShiftMm))
        return false;
    error = {values[0], values[1], values[2], values[3]};
    return true;
}

bool IsCommand(const std::string& word)
{
    for (const char* c : {"print", "check", "convert", "sheet", "test-print", "calibrate", "show"})
        if (word == c)
            return true;
    return false;
}

} // namespace

std::size_t ArgumentCount(const std::string& command)
{
    if (command == "convert")
        return 1;
    return command == "test-print" || command == "calibrate" ? 4 : 0;
}

std::string UsageText()
{
    return "usage: ocrprint-cli COMMAND [OPTIONS]\n"
           "  print      print the declaration (ocrdat.prn) as the Print button does\n"
           "  check      list every line of the data file that would not print, and why\n"
           "  show       list the eight values of the settings file\n"
           "  convert [--from utf-8|cp932] [--csv] IN -o OUT\n"
           "             write IN as a data file the program prints as it is (code page 932,\n"
           "             CR LF); --from: IN's encoding (default utf-8); --csv: IN is a\n"
           "             spreadsheet's CSV of 12 columns, one row per entry\n"
           "  sheet      print the measurement sheet (no correction applied)\n"
           "  test-print X Y A B\n"
           "             print the test sheet corrected from the lengths measured on the\n"
           "             sheet, in mm; writes no settings\n"
           "  calibrate X Y A B\n"
           "             derive the corrections from the measured lengths as the dialogs'\n"
           "             done and OK buttons do, save them to the settings file and list\n"
           "             the eight values; prints nothing\n"
           "Device options, for every command that prints or asks the printer:\n"
           "  --printer NAME     this printer queue (default: the system's default printer)\n"
           "  -o, --output FILE  the file printer instead, writing FILE; .pdf or .png\n"
           "  --dpi X[xY]        file printer resolution (default 600; one number sets both)\n"
           "  --offset X,Y       file printer physical offsets in dots (default 0,0)\n"
           "  --paper NAME       file printer paper: A4 (default), A3, B4, B5, Letter, Legal\n"
           "  --printer-error SX,SY,DX,DY\n"
           "                     make the file printer err like a real one: stretch by SX, SY\n"
           "                     percent about the paper's corner (|S| < 50), then shift by\n"
           "                     DX, DY mm (|D| < 100; + is right, down); default 0,0,0,0\n"
           "  --trace FILE       also write the trace of the surface operations to FILE\n"
           "                     ('-' for standard output)\n"
           "Other options:\n"
           "  --data FILE        the data file (default: ocrdat.prn, found as the program finds "
           "it)\n"
           "  --encoding cp932|utf-8\n"
           "                     the data file's encoding (default cp932); UTF-8 is\n"
           "                     converted as the program would read it saved in cp932\n"
           "  --settings FILE    the settings file (default: ocrprn2.ini, found as the program "
           "finds it)\n"
           "  -h, --help; --version\n"
           "Exit status: 0 done; 1 an error; 2 a usage error.\n";
}

std::string ParseCommandLine(const std::vector<std::string>& args, CommandLine& line)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& out) -> bool {
            if (i + 1 >= args.size())
                return false;
            out = args[++i];
            return true;
        };
        std::string v;
        if (arg == "-h" || arg == "--help") {
            line.Help = true;
        } else if (arg == "--version") {
            line.Version = true;
        } else if (arg == "--printer") {
            if (!value(v))
                return "--printer needs a queue name";
            line.Printer = v;
        } else if (arg == "-o" || arg == "--output") {
            if (!value(v) || v.empty())
                return arg + " needs a file name";
            line.FilePrinter = true;
            line.File.OutputPath = v;
        } else if (arg == "--dpi") {
            if (!value(v) || !ParsePair(v, 'x', line.File.DpiX, line.File.DpiY, true) ||
                line.File.DpiX < 1 || line.File.DpiY < 1 || line.File.DpiX > MaxDpi ||
                line.File.DpiY > MaxDpi)
                return "--dpi needs X or XxY, each from 1 to " + std::to_string(MaxDpi);
            line.FileOptionsGiven = true;
        } else if (arg == "--offset") {
            if (!value(v) || !ParsePair(v, ',', line.File.OffsetX, line.File.OffsetY, false) ||
                line.File.OffsetX < 0 || line.File.OffsetY < 0)
                return "--offset needs X,Y in dots, not negative";
            line.FileOptionsGiven = true;
        } else if (arg == "--paper") {
            if (!value(v) || !surface::FindPaperSize(v, line.File.Paper))
                return "--paper needs one of A4, A3, B4, B5, Letter, Legal";
            line.FileOptionsGiven = true;
        } else if (arg == "--printer-error") {
            if (!value(v) || !ParseMisalignment(v, line.File.Error))
                return "--printer-error needs SX,SY,DX,DY: stretch in percent (|S| < 50), "
                       "shift in mm (|D| < 100)";
            line.FileOptionsGiven = true;
        } else if (arg == "--trace") {
            if (!value(v) || v.empty())
                return "--trace needs a file name or '-'";
            line.Trace = v;
        } else if (arg == "--data") {
            if (!value(v) || v.empty())
                return "--data needs a file name";
            line.Data = v;
        } else if (arg == "--encoding" || arg == "--from") {
            DataEncoding encoding{};
            if (!value(v) || !ParseDataEncoding(v, encoding))
                return arg + " needs cp932 or utf-8";
            (arg == "--from" ? line.From : line.Encoding) = encoding;
        } else if (arg == "--csv") {
            line.Csv = true;
        } else if (arg == "--settings") {
            if (!value(v) || v.empty())
                return "--settings needs a file name";
            line.Settings = v;
        } else if (arg.size() > 1 && arg[0] == '-' && !(arg[1] >= '0' && arg[1] <= '9') &&
                   arg[1] != '.') {
            return "unknown option " + arg;
        } else if (line.Command.empty()) {
            if (!IsCommand(arg))
                return "unknown command " + arg;
            line.Command = arg;
        } else {
            line.Arguments.push_back(arg);
        }
    }
    if (line.Help || line.Version)
        return {};
    if (line.Command.empty())
        return "no command given";
    if (const std::size_t n = ArgumentCount(line.Command); line.Arguments.size() != n)
        return n == 0   ? line.Command + " takes no arguments"
               : n == 1 ? line.Command + " needs one input file IN"
                        : line.Command + " needs the four measured lengths X Y A B in mm";
    if (line.Command == "convert") {
        if (line.Encoding)
            return "convert reads --from, not --encoding";
        if (!line.FilePrinter)
            return "convert needs -o OUT";
        if (line.Printer || line.Trace || line.FileOptionsGiven)
            return "convert prints nothing: it takes no device options";
        return {};
    }
    if (line.From || line.Csv)
        return "--from and --csv belong to convert";
    if (line.Encoding && line.Command != "print" && line.Command != "check")
        return "--encoding belongs to print and check";
    if (line.FilePrinter && line.Printer)
        return "--printer and --output exclude each other";
    if (line.FileOptionsGiven && !line.FilePrinter)
        return "--dpi, --offset, --paper and --printer-error set the file printer: give -o FILE "
               "too";
    if (line.FilePrinter) {
        const std::string& out = line.File.OutputPath;
        auto endsWith = [&](const char* ext) {
            const std::string e = ext;
            if (out.size() < e.size())
                return false;
            for (std::size_t k = 0; k < e.size(); ++k)
                if (std::tolower(static_cast<unsigned char>(out[out.size() - e.size() + k])) !=
                    e[k])
                    return false;
            return true;
        };
        if (out != "-" && !endsWith(".pdf") && !endsWith(".png"))
            return "-o needs a file name ending in .pdf or .png";
        if (!surface::HasPrintableArea(line.File))
            return "--offset leaves no printable area on the paper";
    }
    return {};
}

} // namespace cli
