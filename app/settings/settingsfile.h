#pragma once

#include <string>
#include <vector>

#include "printadjustment.h"

namespace settings {

// The settings file keeps the four corrections and the four measured lengths
// between runs: eight lines of numbers, each ended by CR LF, in the order
// HorzOffset, VertOffset, VertScale, HorzScale, MeasuredX, MeasuredY,
// MeasuredA, MeasuredB.

// Where the settings file is, decided anew on every call: ocrprn2.ini in
// $XDG_CONFIG_HOME/ocrprint/ (when absolute, else $HOME/.config/ocrprint/),
// where nothing wipes a calibration. With neither variable set, the place
// earlier releases used (LegacySettingsPaths' rule: the temporary directory
// when it exists, else the current directory).
std::string SettingsFilePath();

// The user's temporary directory with a trailing '/', where earlier releases
// kept the file: $TMPDIR when set, else the user's cache directory
// ($XDG_CACHE_HOME when absolute, else $HOME/.cache). Empty when none can be
// had.
std::string GetTempPathA();

// The places earlier releases kept the file, in the order they were looked
// at: $TMPDIR, $XDG_CACHE_HOME or ~/.cache, the current directory. Only
// existing directories count.
std::vector<std::string> LegacySettingsPaths();

// Every file a load may read: SettingsFilePath() first, then the old places.
std::vector<std::string> SettingsCandidates();

// What a load made of one file.
enum class LoadStatus
{
    Loaded,
    Missing,          // not there, or not a regular file that can be read
    NotOwned,         // belongs to another user, who could have planted it
    WritableByOthers, // group or others may write it, so anyone could have
};

struct LoadResult
{
    std::string Path;
    LoadStatus Status = LoadStatus::Missing;
};

// Sets every field of adjustment to its initial value, then reads the file
// over the eight saved fields. A file that cannot be opened (a symbolic link
// included) or that another user could have planted leaves the defaults; a
// line that is not a number gives 0; missing lines keep their defaults; a NUL
// byte ends a line.
LoadResult LoadSettingsFrom(const std::string& path, core::TPrintAdjustment& adjustment);

// Loads the first of SettingsCandidates() that can be trusted: a file in the
// new place, or else one an earlier release left in an old place (which stays
// as it is; the next save writes the new place). Returns every file found,
// ignored ones first, the loaded one last.
std::vector<LoadResult> LoadSettings(core::TPrintAdjustment& adjustment);

// Writes the eight saved fields through core::OutputFile: a failure at any
// point leaves the previous file as it was; a symbolic link, a directory, a
// device, a FIFO or a read-only file at the path is never replaced. Returns
// whether the file was written, and why not into reason.
bool SaveSettingsTo(const std::string& path, const core::TPrintAdjustment& adjustment,
                    std::string* reason = nullptr);
// Saves to SettingsFilePath(), making its directory (0700) first.
bool SaveSettings(const core::TPrintAdjustment& adjustment, std::string* reason = nullptr);

// The file's content for adjustment, as SaveSettingsTo writes it.
std::string SettingsFileContent(const core::TPrintAdjustment& adjustment);

} // namespace settings
