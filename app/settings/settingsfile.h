#pragma once

#include <string>

#include "printadjustment.h"

namespace settings {

// The settings file keeps the four corrections and the four measured lengths
// between runs: eight lines of numbers, each ended by CR LF, in the order
// HorzOffset, VertOffset, VertScale, HorzScale, MeasuredX, MeasuredY,
// MeasuredA, MeasuredB.

// The user's temporary directory with a trailing '/': $TMPDIR when set, else
// the user's cache directory ($XDG_CACHE_HOME when absolute, else
// $HOME/.cache). Not /tmp: it is shared by every user and emptied at boot, so a
// calibration kept there would be lost or could be planted by someone else.
// Empty when none can be had.
std::string GetTempPathA();

// Where the settings file is, decided anew on every call: ocrprn2.ini in the
// temporary directory when that is an existing directory, otherwise
// ocrprn2.ini in the current directory.
std::string SettingsFilePath();

// Sets every field of adjustment to its initial value, then reads the file
// over the eight saved fields. A file that cannot be opened (a symbolic link
// included) leaves the defaults; a line that is not a number gives 0; missing
// lines keep their defaults. Never reports anything.
void LoadSettings(core::TPrintAdjustment& adjustment);
void LoadSettingsFrom(const std::string& path, core::TPrintAdjustment& adjustment);

// Writes the eight saved fields. The new content goes to a temporary file
// beside the old one and replaces it only once it is completely on disk, so a
// failure at any point leaves the previous file as it was. A symbolic link at
// the path is never replaced. Returns whether the file was written; the
// program itself ignores the result.
bool SaveSettings(const core::TPrintAdjustment& adjustment);
bool SaveSettingsTo(const std::string& path, const core::TPrintAdjustment& adjustment);

// The file's content for adjustment, as SaveSettingsTo writes it.
std::string SettingsFileContent(const core::TPrintAdjustment& adjustment);

} // namespace settings
