// Qt's own dialogs in the user's language: the printer dialog's buttons are
// Japanese under a Japanese locale and follow any other locale, English where
// Qt has no translation.
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLocale>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>

#include "qttranslations.h"

namespace {

struct LocaleRow
{
    const char* name;
    const char* locale;
    const char* print;  // the dialog's Print button
    const char* cancel; // its Cancel button
};

class PrinterDialogLanguage : public ::testing::TestWithParam<LocaleRow>
{
};

TEST_P(PrinterDialogLanguage, ButtonsSpeakTheLocale)
{
    const LocaleRow& row = GetParam();
    const QLocale locale(QString::fromUtf8(row.locale));
    if (locale.language() == QLocale::Japanese &&
        !QFileInfo::exists(app::QtTranslationsDirectory() + "/qtbase_ja.qm"))
        GTEST_SKIP() << "qt6-translations-l10n is not installed: no qtbase_ja.qm in "
                     << app::QtTranslationsDirectory().toStdString();

    QTranslator translator;
    const bool loaded = app::LoadQtTranslations(translator, locale);
    EXPECT_EQ(loaded, locale.language() != QLocale::C && locale.language() != QLocale::English);
    if (loaded)
        QCoreApplication::installTranslator(&translator);

    QPrinter printer;
    QPrintDialog dialog(&printer);
    const auto* box = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(box, nullptr) << "the printer dialog has no button box";
    const QPushButton* print = box->button(QDialogButtonBox::Ok);
    const QPushButton* cancel = box->button(QDialogButtonBox::Cancel);
    ASSERT_TRUE(print && cancel);
    const QString printText = print->text();
    const QString cancelText = cancel->text();
    QCoreApplication::removeTranslator(&translator);

    EXPECT_EQ(printText.toStdString(), row.print);
    EXPECT_EQ(cancelText.toStdString(), row.cancel);
}

INSTANTIATE_TEST_SUITE_P(Locales, PrinterDialogLanguage,
                         ::testing::Values(LocaleRow{"Japanese", "ja_JP", "印刷(&P)", "キャンセル"},
                                           LocaleRow{"German", "de_DE", "&Drucken", "Abbrechen"},
                                           LocaleRow{"English", "en_US", "&Print", "Cancel"},
                                           LocaleRow{"C", "C", "&Print", "Cancel"}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
