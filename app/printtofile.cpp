#include "printtofile.h"

#include "cp932.h"
#include "declarationjob.h"
#include "escape.h"
#include "exception.h"
#include "outputguard.h"
#include "settingsfile.h"

namespace app {

void RefusePrintToFileOntoInputs(const std::string& file)
{
    using core::FileRole;
    core::OutputGuard guard;
    guard.Reads(print::DataFilePath(), FileRole::DataFile);
    for (const std::string& settings : settings::SettingsCandidates())
        guard.Reads(settings, FileRole::SettingsFile);
    // Saved on leaving, so it counts before it exists.
    guard.Writes(settings::SettingsFilePath(), FileRole::SettingsFile, core::OutputKind::Settings);
    guard.Writes(file, FileRole::Document);
    const std::optional<core::OutputClash> clash = guard.FirstClash();
    if (!clash)
        return;
    // The same words as ocrprint-cli's refusal.
    const char* const what = clash->With == FileRole::DataFile
                                 ? " はデータファイルです: 書き込みません"
                                 : " は設定ファイルです: 書き込みません";
    throw core::Exception(core::EscapeControlChars(core::EncodeCp932(clash->Output)) +
                          core::EncodeCp932(what));
}

} // namespace app
