#include "lintcommands.h"

#include "datainput.h"

#include <QCoreApplication>
#include <cstdio>
#include <memory>
#include <optional>

#include "calibrationmodel.h"
#include "core.h"
#include "diagnostics.h"
#include "filedevice.h"
#include "findingline.h"
#include "print.h"
#include "printercalibration.h"
#include "printerdevice.h"
#include "settingsnotice.h"
#include "tprinter.h"

namespace cli {

namespace {

constexpr std::size_t OutputBlock = 64 * 1024;

// The printer judged on instead of a default printer that cannot be reached
// is named: a judgement on other paper or margins than the user's must not
// pass for theirs.
void ReportStandIn(const core::EPrinter& error, const surface::FilePrinterOptions& standIn)
{
    Report(QCoreApplication::translate(
               "ocrprint-cli",
               "cannot reach the default printer (%1): the entries are judged on %2 paper (%3 x "
               "%4 mm) at %5x%6 dpi without margins; name the printer with --printer, or "
               "describe it with --paper, --dpi and --offset"),
           {MessageArg::Shown(core::Cp932ToUtf8(error.Message())), standIn.Paper.Name,
            core::FloatToStr(standIn.Paper.WidthMm), core::FloatToStr(standIn.Paper.HeightMm),
            standIn.DpiX, standIn.DpiY});
}

// The printer the entries are judged on: --printer, the file printer that
// --paper, --dpi or --offset describe (check's -o too), else the system's
// default printer; when that cannot be reached, A4 at 600 dpi without
// margins, said on standard error.
void SelectJudgedDevice(const CommandLine& line)
{
    surface::TPrinter& printer = *surface::PrinterObject();
    if (line.Printer) {
        printer.SetDevice(std::make_unique<surface::PrinterDevice>(*line.Printer));
        return;
    }
    if (line.FileOptionsGiven || (line.FilePrinter && line.Command == "check")) {
        surface::FilePrinterOptions options = line.File;
        options.OutputPath.clear();
        printer.SetDevice(std::make_unique<surface::FileDevice>(options));
        return;
    }
    try {
        printer.DeviceHandle();
    } catch (const core::EPrinter& error) {
        const surface::FilePrinterOptions standIn;
        ReportStandIn(error, standIn);
        printer.SetDevice(std::make_unique<surface::FileDevice>(standIn));
    }
}

// The device's values as the job would use them: its capabilities and the
// saved correction, clamped.
// Empty, said, when the settings cannot be had.
std::optional<print::LintDevice> JudgedDevice(const CommandLine& line)
{
    print::LintDevice device;
    // A --settings FILE that cannot be read stops the command before the
    // printer is asked; a queue's own calibration needs the queue first.
    const bool given = line.Settings.has_value();
    if (given && !LoadCommandSettings(line, device.Adjustment))
        return std::nullopt;
    SelectJudgedDevice(line);
    if (!given && !LoadCalibration(line, device.Adjustment))
        return std::nullopt;
    print::QueryPrinter(device.Adjustment);
    calibration::model::ClampCorrections(device.Adjustment);
    device.Area = surface::PrinterObject()->DeviceHandle()->Area();
    return device;
}

std::string DataPath(const CommandLine& line)
{
    return line.Data ? *line.Data : print::DataFilePath();
}

// The data read whole, once: standard input cannot be read twice, and UTF-8
// data is converted before anything is judged or drawn.
bool LoadData(const CommandLine& line, const std::string& path, std::string& bytes)
{
    switch (LoadDataBytes(path, line.Encoding.value_or(DataEncoding::Cp932), bytes)) {
    case DataOpen::Opened:
        return true;
    case DataOpen::Missing:
        ReportDataFileOpenError(path);
        return false;
    case DataOpen::Unconvertible:
    case DataOpen::Refused:
        return false;
    }
    return false;
}

// How a finding names the data: standard input as compilers name it, a
// file's name with its control bytes escaped.
std::string ShownPath(const std::string& path)
{
    return core::EscapeControlChars(core::InputName(path));
}

} // namespace

int RunCheck(const CommandLine& line)
{
    const std::string path = DataPath(line);
    std::string bytes;
    if (!LoadData(line, path, bytes))
        return 1;
    core::TextModeReader reader;
    reader.OpenBytes(std::move(bytes));
    const std::string shown = ShownPath(path);
    const std::optional<print::LintDevice> judgedDevice = JudgedDevice(line);
    if (!judgedDevice)
        return 1;
    const print::LintDevice& device = *judgedDevice;
    // Written in blocks: a big file may have a finding on every line.
    std::string out;
    const auto flush = [&] {
        std::fwrite(out.data(), 1, out.size(), stdout);
        out.clear();
    };
    const print::LintSummary summary = print::LintDataFile(
        reader, device, *surface::PrinterObject()->PageCanvas(), [&](const print::Finding& f) {
            AppendFinding(out, shown, f, line.Json);
            out += '\n';
            if (out.size() >= OutputBlock)
                flush();
        });
    flush();
    return summary.Errors > 0 || (line.Strict && summary.Warnings > 0) ? 1 : 0;
}

int RunPreview(const CommandLine& line)
{
    const std::string path = DataPath(line);
    std::string bytes;
    if (!LoadData(line, path, bytes))
        return 1;
    core::TextModeReader reader;
    reader.OpenBytes(bytes);
    const std::optional<print::LintDevice> judgedDevice = JudgedDevice(line);
    if (!judgedDevice)
        return 1;
    const print::LintDevice& device = *judgedDevice;
    const core::TPrintAdjustment& judged = device.Adjustment;

    surface::FilePrinterOptions picture;
    picture.OutputPath = line.File.OutputPath;
    picture.Format = line.File.Format;
    picture.DpiX = judged.PrinterDpiX;
    picture.DpiY = judged.PrinterDpiY;
    picture.Paper = {"", device.Area.PaperWidth * core::MmPerInch / judged.PrinterDpiX,
                     device.Area.PaperHeight * core::MmPerInch / judged.PrinterDpiY};
    picture.Colour = true;
    if (line.Form) {
        print::FormImage form;
        const std::string error =
            print::LoadFormImage(*line.Form, line.FormDpi, judged.PrinterDpiX, form);
        if (!error.empty()) {
            ReportAbout(*line.Form, QString::fromStdString(error));
            return 1;
        }
        picture.Form = form.Image;
        picture.FormDpiX = form.DpiX;
        picture.FormDpiY = form.DpiY;
    }

    print::MarkedLines marked;
    int errors = 0;
    print::LintDataFile(reader, device, *surface::PrinterObject()->PageCanvas(),
                        [&](const print::Finding& f) {
                            if (f.Error)
                                ++errors;
                            else if (print::MarksEntry(f.Code))
                                marked.insert(f.Line);
                        });
    if (errors > 0)
        Report(QCoreApplication::translate("ocrprint-cli",
                                           "the data file has %n error(s) that check lists: "
                                           "the declaration does not print as previewed",
                                           nullptr, errors));

    surface::PrinterObject()->SetDevice(std::make_unique<surface::FileDevice>(picture));
    core::TextModeReader again;
    again.OpenBytes(std::move(bytes));
    const surface::DocumentOutput output = print::PrintPreview(again, device.Area, marked);
    if (!output.Delivered) {
        ReportAbout(output.File, QCoreApplication::translate("ocrprint-cli", "cannot write it"));
        return 1;
    }
    return 0;
}

} // namespace cli
