#pragma once

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

#include "printadjustment.h"

namespace settings {

// The settings file keeps the four corrections and the four measured lengths
// between runs: eight lines of numbers, each ended by CR LF, in the order
// HorzOffset, VertOffset, VertScale, HorzScale, MeasuredX, MeasuredY,
// MeasuredA, MeasuredB.

// Where the settings file is, decided anew on every call: ocrprn2.ini in
// $XDG_CONFIG_HOME/ocrprint/ (when absolute, else $HOME/.config/ocrprint/),
// where nothing wipes a calibration. With neither variable set, the earlier
// releases' place (OldSettingsPath()).
std::string SettingsFilePath();

// The user's temporary directory with a trailing '/', where earlier releases
// kept the file: $TMPDIR when set, else the user's cache directory
// ($XDG_CACHE_HOME when absolute, else $HOME/.cache). Empty when none can be
// had.
std::string GetTempPathA();

// The one file an earlier release would have used in this environment:
// ocrprn2.ini in GetTempPathA() when that directory exists, else in the
// current directory. It is a migration, not a search path.
std::string OldSettingsPath();

// Every file a load may read: SettingsFilePath(), then OldSettingsPath() when
// it is another file.
std::vector<std::string> SettingsCandidates();

// What a load made of one file.
enum class LoadStatus
{
    Loaded,
    Missing,          // nothing at the path
    NotOwned,         // belongs to another user, who could have planted it
    WritableByOthers, // someone else may write it, so anyone could have
    NotAFile,         // a directory, a FIFO, a link, or a file that cannot be opened
};

// A line of a loaded file that did not read as its number: what the load
// took from it all the same.
struct LineNote
{
    enum class Kind
    {
        NotANumber,    // the value is 0
        ByteOrderMark, // the first line starts with one, so it is not a number: 0
        Overlong,      // longer than the load takes: the rest is read as the next field
    };
    Kind What = Kind::NotANumber;
    int Line = 0;             // the file's line (1-based); the rest of a long one keeps its number
    int Field = 0;            // the field read from it (0-based, FieldName())
    std::string Text;         // what was read for the field, trailing blanks removed
    double Value = 0;         // what the field took
    std::size_t MaxBytes = 0; // Overlong: the bytes taken
};

// The name of the file's field (0-based line of the file): "HorzOffset" ...
const char* FieldName(int field);

struct LoadResult
{
    std::string Path;
    LoadStatus Status = LoadStatus::Missing;
    mode_t Type = 0; // NotAFile: the lstat type bits (S_IFDIR, S_IFIFO ...), 0 when unknown
    int Error = 0;   // NotAFile: errno of the failed open, when it failed
    std::vector<LineNote> Notes; // Loaded: the lines that did not read cleanly
};

// Whether a refusal: the file is there but was not read.
inline bool IsRefused(LoadStatus status)
{
    return status != LoadStatus::Loaded && status != LoadStatus::Missing;
}

// Sets every field of adjustment to its initial value, then reads the file
// over the eight saved fields. A file that cannot be opened (a symbolic link
// included) or that another user could have written leaves the defaults; a
// line that is not a number gives 0; missing lines keep their defaults; a NUL
// byte ends a line. Group write is accepted in the user's private group only
// (UserPrivateGroup()).
LoadResult LoadSettingsFrom(const std::string& path, core::TPrintAdjustment& adjustment);

// Whether gid is the user's private group: the primary group of uid, with no
// other member listed in the group database and the primary group of no
// other account. A file writable by it is writable by the user alone.
bool UserPrivateGroup(uid_t uid, gid_t gid);

// Which settings file a run uses, and what became of it.
struct SettingsChoice
{
    LoadResult Config;             // the file at SettingsFilePath()
    std::optional<LoadResult> Old; // OldSettingsPath(), looked at only when Config is Missing
    // The file whose state decided the values: Old when it was looked at.
    const LoadResult& Used() const { return Old ? *Old : Config; }
    bool Loaded() const { return Used().Status == LoadStatus::Loaded; }
    // A file was there and refused: the values are the defaults.
    bool Refused() const { return IsRefused(Used().Status); }
};

// The one rule every reader of the settings follows: the file in the
// configuration directory when there is one; when it is refused, the
// defaults and never another file; when there is none, the file the earlier
// release would have read (it stays as it is; the next save writes the new
// place); else the defaults.
SettingsChoice LoadSettings(core::TPrintAdjustment& adjustment);

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
