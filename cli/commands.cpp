#include "commands.h"

#include <QCoreApplication>
#include <QString>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>

#include "argumentcodec.h"
#include "calibrationmodel.h"
#include "convertcommand.h"
#include "core.h"
#include "diagnostics.h"
#include "lintcommands.h"
#include "measurecommand.h"
#include "outputcheck.h"
#include "print.h"
#include "printercalibration.h"
#include "printercalibrations.h"
#include "settingsfile.h"
#include "settingsnotice.h"
#include "surface.h"
#include "usage.h"

namespace cli {

namespace {

namespace model = calibration::model;

// An error's message as the error box shows it: its data bytes are escaped
// already, where the message was made.
void PrintError(const std::string& messageCp932)
{
    Report(QStringLiteral("%1"),
           {MessageArg::Shown(core::Cp932ToUtf8(core::FormatErrorMessage(messageCp932)))});
}

// --data -: the data from standard input, read whole before anything is drawn
// (a pipe cannot be read twice, and a half-read one must not half-print).
bool OpenStandardInput(core::TextModeReader& reader)
{
    std::string bytes;
    if (LoadDataBytes(StandardStream, DataEncoding::Cp932, bytes) != DataOpen::Opened)
        return false;
    reader.OpenBytes(std::move(bytes));
    return true;
}

bool DataFromStandardInput(const CommandLine& line)
{
    return line.Data == StandardStream;
}

// Chooses the printer the command prints on or asks: the file printer (-o, or
// for calibrate, which prints nothing, the options that describe it), a named
// queue, or (nothing given) the system default, found when first needed.
void SelectDevice(const CommandLine& line)
{
    surface::TPrinter& printer = *surface::PrinterObject();
    if (line.FilePrinter || line.FileOptionsGiven)
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
        ReportAbout(output.File, QCoreApplication::translate("ocrprint-cli", "cannot write it"));
        return 1;
    }
    if (!output.File.empty())
        ReportAbout(output.File, QCoreApplication::translate("ocrprint-cli", "written"));
    else if (!output.Queue.empty())
        Report(QCoreApplication::translate("ocrprint-cli", "request id is %1-%2 (1 file(s))"),
               {output.Queue, output.JobId});
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

bool TraceFailed(surface::TraceWriter& trace, const std::string& path)
{
    if (trace.Finish())
        return false;
    if (path == StandardStream)
        Report(QCoreApplication::translate("ocrprint-cli",
                                           "cannot write the trace to standard output: %1"),
               {trace.Reason()});
    else
        ReportAbout(path, QCoreApplication::translate("ocrprint-cli", "cannot write the trace: %1"),
                    {trace.Reason()});
    return true;
}

// Runs a command that prints: --trace FILE opened first (a trace that cannot
// be written stops the command before anything is printed), then the printer
// chosen, then the job with the trace attached; the trace is put in place
// once the job is over.
int RunPrinting(const CommandLine& line, const std::function<int()>& job)
{
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

// The measurement dialog's steps from the four lengths to the derived
// corrections, on the lengths of the command line. The dialog shows a
// replaced length in its box; here the user is told.
void TakeLengths(const CommandLine& line, model::FloorStep floor, model::TMeasureState& state,
                 core::TPrintAdjustment& adjustment)
{
    const model::LengthTexts typed = {line.Arguments[0], line.Arguments[1], line.Arguments[2],
                                      line.Arguments[3]};
    const model::AcceptedLengths accepted = model::TakeLengths(typed, floor, state, adjustment);
    for (std::size_t i = 0; i < typed.size(); ++i) {
        const model::LengthRule& rule = model::LengthRules[i];
        if (accepted.Replaced[i])
            Report(QCoreApplication::translate("ocrprint-cli",
                                               "%1 %2 is not a length from %3 to %4 mm: %5 used"),
                   {rule.Name, typed[i], core::FloatToStr(rule.Low), core::FloatToStr(rule.High),
                    accepted.Shown[i]});
    }
}

// calibrate saves what it takes, so it takes only lengths as typed: one that
// is not a number is a usage error (2), one out of its range fails (1), each
// said, before anything is read or saved. The window's replacement by the
// nominal length is for its boxes and the test print.
int CheckCalibrateLengths(const CommandLine& line)
{
    model::LengthValues mm{};
    for (std::size_t i = 0; i < mm.size(); ++i) {
        if (!core::TryStrToFloat(line.Arguments[i], mm[i])) {
            ReportUsageError(FormatMessage(
                QCoreApplication::translate("ocrprint-cli", "%1 %2 is not a length in mm"),
                {model::LengthRules[i].Name, line.Arguments[i]}));
            return 2;
        }
    }
    int status = 0;
    for (std::size_t i = 0; i < mm.size(); ++i) {
        const model::LengthRule& rule = model::LengthRules[i];
        if (mm[i] < rule.Low || mm[i] > rule.High) {
            Report(QCoreApplication::translate("ocrprint-cli",
                                               "%1 %2 is not a length from %3 to %4 mm"),
                   {rule.Name, line.Arguments[i], core::FloatToStr(rule.Low),
                    core::FloatToStr(rule.High)});
            status = 1;
        }
    }
    return status;
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
            ReportDataFileOpenError(path);
            return 1;
        case DataOpen::Unconvertible:
        case DataOpen::Refused:
            return 1;
        }
    }
    // The page still goes out as the window prints it; the user hears that
    // it is blank before it is named.
    int printing = 0;
    const auto status = [&](const surface::DocumentOutput& output) {
        if (printing == 0)
            Report(QCoreApplication::translate(
                "ocrprint-cli",
                "no entry of the data file puts anything on the page: it is printed blank"));
        return OutputStatus(output);
    };
    return RunPrinting(line, [&] {
        core::TPrintAdjustment adjustment;
        if (!LoadCalibration(line, adjustment))
            return 1;
        if (converted.IsOpen())
            return status(print::PrintDeclaration(adjustment, converted, &printing));
        if (DataFromStandardInput(line)) {
            core::TextModeReader reader;
            if (!OpenStandardInput(reader))
                return 1;
            return status(print::PrintDeclaration(adjustment, reader, &printing));
        }
        const std::optional<surface::DocumentOutput> output =
            print::PrintDeclaration(adjustment, path, &printing);
        if (!output) {
            ReportDataFileOpenError(path);
            return 1;
        }
        return status(*output);
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
        // The lengths typed replace the saved ones; the file is read all the
        // same, so that every command says the same of it.
        core::TPrintAdjustment adjustment;
        if (!LoadCommandSettings(line, adjustment))
            return 1;
        TakeLengths(line, model::TestPrintFloor, state, adjustment);
        return OutputStatus(model::PrintTestSheet(state));
    });
}

// The measurement dialog's done button, then the adjustment dialog's OK on
// what it handed over: the track bars hold the scales in half-dpi steps, the
// edit boxes the offsets as text.
int RunCalibrate(const CommandLine& line)
{
    if (const int status = CheckCalibrateLengths(line); status != 0)
        return status;
    SelectDevice(line);
    // The printer's calibration is made anew whole: none is read first.
    const std::optional<std::string> key = PrinterInUse(line);
    const bool perPrinter = key.has_value();
    core::TPrintAdjustment adjustment;
    if (!perPrinter && !LoadCommandSettings(line, adjustment))
        return 1;
    model::TMeasureState state;
    TakeLengths(line, model::DoneFloor, state, adjustment);
    const model::OffsetCheck check = model::ConfirmAdjustment(model::HandOver(state), adjustment);
    if (check.Problem != model::OffsetProblem::None) {
        Report(QString::fromUtf8(model::OffsetWarningText(check.Problem)));
        return 1;
    }
    // The window saves silently and ignores a failure; a tool must not.
    std::string reason;
    std::string failed;
    const bool saved =
        perPrinter      ? settings::SavePrinterCalibration(*key, adjustment, &reason, &failed)
        : line.Settings ? settings::SaveSettingsTo(*line.Settings, adjustment, &reason)
                        : settings::SaveSettings(adjustment, &reason);
    if (!saved) {
        const std::string path = perPrinter      ? failed
                                 : line.Settings ? *line.Settings
                                                 : settings::SettingsFilePath();
        ReportAbout(path,
                    QCoreApplication::translate("ocrprint-cli", "cannot save the settings: %1"),
                    {reason});
        return 1;
    }
    PrintValues(adjustment);
    return 0;
}

int RunShow(const CommandLine& line)
{
    // Every printer's, each under its [QUEUE].
    if (line.All) {
        for (const std::string& key : settings::CalibratedPrinters()) {
            core::TPrintAdjustment adjustment;
            settings::LoadSettingsFrom(settings::PrinterCalibrationPath(key), adjustment);
            std::printf("[%s]\n", key.c_str());
            PrintValues(adjustment);
        }
        return 0;
    }
    SelectDevice(line);
    core::TPrintAdjustment adjustment;
    if (!LoadCalibration(line, adjustment))
        return 1;
    PrintValues(adjustment);
    return 0;
}

// What the command wrote to standard output must have arrived: a full disk
// or a closed pipe behind it is a failure like any other.
int CheckStandardOutput(int status, bool reported)
{
    errno = 0;
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return status;
    if (reported)
        return 1;
    const int error = errno != 0 ? errno : EIO;
    Report(QCoreApplication::translate("ocrprint-cli", "cannot write standard output: %1"),
           {std::strerror(error)});
    return 1;
}

// standardOutputReported: the command failed on standard output and said so.
int Dispatch(const CommandLine& line, bool& standardOutputReported)
{
    using Command = int (*)(const CommandLine&);
    static const std::pair<const char*, Command> commands[] = {
        {"print", RunPrint},          {"check", RunCheck},
        {"preview", RunPreview},      {"show", RunShow},
        {"convert", RunConvert},      {"sheet", RunSheet},
        {"test-print", RunTestPrint}, {"calibrate", RunCalibrate},
        {"measure", RunMeasure},      {"forget", RunForget},
    };
    try {
        if (RefuseClashingOutputs(line))
            return 1;
        if (line.Command == "calibrate" && line.Scan)
            return WithScannedLengths(line, RunCalibrate);
        for (const auto& [name, run] : commands) {
            if (line.Command == name)
                return run(line);
        }
        Report(QCoreApplication::translate("ocrprint-cli", "unknown command %1"), {line.Command});
        return 2;
    } catch (const surface::OutputWriteError& e) {
        // The same words as every other file the tool cannot write.
        if (e.Path() == StandardStream) {
            Report(QCoreApplication::translate("ocrprint-cli", "cannot write standard output: %1"),
                   {e.Reason()});
            standardOutputReported = true;
        } else {
            ReportAbout(e.Path(),
                        QCoreApplication::translate("ocrprint-cli", "cannot write it: %1"),
                        {e.Reason()});
        }
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
    bool reported = false;
    const int status = Dispatch(line, reported);
    return CheckStandardOutput(status, reported);
}

} // namespace cli
