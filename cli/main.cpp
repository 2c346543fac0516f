// ocrprint-cli: the command-line companion of ocrprint.
#include <QGuiApplication>
#include <QLocale>
#include <QTranslator>
#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

#include "cli.h"
#include "fonts.h"
#include "messagelocale.h"
#include "version.h"

namespace {

// Standard error carries the tool's own messages, worded as the program's
// error box words them; Qt's chatter (a missing XDG_RUNTIME_DIR, font
// fallbacks) would get in their way. OCRPRINT_DEBUG=1 lets it through.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg || qEnvironmentVariableIntValue("OCRPRINT_DEBUG") != 0)
        cli::Report(QStringLiteral("%1"), {message});
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argc > 0 ? argv + 1 : argv, argv + argc);
    // The tool shows no window: it needs Qt's fonts and printers, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietQtMessages);
    // Qt would take its own options (-platform, -reverse, ...) out of the
    // arguments; here every argument is the tool's.
    char name[] = "ocrprint-cli";
    char* qtArgv[] = {name, nullptr};
    int qtArgc = 1;
    QGuiApplication application(qtArgc, qtArgv);
    // Qt has set the C library's locale from the environment; a number the
    // tool writes (a message, check's JSON, the trace) is written with a point
    // whatever the user's language, and read so too.
    std::setlocale(LC_NUMERIC, "C");
    // The tool's own texts in the user's language; the catalogue is built in.
    // The user's languages in order of preference; English is what the texts
    // are written in, so it ends the search.
    QTranslator translator;
    const QStringList languages =
        core::MessagesInCLocale() ? QStringList() : QLocale().uiLanguages();
    for (const QString& language : languages) {
        if (language.startsWith(QLatin1String("en")))
            break;
        if (translator.load(QStringLiteral("ocrprint-cli_") + QLocale(language).name(),
                            QStringLiteral(":/i18n"))) {
            QCoreApplication::installTranslator(&translator);
            break;
        }
    }

    cli::CommandLine line;
    const std::string error = cli::ParseCommandLine(args, line);
    if (!error.empty()) {
        cli::ReportUsageError(error);
        return 2;
    }
    if (line.Help) {
        const cli::CommandInfo* command = cli::FindCommand(line.Command);
        std::fputs((command ? cli::CommandUsageText(*command) : cli::UsageText()).c_str(), stdout);
        return 0;
    }
    if (line.Version) {
        std::printf("ocrprint-cli %s (%s)\n", core::ProgramVersion, core::ProgramTitle);
        return 0;
    }
    surface::InstallFontSubstitutions();
    return cli::RunCommand(line);
}
