#pragma once
// What start-up made of the settings file, kept for the end of the run.

#include <QString>
#include <string>

#include "printadjustment.h"

namespace app {

// The settings as the main window loaded them, and the file a save would
// replace when it was there but not loaded (refused, or unreadable): that
// file holds someone's calibration, and no save replaces it unasked.
class LoadedSettings
{
public:
    // Loads the settings into adjustment and remembers what came of it.
    void Load(core::TPrintAdjustment& adjustment);

    // The start-up notice: which file was not loaded and why; empty when
    // there is nothing to say.
    const QString& Notice() const { return m_notice; }
    // The values the run now starts from (another printer's calibration, or
    // one just saved): a change is measured against them.
    void Rebase(const core::TPrintAdjustment& adjustment);
    // Whether a save would write something else than what was loaded.
    bool Changed(const core::TPrintAdjustment& adjustment) const;
    // Whether the save's file is one that was not loaded.
    bool KeepsFile() const { return !m_kept.empty(); }
    const std::string& KeptFile() const { return m_kept; }

private:
    std::string m_loaded; // the file's content for the loaded values
    std::string m_kept;
    QString m_notice;
};

} // namespace app
