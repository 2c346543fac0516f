#include "commands.h"

#include <QCoreApplication>
#include <QString>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>

#include "argumentcodec.h"
#include "calibrationmodel.h"
#include "convertcommand.h"
#include "core.h"
#include "lintcommands.h"
#include "measurecommand.h"
#include "print.h"
#include "settingsfile.h"
#include "surface.h"

namespace cli {

namespace {

namespace model = calibration::model;

void PrintError(const std::string& messageCp932)
{
    const std::string text = core::Cp932ToUtf8(core::FormatErrorMessage(messageCp932));
    std::fprintf(stderr, "%s\n", text.c_str());
}

void PrintErrorUtf8(const std::string& text)
{
    std::fprintf(stderr, "%s\n", text.c_str());
}

// Paths and values go into messages byte for byte, whatever their encoding.
std::string Text(const QString& text)
{
    return EncodeArgument(text);
}

QString Q(const std::string& text)
{
    return DecodeArgument(text);
}

// One of the tool's own messages, in the user's language.
void PrintNotice(const QString& text)
{
    PrintErrorUtf8("ocrprint-cli: " + EncodeArgument(text));
}

// --data -: the data from standard input, read whole before anything is drawn
// (a pipe cannot be read twice, and a half-read one must not half-print).
bool OpenStandardInput(core::TextModeReader& reader)
{
    std::string bytes;
    if (!ReadWholeFile(StandardStream, bytes)) {
        PrintNotice(QCoreApplication::translate("ocrprint-cli",
                                                "cannot read the data from standard input"));
        return false;
    }
    reader.OpenBytes(std::move(bytes));
    return true;
}

bool DataFromStandardInput(const CommandLine& line)
{
    return line.Data == StandardStream;
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

// A file that was not written is a result the user has to hear about (a page
// the spooler refused has thrown already). What was made is named on standard
// error, as lp names its request: standard output carries only data.
int OutputStatus(const surface::DocumentOutput& output)
{
    if (!output.Delivered && !output.File.empty()) {
        PrintNotice(
            QCoreApplication::translate("ocrprint-cli", "cannot write %1").arg(Q(output.File)));
        return 1;
    }
    QString done;
    if (!output.File.empty())
        done = QCoreApplication::translate("ocrprint-cli", "%1 written")
                   .arg(QString::fromStdString(output.File));
    else if (!output.Queue.empty())
        done = QCoreApplication::translate("ocrprint-cli", "request id is %1-%2 (1 file(s))")
                   .arg(QString::fromStdString(output.Queue))
                   .arg(output.JobId);
    if (!done.isEmpty())
        PrintErrorUtf8("ocrprint-cli: " + done.toStdString());
    return 0;
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

// The settings files a command may read: the one given, or every place the
// program looks.
std::vector<std::string> SettingsFiles(const CommandLine& line)
{
    return line.Settings ? std::vector<std::string>{*line.Settings}
                         : settings::SettingsCandidates();
}

// An output that is one of the command's own inputs would destroy it: the
// trace or the file printed to naming the data file or the settings file,
// however spelled. Refused before anything is opened for writing.
bool RefuseOutputOntoInput(const CommandLine& line)
{
    // Standard input is no file to overwrite.
    const std::string data = line.Data ? *line.Data : print::DataFilePath();
    std::vector<std::string> outputs;
    if (line.Trace && *line.Trace != "-")
        outputs.push_back(*line.Trace);
    if (line.FilePrinter && line.File.OutputPath != "-")
        outputs.push_back(line.File.OutputPath);
    // Two outputs to one file, which need not exist yet.
    const auto canonical = [](const std::string& path) {
        std::error_code ignored;
        return std::filesystem::weakly_canonical(path, ignored);
    };
    if (outputs.size() == 2 && (core::IsSameFile(outputs[0], outputs[1]) ||
                                canonical(outputs[0]) == canonical(outputs[1]))) {
        PrintErrorUtf8(Text(
            QCoreApplication::translate("ocrprint-cli", "ocrprint-cli: --trace and -o both name %1")
                .arg(Q(outputs[0]))));
        return true;
    }
    for (const std::string& output : outputs) {
        if (line.Data != StandardStream && core::IsSameFile(output, data)) {
            PrintErrorUtf8(
                Text(QCoreApplication::translate("ocrprint-cli",
                                                 "ocrprint-cli: %1 is the data file: not written")
                         .arg(Q(output))));
            return true;
        }
        for (const std::string& file : SettingsFiles(line)) {
            if (core::IsSameFile(output, file)) {
                PrintErrorUtf8(
                    Text(QCoreApplication::translate("ocrprint-cli",
                                                     "ocrprint-cli: %1 is the settings file: not "
                                                     "written")
                             .arg(Q(output))));
                return true;
            }
        }
    }
    return false;
}

bool TraceFailed(surface::TraceWriter& trace, const std::string& path)
{
    if (trace.Finish())
        return false;
    PrintErrorUtf8(
        Text(QCoreApplication::translate("ocrprint-cli",
                                         "ocrprint-cli: cannot write the trace to %1: %2")
                 .arg(path == "-" ? QCoreApplication::translate("ocrprint-cli", "standard output")
                                  : Q(path),
                      Q(trace.Reason()))));
    return true;
}

// Runs a command that prints: --trace FILE opened first (a trace that cannot
// be written stops the command before anything is printed), then the printer
// chosen, then the job with the trace attached; the trace is put in place
// once the job is over.
int RunPrinting(const CommandLine& line, const std::function<int()>& job)
{
    if (RefuseOutputOntoInput(line))
        return 1;
    std::unique_ptr<surface::TraceWriter> trace;
    if (line.Trace) {
        trace = std::make_unique<surface::TraceWriter>(*line.Trace);
        if (!trace->Ok()) {
            TraceFailed(*trace, *line.Trace);
            return 1;
        }
    }
    SelectDevice(line);
    int status = 0;
    {
        const TraceScope scope(trace.get());
        status = job();
    }
    if (trace && TraceFailed(*trace, *line.Trace))
        return 1;
    return status;
}

// Loads the settings as the program does (or from --settings), saying on
// standard error why a file found was not trusted.
core::TPrintAdjustment LoadAdjustment(const CommandLine& line)
{
    core::TPrintAdjustment adjustment;
    std::vector<settings::LoadResult> found;
    if (line.Settings)
        found.push_back(settings::LoadSettingsFrom(*line.Settings, adjustment));
    else
        found = settings::LoadSettings(adjustment);
    bool ignored = false;
    for (const settings::LoadResult& result : found) {
        QString why;
        if (result.Status == settings::LoadStatus::NotOwned)
            why = QCoreApplication::translate(
                "ocrprint-cli",
                "ocrprint-cli: %1 ignored: it belongs to another user, who could have planted it");
        else if (result.Status == settings::LoadStatus::WritableByOthers)
            why = QCoreApplication::translate(
                "ocrprint-cli", "ocrprint-cli: %1 ignored: others may write to it (chmod go-w %1)");
        if (!why.isEmpty()) {
            PrintErrorUtf8(Text(why.arg(Q(result.Path))));
            ignored = true;
        }
    }
    if (ignored && (found.empty() || found.back().Status != settings::LoadStatus::Loaded))
        PrintErrorUtf8(Text(QCoreApplication::translate(
            "ocrprint-cli", "ocrprint-cli: the default settings are used")));
    return adjustment;
}

// The eight values in the settings file's order.
void PrintValues(const core::TPrintAdjustment& a)
{
    const std::pair<const char*, double> rows[] = {
        {"HorzOffset", a.HorzOffset}, {"VertOffset", a.VertOffset}, {"VertScale", a.VertScale},
        {"HorzScale", a.HorzScale},   {"MeasuredX", a.MeasuredX},   {"MeasuredY", a.MeasuredY},
        {"MeasuredA", a.MeasuredA},   {"MeasuredB", a.MeasuredB},
    };
    for (const auto& [name, value] : rows)
        std::printf("%s %s\n", name, core::FloatToStr(value).c_str());
}

// The four lengths as the measurement dialog takes them from its edit boxes.
// The dialog shows a replaced length in its box; here the user is told.
void AcceptLengths(const CommandLine& line, core::TPrintAdjustment& adjustment)
{
    const std::array<std::string, 4> typed = {line.Arguments[0], line.Arguments[1],
                                              line.Arguments[2], line.Arguments[3]};
    const std::array<std::string, 4> shown = model::AcceptLengths(typed, adjustment);
    const char* const names[] = {"X", "Y", "A", "B"};
    const model::LengthRule* const rules[] = {&model::RuleX, &model::RuleY, &model::RuleA,
                                              &model::RuleB};
    for (std::size_t i = 0; i < 4; ++i) {
        if (shown[i] != typed[i])
            PrintNotice(QCoreApplication::translate("ocrprint-cli",
                                                    "%1 %2 is not a length from %3 to %4 mm: "
                                                    "%5 used")
                            .arg(QLatin1String(names[i]), Q(typed[i]),
                                 Q(core::FloatToStr(rules[i]->Low)),
                                 Q(core::FloatToStr(rules[i]->High)), Q(shown[i])));
    }
}

int RunPrint(const CommandLine& line)
{
    const std::string path = line.Data ? *line.Data : print::DataFilePath();
    // UTF-8 data is converted before anything is opened or printed: a
    // character without a code page 932 form leaves no trace and no page.
    core::TextModeReader converted;
    if (line.Encoding == DataEncoding::Utf8) {
        switch (OpenDataFile(path, *line.Encoding, converted)) {
        case DataOpen::Opened:
            break;
        case DataOpen::Missing:
            PrintErrorUtf8("ocrdat.prn が見つかりません: " + path);
            return 1;
        case DataOpen::Unconvertible:
            return 1;
        }
    }
    return RunPrinting(line, [&] {
        core::TPrintAdjustment adjustment = LoadAdjustment(line);
        if (converted.IsOpen())
            return OutputStatus(print::PrintDeclaration(adjustment, converted));
        if (DataFromStandardInput(line)) {
            core::TextModeReader reader;
            if (!OpenStandardInput(reader))
                return 1;
            return OutputStatus(print::PrintDeclaration(adjustment, reader));
        }
        const std::optional<surface::DocumentOutput> output =
            print::PrintDeclaration(adjustment, path);
        if (!output) {
            PrintErrorUtf8(print::DataFileOpenError(path));
            return 1;
        }
        return OutputStatus(*output);
    });
}

// The measurement dialog's first button.
int RunSheet(const CommandLine& line)
{
    return RunPrinting(line, [] {
        model::TMeasureState state;
        return OutputStatus(model::PrintMeasurementSheet(state));
    });
}

// The measurement dialog's test print button. The lengths it accepts would go
// into the program's correction state; here nothing keeps them.
int RunTestPrint(const CommandLine& line)
{
    return RunPrinting(line, [&] {
        model::TMeasureState state;
        core::TPrintAdjustment adjustment;
        model::QueryPrinter(state);
        AcceptLengths(line, adjustment);
        model::DeriveCorrections(state, adjustment, 100);
        return OutputStatus(model::PrintTestSheet(state));
    });
}

// The measurement dialog's done button, then the adjustment dialog's OK on
// what it handed over: the track bars hold the scales in half-dpi steps, the
// edit boxes the offsets as text.
int RunCalibrate(const CommandLine& line)
{
    core::TPrintAdjustment adjustment = LoadAdjustment(line);
    SelectDevice(line);
    model::TMeasureState state;
    model::QueryPrinter(state);
    AcceptLengths(line, adjustment);
    model::DeriveCorrections(state, adjustment, 10);
    const model::ControlValues controls =
        model::ControlsFor(state.DerivedHorzScale, state.DerivedVertScale, state.DerivedHorzOffset,
                           state.DerivedVertOffset);
    const model::OffsetCheck check =
        model::CheckOffsets(controls.HorzOffsetText, controls.VertOffsetText);
    if (check.Warning) {
        PrintErrorUtf8(check.Warning);
        return 1;
    }
    model::StoreCorrections(adjustment, controls.HorzTrack, controls.VertTrack, check);
    // The window saves silently and ignores a failure; a tool must not.
    std::string reason;
    const bool saved = line.Settings ? settings::SaveSettingsTo(*line.Settings, adjustment, &reason)
                                     : settings::SaveSettings(adjustment, &reason);
    if (!saved) {
        const std::string path = line.Settings ? *line.Settings : settings::SettingsFilePath();
        PrintErrorUtf8(Text(QCoreApplication::translate(
                                "ocrprint-cli", "ocrprint-cli: cannot save the settings to %1: %2")
                                .arg(Q(path), Q(reason))));
        return 1;
    }
    PrintValues(adjustment);
    return 0;
}

int RunShow(const CommandLine& line)
{
    PrintValues(LoadAdjustment(line));
    return 0;
}

// What the command wrote to standard output must have arrived: a full disk
// or a closed pipe behind it is a failure like any other.
int CheckStandardOutput(int status)
{
    errno = 0;
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return status;
    const int error = errno != 0 ? errno : EIO;
    PrintErrorUtf8(Text(QCoreApplication::translate(
                            "ocrprint-cli", "ocrprint-cli: cannot write standard output: %1")
                            .arg(Q(std::strerror(error)))));
    return 1;
}

int Dispatch(const CommandLine& line)
{
    using Command = int (*)(const CommandLine&);
    static const std::pair<const char*, Command> commands[] = {
        {"print", RunPrint},          {"check", RunCheck},
        {"preview", RunPreview},      {"show", RunShow},
        {"convert", RunConvert},      {"sheet", RunSheet},
        {"test-print", RunTestPrint}, {"calibrate", RunCalibrate},
        {"measure", RunMeasure},
    };
    try {
        if (line.Command == "calibrate" && line.Scan)
            return WithScannedLengths(line, RunCalibrate);
        for (const auto& [name, run] : commands) {
            if (line.Command == name)
                return run(line);
        }
        PrintNotice(
            QCoreApplication::translate("ocrprint-cli", "unknown command %1").arg(Q(line.Command)));
        return 2;
    } catch (const core::Exception& e) {
        PrintError(e.Message());
    } catch (const std::exception& e) {
        PrintError(core::EncodeCp932(e.what()));
    }
    return 1;
}

} // namespace

int RunCommand(const CommandLine& line)
{
    return CheckStandardOutput(Dispatch(line));
}

} // namespace cli
