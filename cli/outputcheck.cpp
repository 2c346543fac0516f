#include "outputcheck.h"

#include <QCoreApplication>
#include <QString>

#include "declarationjob.h"
#include "diagnostics.h"
#include "outputguard.h"
#include "settingsfile.h"

namespace cli {

namespace {

using core::FileRole;

// The commands that write what -o names; check and calibrate only describe a
// printer with it.
bool WritesOutput(const std::string& command)
{
    for (const char* name : {"print", "preview", "convert", "sheet", "test-print"})
        if (command == name)
            return true;
    return false;
}

// What the command reads and writes. The program's data file and settings
// file are kept from every writer, whether the command reads them or not;
// convert writes data files, so a data file is what it may write.
core::OutputGuard GuardFor(const CommandLine& line)
{
    core::OutputGuard guard;
    if (line.Command == "convert") {
        if (!line.Arguments.empty())
            guard.Reads(line.Arguments[0], FileRole::Converted);
    } else {
        guard.Reads(line.Data ? *line.Data : print::DataFilePath(), FileRole::DataFile);
    }
    if (line.Form)
        guard.Reads(*line.Form, FileRole::FormImage);
    if (line.Scan)
        guard.Reads(*line.Scan, FileRole::Converted);
    if (line.Settings)
        guard.Reads(*line.Settings, FileRole::SettingsFile);
    else
        for (const std::string& file : settings::SettingsCandidates())
            guard.Reads(file, FileRole::SettingsFile);

    if (line.Command == "calibrate")
        guard.Writes(line.Settings ? *line.Settings : settings::SettingsFilePath(),
                     FileRole::SettingsFile, core::OutputKind::Settings);
    if (line.FilePrinter && WritesOutput(line.Command))
        guard.Writes(line.File.OutputPath, FileRole::Document);
    if (line.Trace)
        guard.Writes(*line.Trace, FileRole::Trace);
    return guard;
}

const char* RefusalText(FileRole with)
{
    switch (with) {
    case FileRole::DataFile:
        return QT_TRANSLATE_NOOP("ocrprint-cli", "%1 is the data file: not written");
    case FileRole::SettingsFile:
        return QT_TRANSLATE_NOOP("ocrprint-cli", "%1 is the settings file: not written");
    case FileRole::FormImage:
        return QT_TRANSLATE_NOOP("ocrprint-cli", "%1 is the form image: not written");
    case FileRole::Converted:
        return QT_TRANSLATE_NOOP("ocrprint-cli", "%1 is the input file: not written");
    case FileRole::Document:
    case FileRole::Trace:
        break;
    }
    return QT_TRANSLATE_NOOP("ocrprint-cli", "%1 is another output of the command: not written");
}

} // namespace

bool RefuseClashingOutputs(const CommandLine& line)
{
    const std::optional<core::OutputClash> clash = GuardFor(line).FirstClash();
    if (!clash)
        return false;
    Report(QCoreApplication::translate("ocrprint-cli", RefusalText(clash->With)), {clash->Output});
    return true;
}

} // namespace cli
