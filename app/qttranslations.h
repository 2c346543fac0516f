#pragma once

#include <QLocale>
#include <QString>

class QTranslator;

namespace app {

// Loads Qt's own translations (qtbase: the printer dialog, the message boxes'
// buttons, the standard texts) for locale from the system's Qt translations
// directory into translator. The program's own texts are not Qt's and are not
// touched. Returns false when the system has none for that locale (English,
// or qt6-translations-l10n missing): Qt then speaks English.
bool LoadQtTranslations(QTranslator& translator, const QLocale& locale);

// Where the system keeps Qt's translations.
QString QtTranslationsDirectory();

} // namespace app
