#include "commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <charconv>
#include <cmath>

#include "argumentcodec.h"
#include "commandtable.h"
#include "escape.h"

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

bool EndsWithIgnoringCase(const std::string& text, const std::string& suffix)
{
    if (text.size() < suffix.size())
        return false;
    for (std::size_t k = 0; k < suffix.size(); ++k)
        if (std::tolower(static_cast<unsigned char>(text[text.size() - suffix.size() + k])) !=
            suffix[k])
            return false;
    return true;
}

// A reason quotes what was typed: its bytes stay as they were, but a control
// byte is shown, not obeyed by the terminal.
std::string Utf8(const QString& text)
{
    return core::EscapeControlChars(EncodeArgument(text));
}

// Why Qt's parser refused arguments it knew every option of: an option that
// takes a value came last without one, or one that takes none was given one.
std::string ValueError(const QStringList& args)
{
    for (const QString& arg : args) {
        if (arg == QLatin1String("--"))
            break;
        const qsizetype equals = arg.indexOf(QLatin1Char('='));
        if (arg.startsWith(QLatin1String("--")) && equals > 2) {
            const QString name = arg.mid(2, equals - 2);
            if (const OptionInfo* option = FindOption(name); option && !option->ValueName)
                return Utf8(QCoreApplication::translate("ocrprint-cli", "%1 takes no value")
                                .arg(OptionSpelling(name)));
        }
    }
    const QString last = args.isEmpty() ? QString() : args.last();
    QString name;
    if (last.startsWith(QLatin1String("--")))
        name = last.mid(2);
    else if (last.startsWith(QLatin1Char('-')))
        name = last.right(1); // "-o", or "-xo" read as -x -o
    if (const OptionInfo* option = FindOption(name); option && option->Needs)
        return Utf8(Tr(option->Needs));
    return Utf8(QCoreApplication::translate("ocrprint-cli", "cannot read the command line"));
}

// The first option Qt's parser did not know, as it was written.
std::string UnknownOption(const QCommandLineParser& parser)
{
    const QString name = parser.unknownOptionNames().first();
    const QString spelled = OptionSpelling(name);
    // A negative number is read as options, as in every tool of this kind.
    if (name.size() == 1 && (name[0].isDigit() || name[0] == QLatin1Char('.')))
        return Utf8(
            QCoreApplication::translate(
                "ocrprint-cli", "unknown option %1: put -- before arguments that start with '-'")
                .arg(spelled));
    return Utf8(QCoreApplication::translate("ocrprint-cli", "unknown option %1").arg(spelled));
}

// The value of an option given more than once is the last one.
std::string Value(const QCommandLineParser& parser, const char* name)
{
    return EncodeArgument(parser.value(QLatin1String(name)));
}

// Reads the values of the options given into line; returns the first reason
// for a usage error.
std::string ReadValues(const QCommandLineParser& parser, CommandLine& line)
{
    const auto given = [&](const char* name) { return parser.isSet(QLatin1String(name)); };
    const CommandInfo* command = FindCommand(line.Command);
    const unsigned bit = command ? command->Bit : 0;
    const auto needs = [bit](const char* name) {
        return Utf8(Tr(OptionNeeds(*FindOption(QLatin1String(name)), bit)));
    };
    surface::FilePrinterOptions& file = line.File;
    if (given("printer")) {
        line.Printer = Value(parser, "printer");
        if (line.Printer->empty())
            return needs("printer");
    }
    if (given("output")) {
        line.FilePrinter = true;
        file.OutputPath = Value(parser, "output");
        if (file.OutputPath.empty())
            return needs("output");
    }
    if (given("format")) {
        const std::string format = Utf8(parser.value(QStringLiteral("format")).toLower());
        if (line.Command == "check") {
            if (format != "text" && format != "json")
                return needs("format");
            line.Json = format == "json";
        } else {
            file.Format = format;
            if (file.Format != "pdf" && file.Format != "png")
                return needs("format");
            // The preview's format is its picture's: the printer it judges on
            // stays the one the other options name.
            if (line.Command != "preview")
                line.FileOptionsGiven = true;
        }
    }
    line.Strict = given("strict");
    line.All = given("all");
    if (given("form")) {
        line.Form = Value(parser, "form");
        if (line.Form->empty())
            return needs("form");
    }
    if (given("form-dpi")) {
        if (!ParseDouble(Value(parser, "form-dpi"), line.FormDpi) || line.FormDpi < 10 ||
            line.FormDpi > 10000)
            return needs("form-dpi");
        if (!line.Form)
            return Utf8(QCoreApplication::translate("ocrprint-cli", "--form-dpi needs --form"));
    }
    if (given("scan")) {
        line.Scan = Value(parser, "scan");
        if (line.Scan->empty())
            return needs("scan");
    }
    if (given("scan-dpi") && (!ParseDouble(Value(parser, "scan-dpi"), line.ScanDpi) ||
                              line.ScanDpi < 100 || line.ScanDpi > 10000))
        return needs("scan-dpi");
    if (given("scan-scale")) {
        const std::string value = Value(parser, "scan-scale");
        const std::size_t comma = value.find(',');
        if (comma == std::string::npos || !ParseDouble(value.substr(0, comma), line.ScanStretchX) ||
            !ParseDouble(value.substr(comma + 1), line.ScanStretchY) ||
            std::abs(line.ScanStretchX) >= 5 || std::abs(line.ScanStretchY) >= 5)
            return needs("scan-scale");
    }
    if (line.Command == "calibrate" && !line.Scan &&
        (given("scan-dpi") || given("scan-scale")))
        return Utf8(QCoreApplication::translate("ocrprint-cli",
                                                "--scan-dpi and --scan-scale need --scan"));
    if (given("dpi")) {
        if (!ParsePair(Value(parser, "dpi"), 'x', file.DpiX, file.DpiY, true) || file.DpiX < 1 ||
            file.DpiY < 1 || file.DpiX > MaxDpi || file.DpiY > MaxDpi)
            return needs("dpi");
        line.FileOptionsGiven = true;
    }
    if (given("offset")) {
        if (!ParsePair(Value(parser, "offset"), ',', file.OffsetX, file.OffsetY, false) ||
            file.OffsetX < 0 || file.OffsetY < 0)
            return needs("offset");
        line.FileOptionsGiven = true;
    }
    if (given("paper")) {
        if (!surface::FindPaperSize(Value(parser, "paper"), file.Paper))
            return needs("paper");
        line.FileOptionsGiven = true;
    }
    if (given("printer-error")) {
        if (!ParseMisalignment(Value(parser, "printer-error"), file.Error))
            return needs("printer-error");
        line.FileOptionsGiven = true;
    }
    const std::pair<const char*, std::optional<DataEncoding>*> encodings[] = {
        {"encoding", &line.Encoding}, {"from", &line.From}};
    for (const auto& [name, target] : encodings) {
        if (given(name)) {
            DataEncoding encoding{};
            if (!ParseDataEncoding(Value(parser, name), encoding))
                return needs(name);
            *target = encoding;
        }
    }
    line.Csv = given("csv");
    const std::pair<const char*, std::optional<std::string>*> files[] = {
        {"trace", &line.Trace}, {"data", &line.Data}, {"settings", &line.Settings}};
    for (const auto& [name, target] : files) {
        if (given(name)) {
            *target = Value(parser, name);
            if ((*target)->empty())
                return needs(name);
        }
    }
    return {};
}

// What the options say together about the file printer.
std::string CheckFilePrinter(const CommandLine& line)
{
    // convert writes a data file, not a page: -o is all it takes.
    if (line.Command == "convert")
        return line.FilePrinter ? std::string()
                                : Utf8(QCoreApplication::translate("ocrprint-cli",
                                                                   "convert needs -o OUT"));
    // check and preview judge the entries on the printer the options name,
    // calibrate asks it for its values; the preview's -o is its picture, not
    // a printer.
    const bool judges =
        line.Command == "check" || line.Command == "preview" || line.Command == "calibrate";
    if (line.Command == "preview" && !line.FilePrinter)
        return Utf8(QCoreApplication::translate("ocrprint-cli",
                                                "preview needs -o OUT.png or -o OUT.pdf"));
    if (line.FilePrinter && line.Printer && line.Command != "preview")
        return Utf8(QCoreApplication::translate("ocrprint-cli",
                                                "--printer and --output exclude each other"));
    if (line.Printer && line.FileOptionsGiven && judges)
        return Utf8(QCoreApplication::translate(
            "ocrprint-cli", "--printer and --dpi, --offset, --paper exclude each other"));
    if (judges && !line.FilePrinter)
        return line.FileOptionsGiven && !surface::HasPrintableArea(line.File)
                   ? Utf8(QCoreApplication::translate(
                         "ocrprint-cli", "--offset leaves no printable area on the paper"))
                   : std::string();
    if (line.FileOptionsGiven && !line.FilePrinter)
        return Utf8(QCoreApplication::translate(
            "ocrprint-cli", "--format, --dpi, --offset, --paper and --printer-error set the file "
                            "printer: give -o FILE too"));
    if (!line.FilePrinter)
        return {};
    const std::string& out = line.File.OutputPath;
    if (out == StandardStream) {
        if (line.Trace == StandardStream)
            return Utf8(QCoreApplication::translate(
                "ocrprint-cli", "-o - and --trace - cannot both write to standard output"));
    } else if (line.File.Format.empty() && !EndsWithIgnoringCase(out, ".pdf") &&
               !EndsWithIgnoringCase(out, ".png")) {
        return Utf8(QCoreApplication::translate(
            "ocrprint-cli", "-o needs a file name ending in .pdf or .png, or --format"));
    }
    if (!surface::HasPrintableArea(line.File))
        return Utf8(QCoreApplication::translate("ocrprint-cli",
                                                "--offset leaves no printable area on the paper"));
    return {};
}

} // namespace

std::string ParseCommandLine(const std::vector<std::string>& args, CommandLine& line)
{
    QStringList arguments;
    for (const std::string& arg : args)
        arguments << DecodeArgument(arg);

    QCommandLineParser parser;
    for (const OptionInfo& info : Options()) {
        QStringList names;
        for (const char* s = info.Shorts; *s != '\0'; ++s)
            names << QString(QLatin1Char(*s));
        names << QLatin1String(info.Long);
        QCommandLineOption option(names);
        if (info.ValueName != nullptr)
            option.setValueName(QLatin1String(info.ValueName));
        parser.addOption(option);
    }
    // parse() takes the first argument for the program's name.
    if (!parser.parse(QStringList(QStringLiteral("ocrprint-cli")) + arguments))
        return parser.unknownOptionNames().isEmpty() ? ValueError(arguments)
                                                     : UnknownOption(parser);

    line.Help = parser.isSet(QStringLiteral("help"));
    line.Version = parser.isSet(QStringLiteral("version"));
    QStringList positional = parser.positionalArguments();
    const CommandInfo* command = nullptr;
    if (!positional.isEmpty()) {
        line.Command = EncodeArgument(positional.takeFirst());
        command = FindCommand(line.Command);
        if (command == nullptr)
            return Utf8(QCoreApplication::translate("ocrprint-cli", "unknown command %1")
                            .arg(DecodeArgument(line.Command)));
    } else if (!line.Help && !line.Version) {
        return Utf8(QCoreApplication::translate("ocrprint-cli", "no command given"));
    }
    for (const QString& name : parser.optionNames()) {
        const unsigned commands = FindOption(name)->Commands;
        if (command != nullptr && (commands & command->Bit) == 0)
            return Utf8(QCoreApplication::translate("ocrprint-cli", "%1 takes no option %2")
                            .arg(QLatin1String(command->Name), OptionSpelling(name)));
    }
    if (line.Help || line.Version)
        return {};
    for (const QString& arg : positional)
        line.Arguments.push_back(EncodeArgument(arg));
    // calibrate --scan takes its lengths from the scan.
    const bool scanned = line.Command == "calibrate" && parser.isSet(QStringLiteral("scan"));
    if (line.Arguments.size() != (scanned ? 0 : command->ArgumentCount))
        return Utf8(
            command->ArgumentCount == 0
                ? QCoreApplication::translate("ocrprint-cli", "%1 takes no arguments")
                      .arg(QLatin1String(command->Name))
            : scanned ? QCoreApplication::translate("ocrprint-cli",
                                                    "calibrate --scan takes no lengths X Y A B")
            : command->Bit == MeasureBit
                ? QCoreApplication::translate(
                      "ocrprint-cli", "measure needs one scan SCAN, or '-' for standard input")
            : command->Bit == ForgetBit
                ? QCoreApplication::translate("ocrprint-cli", "forget needs one queue QUEUE")
            : command->ArgumentCount == 1
                ? QCoreApplication::translate("ocrprint-cli", "%1 needs one input file IN")
                      .arg(QLatin1String(command->Name))
                : QCoreApplication::translate("ocrprint-cli",
                                              "%1 needs the four measured lengths X Y A B in mm")
                      .arg(QLatin1String(command->Name)));
    if (const std::string reason = ReadValues(parser, line); !reason.empty())
        return reason;
    return CheckFilePrinter(line);
}

} // namespace cli
