#include "commandtable.h"

#include <QCoreApplication>
#include <string_view>

namespace cli {

namespace {

constexpr unsigned Device = PrintBit | SheetBit | TestPrintBit | CalibrateBit;
// check and preview judge the entries on the printer these options name.
constexpr unsigned Judged = CheckBit | PreviewBit;
constexpr unsigned Every =
    PrintBit | CheckBit | ShowBit | SheetBit | TestPrintBit | CalibrateBit | ConvertBit |
    PreviewBit | MeasureBit | ForgetBit;
// The scan's options: measure's, and calibrate's with --scan.
constexpr unsigned Scanned = MeasureBit | CalibrateBit;

} // namespace

const std::vector<CommandInfo>& Commands()
{
    static const std::vector<CommandInfo> commands = {
        {"print", "", 0, PrintBit,
         QT_TRANSLATE_NOOP("ocrprint-cli", "print the declaration (ocrdat.prn) as the Print\n"
                                           "button does")},
        {"check", "", 0, CheckBit,
         QT_TRANSLATE_NOOP("ocrprint-cli",
                           "list the lines of the data file that would not print\n"
                           "(errors) and the entries that print but look wrong\n"
                           "(warnings), as PATH:LINE:")},
        {"preview", "", 0, PreviewBit,
         QT_TRANSLATE_NOOP("ocrprint-cli",
                           "draw the declaration where it lands on the paper, over\n"
                           "a scan of the blank form, check's warnings in red; -o\n"
                           "OUT.png or OUT.pdf")},
        {"show", "", 0, ShowBit,
         QT_TRANSLATE_NOOP("ocrprint-cli", "list the eight values of the printer's calibration;\n"
                                           "with --all, of every printer's")},
        {"convert", "IN", 1, ConvertBit,
         QT_TRANSLATE_NOOP("ocrprint-cli",
                           "write IN as a data file the program prints as it is\n"
                           "(code page 932, CR LF) to -o OUT")},
        {"sheet", "", 0, SheetBit,
         QT_TRANSLATE_NOOP("ocrprint-cli", "print the measurement sheet (no correction applied)")},
        {"test-print", "X Y A B", 4, TestPrintBit,
         QT_TRANSLATE_NOOP("ocrprint-cli", "print the test sheet corrected from the lengths\n"
                                           "measured on the sheet, in mm; writes no settings")},
        {"calibrate", "X Y A B", 4, CalibrateBit,
         QT_TRANSLATE_NOOP("ocrprint-cli",
                           "derive the corrections from the measured lengths as\n"
                           "the dialogs' done and OK buttons do, save them to the\n"
                           "settings file and list the eight values; prints nothing;\n"
                           "with --scan SCAN, the lengths measured on the scan")},
        {"measure", "SCAN", 1, MeasureBit,
         QT_TRANSLATE_NOOP("ocrprint-cli",
                           "measure X, Y, A and B on a scan of the printed measurement\n"
                           "sheet (PNG, JPEG, TIFF, PDF; '-' for standard input), in\n"
                           "mm, with the figure's skew in degrees and the residual")},
        {"forget", "QUEUE", 1, ForgetBit,
         QT_TRANSLATE_NOOP("ocrprint-cli", "remove the calibration kept for QUEUE (one deleted\n"
                                           "from CUPS keeps it until then)")},
    };
    return commands;
}

const std::vector<OptionInfo>& Options()
{
    static const std::vector<OptionInfo> options = {
        {"printer", "dP", "QUEUE", Device | Judged | ShowBit,
         QT_TRANSLATE_NOOP("ocrprint-cli", "print on this queue (default: the system's default)"),
         QT_TRANSLATE_NOOP("ocrprint-cli", "--printer needs a queue name")},
        {"output", "o", "FILE", PrintBit | SheetBit | TestPrintBit | ConvertBit | PreviewBit,
         QT_TRANSLATE_NOOP("ocrprint-cli", "print on the file printer instead, writing FILE\n"
                                           "('-' for standard output)"),
         QT_TRANSLATE_NOOP("ocrprint-cli", "-o needs a file name, or '-' for standard output")},
        {"format", "", "pdf|png|text|json", PrintBit | SheetBit | TestPrintBit | Judged,
         QT_TRANSLATE_NOOP("ocrprint-cli", "what the file printer writes (default: FILE's suffix;\n"
                                           "pdf on standard output); check: text or json"),
         QT_TRANSLATE_NOOP("ocrprint-cli", "--format needs pdf or png (check: text or json)")},
        {"dpi", "", "X[xY]", Device | Judged,
         QT_TRANSLATE_NOOP("ocrprint-cli", "file printer resolution (default 600; X sets both)"),
         QT_TRANSLATE_NOOP("ocrprint-cli", "--dpi needs X or XxY, each from 1 to 2400")},
        {"offset", "", "X,Y", Device | Judged,
         QT_TRANSLATE_NOOP("ocrprint-cli", "file printer physical offsets in dots (default 0,0)"),
         QT_TRANSLATE_NOOP("ocrprint-cli", "--offset needs X,Y in dots, not negative")},
        {"paper", "", "NAME", Device | Judged,
         QT_TRANSLATE_NOOP("ocrprint-cli", "file printer paper: A4 (default), A3, B4, B5, Letter,\n"
                                           "Legal"),
         QT_TRANSLATE_NOOP("ocrprint-cli", "--paper needs one of A4, A3, B4, B5, Letter, Legal")},
        {"printer-error", "", "SX,SY,DX,DY", Device | Judged,
         QT_TRANSLATE_NOOP("ocrprint-cli",
                           "make the file printer err like a real one: stretch by\n"
                           "SX, SY percent about the paper's corner (|S| < 50),\n"
                           "then shift by DX, DY mm (|D| < 100; + is right, down);\n"
                           "default 0,0,0,0"),
         QT_TRANSLATE_NOOP("ocrprint-cli", "--printer-error needs SX,SY,DX,DY: stretch in "
                                           "percent (|S| < 50), shift in mm (|D| < 100)")},
        {"trace", "", "FILE", PrintBit | SheetBit | TestPrintBit,
         QT_TRANSLATE_NOOP("ocrprint-cli", "also write the trace of the surface operations to\n"
                                           "FILE ('-' for standard output)"),
         QT_TRANSLATE_NOOP("ocrprint-cli", "--trace needs a file name or '-'")},
        {"data", "", "FILE", PrintBit | CheckBit | PreviewBit,
         QT_TRANSLATE_NOOP("ocrprint-cli", "the data file ('-' for standard input; default:\n"
                                           "ocrdat.prn, found as the program finds it)"),
         QT_TRANSLATE_NOOP("ocrprint-cli", "--data needs a file name, or '-' for standard input")},
        {"encoding", "", "cp932|utf-8", PrintBit | CheckBit | PreviewBit,
         QT_TRANSLATE_NOOP("ocrprint-cli", "the data file's encoding (default cp932); UTF-8 is\n"
                                           "converted as the program would read it saved in cp932"),
         QT_TRANSLATE_NOOP("ocrprint-cli", "--encoding needs cp932 or utf-8")},
        {"from", "", "utf-8|cp932", ConvertBit,
         QT_TRANSLATE_NOOP("ocrprint-cli", "convert: IN's encoding (default utf-8)"),
         QT_TRANSLATE_NOOP("ocrprint-cli", "--from needs cp932 or utf-8")},
        {"csv", "", nullptr, ConvertBit,
         QT_TRANSLATE_NOOP("ocrprint-cli", "convert: IN is a spreadsheet's CSV of 12 columns,\n"
                                           "one row per entry"),
         nullptr},
        {"all", "", nullptr, ShowBit,
         QT_TRANSLATE_NOOP("ocrprint-cli", "show: every printer's calibration"), nullptr},
        {"strict", "", nullptr, CheckBit,
         QT_TRANSLATE_NOOP("ocrprint-cli", "check: warnings fail too (exit 1)"), nullptr},
        {"form", "", "IMAGE", PreviewBit,
         QT_TRANSLATE_NOOP("ocrprint-cli", "preview: the scan of the blank form (PNG, JPEG, PDF)"),
         QT_TRANSLATE_NOOP("ocrprint-cli", "--form needs an image file")},
        {"form-dpi", "", "N", PreviewBit,
         QT_TRANSLATE_NOOP("ocrprint-cli", "preview: the form's resolution (default: the image's)"),
         QT_TRANSLATE_NOOP("ocrprint-cli",
                           "--form-dpi needs the form's resolution, from 10 to 10000")},
        {"scan", "", "SCAN", CalibrateBit,
         QT_TRANSLATE_NOOP("ocrprint-cli", "calibrate: the lengths measured on this scan of the\n"
                                           "sheet instead of X Y A B ('-' for standard input)"),
         QT_TRANSLATE_NOOP("ocrprint-cli", "--scan needs a scan file, or '-' for standard input")},
        {"scan-dpi", "", "N", Scanned,
         QT_TRANSLATE_NOOP("ocrprint-cli", "the scan's resolution (default: the one it records)"),
         QT_TRANSLATE_NOOP("ocrprint-cli",
                           "--scan-dpi needs the scan's resolution, from 100 to 10000")},
        {"scan-scale", "", "SX,SY", Scanned,
         QT_TRANSLATE_NOOP("ocrprint-cli", "the scanner's own stretch in percent, taken out of\n"
                                           "the lengths (default 0,0)"),
         QT_TRANSLATE_NOOP("ocrprint-cli",
                           "--scan-scale needs SX,SY: the scanner's stretch in percent (|S| < 5)")},
        {"settings", "", "FILE", PrintBit | ShowBit | CalibrateBit | Judged,
         QT_TRANSLATE_NOOP("ocrprint-cli", "the settings file (default: ocrprn2.ini, found as\n"
                                           "the program finds it)"),
         QT_TRANSLATE_NOOP("ocrprint-cli", "--settings needs a file name")},
        {"help", "h", nullptr, Every, QT_TRANSLATE_NOOP("ocrprint-cli", "show this help"), nullptr},
        {"version", "", nullptr, 0, QT_TRANSLATE_NOOP("ocrprint-cli", "show the version"), nullptr},
    };
    return options;
}

namespace {

// What an option says in the help of the commands named, where it is not
// what the tool's help says of it: check's --format chooses how findings
// are written, convert's -o is a data file, not a page.
struct OptionVariant
{
    const char* Long;
    unsigned Commands;
    const char* ValueName;
    const char* Help;
    const char* Needs;
};

const OptionVariant Variants[] = {
    {"format", PrintBit | SheetBit | TestPrintBit | PreviewBit, "pdf|png",
     QT_TRANSLATE_NOOP("ocrprint-cli", "what the file printer writes (default: FILE's suffix;\n"
                                       "pdf on standard output)"),
     QT_TRANSLATE_NOOP("ocrprint-cli", "--format needs pdf or png")},
    {"format", CheckBit, "text|json",
     QT_TRANSLATE_NOOP("ocrprint-cli", "how the findings are written: PATH:LINE: lines\n"
                                       "(text, the default) or one JSON object a line"),
     QT_TRANSLATE_NOOP("ocrprint-cli", "--format needs text or json")},
    {"output", ConvertBit, "OUT",
     QT_TRANSLATE_NOOP("ocrprint-cli", "the data file written (code page 932, CR LF)"), nullptr},
    {"output", PreviewBit, "FILE",
     QT_TRANSLATE_NOOP("ocrprint-cli", "the picture written, FILE.png or FILE.pdf\n"
                                       "('-' for standard output, with --format)"),
     nullptr},
    {"printer", CalibrateBit, "QUEUE",
     QT_TRANSLATE_NOOP("ocrprint-cli", "ask this queue for its resolution and offsets\n"
                                       "(default: the system's default)"),
     nullptr},
    {"printer", ShowBit, "QUEUE",
     QT_TRANSLATE_NOOP("ocrprint-cli", "this queue's calibration (default: the system's\n"
                                       "default)"),
     nullptr},
    {"printer", Judged, "QUEUE",
     QT_TRANSLATE_NOOP("ocrprint-cli", "judge the entries on this queue's paper and margins\n"
                                       "(default: the system's default)"),
     nullptr},
};

const OptionVariant* VariantOf(const OptionInfo& option, unsigned commandBit)
{
    for (const OptionVariant& variant : Variants)
        if ((variant.Commands & commandBit) != 0 && std::string_view(variant.Long) == option.Long)
            return &variant;
    return nullptr;
}

} // namespace

const char* OptionValueName(const OptionInfo& option, unsigned commandBit)
{
    const OptionVariant* variant = VariantOf(option, commandBit);
    return variant ? variant->ValueName : option.ValueName;
}

const char* OptionHelp(const OptionInfo& option, unsigned commandBit)
{
    const OptionVariant* variant = VariantOf(option, commandBit);
    return variant && variant->Help ? variant->Help : option.Help;
}

const char* OptionNeeds(const OptionInfo& option, unsigned commandBit)
{
    const OptionVariant* variant = VariantOf(option, commandBit);
    return variant && variant->Needs ? variant->Needs : option.Needs;
}

const CommandInfo* FindCommand(const std::string& name)
{
    for (const CommandInfo& command : Commands())
        if (name == command.Name)
            return &command;
    return nullptr;
}

const OptionInfo* FindOption(const QString& name)
{
    for (const OptionInfo& option : Options()) {
        if (name == QLatin1String(option.Long))
            return &option;
        if (name.size() == 1 && QLatin1String(option.Shorts).contains(name))
            return &option;
    }
    return nullptr;
}

QString OptionSpelling(const QString& name)
{
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

QString Tr(const char* text)
{
    return QCoreApplication::translate("ocrprint-cli", text);
}

} // namespace cli
