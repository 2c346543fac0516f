#include "commands.h"

#include <cstdio>
#include <memory>

#include "conversions.h"
#include "cp932.h"
#include "datafilecheck.h"
#include "declarationjob.h"
#include "exception.h"
#include "printerdevice.h"
#include "settingsfile.h"
#include "tapplication.h"
#include "tprinter.h"
#include "tracewriter.h"

namespace cli {

namespace {

void PrintError(const std::string& messageCp932)
{
    const std::string text = core::Cp932ToUtf8(app::FormatErrorMessage(messageCp932));
    std::fprintf(stderr, "%s\n", text.c_str());
}

void PrintErrorUtf8(const std::string& text)
{
    std::fprintf(stderr, "%s\n", text.c_str());
}

// Chooses the printer the command prints on or asks: the file printer, a named
// queue, or (nothing given) the system default, found when first needed.
void SelectDevice(const CommandLine& line)
{
    surface::TPrinter& printer = *surface::PrinterObject();
    if (line.FilePrinter)
        printer.SetDevice(std::make_unique<surface::FileDevice>(line.File));
    else if (line.Printer)
        printer.SetDevice(std::make_unique<surface::PrinterDevice>(*line.Printer));
}

// The trace is the command's: the printer object must not keep writing to it
// once the command has returned, whichever way it returns.
class TraceScope
{
public:
    explicit TraceScope(surface::TraceWriter* trace) { surface::PrinterObject()->SetTrace(trace); }
    ~TraceScope() { surface::PrinterObject()->SetTrace(nullptr); }
    TraceScope(const TraceScope&) = delete;
    TraceScope& operator=(const TraceScope&) = delete;
};

core::TPrintAdjustment LoadAdjustment(const CommandLine& line)
{
    core::TPrintAdjustment adjustment;
    app::LoadSettingsFrom(line.Settings ? *line.Settings : app::SettingsFilePath(), adjustment);
    return adjustment;
}

int RunPrint(const CommandLine& line)
{
    std::unique_ptr<surface::TraceWriter> trace;
    if (line.Trace) {
        trace = std::make_unique<surface::TraceWriter>(*line.Trace);
        if (!trace->Ok()) {
            PrintErrorUtf8("ocrprint-cli: cannot write the trace to " + *line.Trace);
            return 1;
        }
    }
    core::TPrintAdjustment adjustment = LoadAdjustment(line);
    SelectDevice(line);
    const TraceScope scope(trace.get());
    const std::string path = line.Data ? *line.Data : print::DataFilePath();
    const bool printed = print::PrintDeclaration(adjustment, path);
    if (!printed) {
        PrintErrorUtf8("ocrdat.prn が見つかりません: " + path);
        return 1;
    }
    return 0;
}

int RunCheck(const CommandLine& line)
{
    const std::string path = line.Data ? *line.Data : print::DataFilePath();
    const int problems = print::CheckDataFile(path, [](int number, const std::string& reason) {
        std::printf("%d: %s\n", number, reason.c_str());
    });
    if (problems < 0) {
        PrintErrorUtf8("ocrdat.prn が見つかりません: " + path);
        return 1;
    }
    return problems == 0 ? 0 : 1;
}

int RunShow(const CommandLine& line)
{
    const core::TPrintAdjustment a = LoadAdjustment(line);
    const std::pair<const char*, double> rows[] = {
        {"HorzOffset", a.HorzOffset}, {"VertOffset", a.VertOffset}, {"VertScale", a.VertScale},
        {"HorzScale", a.HorzScale},   {"MeasuredX", a.MeasuredX},   {"MeasuredY", a.MeasuredY},
        {"MeasuredA", a.MeasuredA},   {"MeasuredB", a.MeasuredB},
    };
    for (const auto& [name, value] : rows)
        std::printf("%s %s\n", name, core::FloatToStr(value).c_str());
    return 0;
}

} // namespace

int RunCommand(const CommandLine& line)
{
    try {
        if (line.Command == "print")
            return RunPrint(line);
        if (line.Command == "check")
            return RunCheck(line);
        if (line.Command == "show")
            return RunShow(line);
        PrintErrorUtf8("ocrprint-cli: " + line.Command + " is not available in this version");
        return 2;
    } catch (const core::Exception& e) {
        PrintError(e.Message());
    } catch (const std::exception& e) {
        PrintError(core::EncodeCp932(e.what()));
    }
    return 1;
}

} // namespace cli
