#include "terminal.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "version.h"

namespace app {

namespace {

bool IsSet(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

std::string HelpText()
{
    return std::string("usage: ocrprint [--help | --version]\n"
                       "Opens the window \"") +
           core::MainWindowCaption +
           "\": prints the OCR declaration form from ocrdat.prn onto\n"
           "pre-printed paper and corrects the printer's misalignment.\n"
           "  -h, --help  show this help and exit\n"
           "  --version   show the version and exit\n"
           "Needs a display (DISPLAY or WAYLAND_DISPLAY). The same jobs without a window:\n"
           "ocrprint-cli --help. Manual: man ocrprint.\n";
}

QtMessageHandler PreviousHandler = nullptr;

struct HeldMessage
{
    QtMsgType type;
    QString text;
};

std::vector<HeldMessage>& Held()
{
    static std::vector<HeldMessage> held;
    return held;
}

// What the window was to open on, for the one line.
QString WhereTo()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return "the Qt platform " + qEnvironmentVariable("QT_QPA_PLATFORM");
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return "the Wayland display " + qEnvironmentVariable("WAYLAND_DISPLAY");
    return "the display " + qEnvironmentVariable("DISPLAY");
}

void StartMessage(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtFatalMsg) {
        Held().push_back({type, message});
        return;
    }
    const bool debug = qEnvironmentVariableIntValue("OCRPRINT_DEBUG") != 0;
    std::fprintf(stderr, "ocrprint: cannot open the window on %s%s\n", qPrintable(WhereTo()),
                 debug ? "" : " (OCRPRINT_DEBUG=1 shows why)");
    if (debug) {
        for (const HeldMessage& m : Held())
            std::fprintf(stderr, "%s\n", qPrintable(m.text));
        std::fprintf(stderr, "%s\n", qPrintable(message));
    }
    std::fflush(stderr);
    // Qt would abort next: nothing of the program has started yet.
    std::_Exit(1);
}

} // namespace

void BeginPlatformStart()
{
    PreviousHandler = qInstallMessageHandler(StartMessage);
}

void EndPlatformStart()
{
    qInstallMessageHandler(PreviousHandler);
    std::vector<HeldMessage> held = std::move(Held());
    Held().clear();
    const QMessageLogContext context;
    for (const HeldMessage& m : held)
        qt_message_output(m.type, context, m.text);
}

bool DisplayKnown()
{
    return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY") || IsSet("QT_QPA_PLATFORM");
}

std::optional<int> AnswerOnTerminal(const std::vector<std::string>& args, bool displayKnown,
                                    std::string& out, std::string& err)
{
    for (const std::string& arg : args) {
        if (arg == "-h" || arg == "--help") {
            out = HelpText();
            return 0;
        }
        if (arg == "--version") {
            out =
                std::string("ocrprint ") + core::ProgramVersion + " (" + core::ProgramTitle + ")\n";
            return 0;
        }
    }
    // Qt itself would abort here, with a core dump and several lines about
    // plugins; "-platform NAME" names one as QT_QPA_PLATFORM does.
    bool platformGiven = false;
    for (const std::string& arg : args)
        platformGiven = platformGiven || arg == "-platform" || arg == "--platform";
    if (!displayKnown && !platformGiven) {
        err = "ocrprint: no display to open the window on: set DISPLAY or WAYLAND_DISPLAY "
              "(ocrprint-cli runs the same jobs without one)\n";
        return 1;
    }
    return std::nullopt;
}

} // namespace app
