#include "loadedsettings.h"

#include <QStringList>
#include <sys/stat.h>

#include "escape.h"
#include "settingsfile.h"

namespace app {

namespace {

QString PathText(const std::string& path)
{
    return QString::fromStdString(core::EscapeControlChars(path));
}

QString WhyNotLoaded(settings::LoadStatus status)
{
    if (status == settings::LoadStatus::NotOwned)
        return QStringLiteral("ほかのユーザーのファイルです");
    if (status == settings::LoadStatus::WritableByOthers)
        return QStringLiteral("ほかのユーザーも書き込めるファイルです");
    return QStringLiteral("読み込めません");
}

} // namespace

void LoadedSettings::Load(core::TPrintAdjustment& adjustment)
{
    const settings::SettingsChoice choice = settings::LoadSettings(adjustment);
    m_loaded = settings::SettingsFileContent(adjustment);

    const std::string target = settings::SettingsFilePath();
    const bool loaded = choice.Loaded();
    const bool targetLoaded = choice.Config.Status == settings::LoadStatus::Loaded;
    bool targetNamed = false;
    QStringList lines;
    for (const settings::LoadResult* result : {&choice.Config, choice.Old ? &*choice.Old : nullptr}) {
        if (!result || result->Status == settings::LoadStatus::Loaded ||
            result->Status == settings::LoadStatus::Missing)
            continue;
        targetNamed = targetNamed || result->Path == target;
        lines << QStringLiteral("%1 を読み込みませんでした: %2")
                     .arg(PathText(result->Path), WhyNotLoaded(result->Status));
    }
    // A file at the save's place that was not loaded (refused, or one that
    // cannot be read) stays as it is. A link, a directory or a device there
    // the save never replaces, and says so.
    struct stat info;
    if (!targetLoaded && ::lstat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
        m_kept = target;
        if (!targetNamed)
            lines << QStringLiteral("%1 を読み込みませんでした: %2")
                         .arg(PathText(target), WhyNotLoaded(settings::LoadStatus::Missing));
    }
    if (lines.isEmpty())
        return;
    if (!loaded)
        lines << QStringLiteral("調整値は初期値です。");
    if (KeepsFile())
        lines << QStringLiteral("終 了 は、確認なしにこのファイルを置き換えません。");
    m_notice = lines.join(QLatin1Char('\n'));
}

void LoadedSettings::Rebase(const core::TPrintAdjustment& adjustment)
{
    m_loaded = settings::SettingsFileContent(adjustment);
}

bool LoadedSettings::Changed(const core::TPrintAdjustment& adjustment) const
{
    return settings::SettingsFileContent(adjustment) != m_loaded;
}

} // namespace app
