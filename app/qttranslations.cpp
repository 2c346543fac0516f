#include "qttranslations.h"

#include <QLibraryInfo>
#include <QTranslator>

namespace app {

QString QtTranslationsDirectory()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

bool LoadQtTranslations(QTranslator& translator, const QLocale& locale)
{
    // The C locale's UI language is English: Qt's texts are already that.
    if (locale.language() == QLocale::C || locale.language() == QLocale::English)
        return false;
    // QTranslator tries the locale's UI languages in turn (ja_JP, ja ...).
    return translator.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                           QtTranslationsDirectory());
}

} // namespace app
