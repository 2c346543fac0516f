#include "settingsnotice.h"

#include <QCoreApplication>
#include <cstring>
#include <sys/stat.h>

#include "conversions.h"
#include "diagnostics.h"
#include "settingsfile.h"

namespace cli {

namespace {

// Why a file that is there was not read.
void ReportRefusal(const settings::LoadResult& result)
{
    switch (result.Status) {
    case settings::LoadStatus::NotOwned:
        ReportAbout(
            result.Path,
            QCoreApplication::translate(
                "ocrprint-cli", "ignored: it belongs to another user, who could have planted it"));
        break;
    case settings::LoadStatus::WritableByOthers:
        ReportAbout(result.Path,
                    QCoreApplication::translate("ocrprint-cli",
                                                "ignored: others may write to it (chmod go-w %1)"),
                    {result.Path});
        break;
    case settings::LoadStatus::NotAFile:
        if (result.Type == S_IFDIR)
            ReportAbout(result.Path,
                        QCoreApplication::translate("ocrprint-cli", "ignored: it is a directory"));
        else if (result.Type == S_IFIFO)
            ReportAbout(result.Path,
                        QCoreApplication::translate("ocrprint-cli", "ignored: it is a FIFO"));
        else if (result.Type == S_IFLNK)
            ReportAbout(result.Path, QCoreApplication::translate("ocrprint-cli",
                                                                 "ignored: it is a symbolic link"));
        else if (result.Error != 0)
            ReportAbout(result.Path,
                        QCoreApplication::translate("ocrprint-cli", "ignored: cannot read it: %1"),
                        {std::string(std::strerror(result.Error))});
        else
            ReportAbout(result.Path, QCoreApplication::translate(
                                         "ocrprint-cli", "ignored: it is not a regular file"));
        break;
    case settings::LoadStatus::Loaded:
    case settings::LoadStatus::Missing:
        break;
    }
}

// A hand-edited line, with what the load took from it.
void ReportNotes(const settings::LoadResult& result)
{
    for (const settings::LineNote& note : result.Notes) {
        const std::string path = result.Path + ":" + std::to_string(note.Line);
        const std::string value = core::FloatToStr(note.Value);
        switch (note.What) {
        case settings::LineNote::Kind::NotANumber:
            ReportAbout(
                path,
                QCoreApplication::translate("ocrprint-cli", "%1 \"%2\" is not a number: %3 taken"),
                {settings::FieldName(note.Field), note.Text, value});
            break;
        case settings::LineNote::Kind::ByteOrderMark:
            ReportAbout(
                path,
                QCoreApplication::translate(
                    "ocrprint-cli",
                    "%1 starts with a byte-order mark, so \"%2\" is not a number: %3 taken"),
                {settings::FieldName(note.Field), note.Text, value});
            break;
        case settings::LineNote::Kind::Overlong:
            ReportAbout(path,
                        QCoreApplication::translate(
                            "ocrprint-cli",
                            "longer than %1 bytes: %2 %3 taken from them, the rest is read as %4"),
                        {note.MaxBytes, settings::FieldName(note.Field), value,
                         settings::FieldName(note.Field + 1)});
            break;
        }
    }
}

// --settings FILE for a command that reads it: it has to be there.
bool ExplicitFileReadable(const settings::LoadResult& result)
{
    if (result.Status == settings::LoadStatus::Missing) {
        ReportAbout(result.Path,
                    QCoreApplication::translate(
                        "ocrprint-cli", "cannot read the settings file: it does not exist"));
        return false;
    }
    if (result.Status != settings::LoadStatus::NotAFile)
        return true;
    if (result.Type == S_IFDIR)
        ReportAbout(result.Path,
                    QCoreApplication::translate(
                        "ocrprint-cli", "cannot read the settings file: it is a directory"));
    else if (result.Type == S_IFIFO)
        ReportAbout(result.Path,
                    QCoreApplication::translate("ocrprint-cli",
                                                "cannot read the settings file: it is a FIFO"));
    else
        ReportAbout(result.Path,
                    QCoreApplication::translate(
                        "ocrprint-cli", "cannot read the settings file: it is not a regular file"));
    return false;
}

} // namespace

bool LoadCommandSettings(const CommandLine& line, core::TPrintAdjustment& adjustment)
{
    const bool show = line.Command == "show";
    const bool tellLines = show || line.Command == "print";
    settings::LoadResult used;
    if (line.Settings) {
        used = settings::LoadSettingsFrom(*line.Settings, adjustment);
        // calibrate makes the file it is given, as it always has.
        if (line.Command != "calibrate" && !ExplicitFileReadable(used))
            return false;
        if (line.Command == "calibrate" && used.Status == settings::LoadStatus::NotAFile)
            return true; // the save says why it cannot write there
        ReportRefusal(used);
    } else {
        const settings::SettingsChoice choice = settings::LoadSettings(adjustment);
        used = choice.Used();
        ReportRefusal(choice.Config);
        if (choice.Old) {
            ReportRefusal(*choice.Old);
            if (choice.Old->Status == settings::LoadStatus::Loaded)
                ReportAbout(choice.Old->Path,
                            QCoreApplication::translate(
                                "ocrprint-cli",
                                "settings file used: %1 does not exist, and an earlier release "
                                "kept the settings here (the next save writes %1)"),
                            {choice.Config.Path});
            else if (show && choice.Old->Status == settings::LoadStatus::Missing)
                Report(QCoreApplication::translate(
                           "ocrprint-cli", "no settings file: defaults (neither %1 nor %2 exists)"),
                       {choice.Config.Path, choice.Old->Path});
        } else if (show && choice.Config.Status == settings::LoadStatus::Missing) {
            Report(QCoreApplication::translate("ocrprint-cli",
                                               "no settings file: defaults (%1 does not exist)"),
                   {choice.Config.Path});
        }
    }
    if (settings::IsRefused(used.Status))
        Report(QCoreApplication::translate("ocrprint-cli", "no settings file: defaults"));
    if (used.Status == settings::LoadStatus::Loaded) {
        if (show)
            ReportAbout(used.Path, QCoreApplication::translate("ocrprint-cli", "settings read"));
        if (tellLines)
            ReportNotes(used);
    }
    return true;
}

} // namespace cli
