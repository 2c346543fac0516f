// ocrprint-cli: the command-line companion of ocrprint.
#include <QGuiApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "cli.h"
#include "fonts.h"
#include "version.h"

namespace {

// Standard error carries the tool's own messages, worded as the program's
// error box words them; Qt's chatter (a missing XDG_RUNTIME_DIR, font
// fallbacks) would get in their way. OCRPRINT_DEBUG=1 lets it through.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg || qEnvironmentVariableIntValue("OCRPRINT_DEBUG") != 0)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    cli::CommandLine line;
    const std::string error = cli::ParseCommandLine(args, line);
    if (!error.empty()) {
        std::fprintf(stderr, "ocrprint-cli: %s\n%s", error.c_str(), cli::UsageText().c_str());
        return 2;
    }
    if (line.Help) {
        std::fputs(cli::UsageText().c_str(), stdout);
        return 0;
    }
    if (line.Version) {
        std::printf("ocrprint-cli %s (%s)\n", core::ProgramVersion, core::ProgramTitle);
        return 0;
    }
    // The tool shows no window: it needs Qt's fonts and printers, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietQtMessages);
    QGuiApplication application(argc, argv);
    surface::InstallFontSubstitutions();
    return cli::RunCommand(line);
}
