#include "terminal.h"

#include <QCoreApplication>
#include <QLocale>
#include <QString>
#include <QTranslator>
#include <QtGlobal>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <utility>
#include <vector>

#include "escape.h"
#include "messagelocale.h"
#include "version.h"

namespace app {

namespace {

bool IsSet(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

// The terminal's answers come before the application exists: they are
// translated here, in the user's language as ocrprint-cli's are, from the
// catalogue the window carries.
class TerminalTexts
{
public:
    TerminalTexts()
    {
        if (core::MessagesInCLocale())
            return;
        for (const QString& language : QLocale::system().uiLanguages()) {
            if (language.startsWith(QLatin1String("en")))
                return;
            if (language.startsWith(QLatin1String("ja"))) {
                m_loaded = m_translator.load(QStringLiteral(":/i18n/window/ocrprint-cli_ja.qm"));
                return;
            }
        }
    }

    QString Tr(const char* text) const
    {
        const QString translated =
            m_loaded ? m_translator.translate("ocrprint-cli", text) : QString();
        return translated.isEmpty() ? QString::fromUtf8(text) : translated;
    }

private:
    QTranslator m_translator;
    bool m_loaded = false;
};

std::string HelpText(const TerminalTexts& texts)
{
    // Marked for lupdate: the texts are looked up in TerminalTexts::Tr.
    const char* help = QT_TRANSLATE_NOOP(
        "ocrprint-cli",
        "usage: ocrprint [--help | --version]\n"
        "Opens the window \"%1\": prints the OCR declaration form from ocrdat.prn onto\n"
        "pre-printed paper and corrects the printer's misalignment.\n"
        "  -h, --help  show this help and exit\n"
        "  --version   show the version and exit\n"
        "Needs a display (DISPLAY or WAYLAND_DISPLAY). The same jobs without a window:\n"
        "ocrprint-cli --help. Manual: man ocrprint.\n");
    return texts.Tr(help).arg(QString::fromUtf8(core::MainWindowCaption)).toStdString();
}

// The options QApplication takes itself (and the X11 platform's); every other
// argument is a mistake: the window opens on no file.
constexpr std::array QtOptionsWithValue{
    std::string_view("platform"),      std::string_view("platformpluginpath"),
    std::string_view("platformtheme"), std::string_view("plugin"),
    std::string_view("qmljsdebugger"), std::string_view("qwindowgeometry"),
    std::string_view("geometry"),      std::string_view("qwindowtitle"),
    std::string_view("title"),         std::string_view("qwindowicon"),
    std::string_view("icon"),          std::string_view("display"),
    std::string_view("name"),          std::string_view("session"),
    std::string_view("style"),         std::string_view("stylesheet"),
    std::string_view("visual"),
};
constexpr std::array QtFlags{
    std::string_view("reverse"), std::string_view("widgetcount"), std::string_view("nograb"),
    std::string_view("dograb"),  std::string_view("sync"),        std::string_view("testability"),
    std::string_view("cmap"),
};

template <std::size_t N>
bool Contains(const std::array<std::string_view, N>& names, std::string_view name)
{
    for (const std::string_view n : names)
        if (n == name)
            return true;
    return false;
}

// The first argument neither the program nor Qt takes, with the reason;
// empty when there is none.
std::string UsageError(const std::vector<std::string>& args, const TerminalTexts& texts)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        // Control bytes shown, not obeyed by the terminal.
        const QString spelled = QString::fromStdString(core::EscapeControlChars(arg));
        if (arg.size() < 2 || arg[0] != '-') {
            return texts
                .Tr(QT_TRANSLATE_NOOP("ocrprint-cli", "unexpected argument %1: the window opens "
                                                      "ocrdat.prn itself; try 'ocrprint --help'"))
                .arg(spelled)
                .toStdString();
        }
        // Qt reads -name and --name alike, and -style=NAME.
        std::string_view name = arg.substr(arg[1] == '-' ? 2 : 1);
        const std::size_t equals = name.find('=');
        const bool valueAttached = equals != std::string_view::npos;
        if (valueAttached)
            name = name.substr(0, equals);
        if (Contains(QtOptionsWithValue, name)) {
            if (!valueAttached)
                ++i;
            continue;
        }
        if (!valueAttached && Contains(QtFlags, name))
            continue;
        return texts
            .Tr(QT_TRANSLATE_NOOP("ocrprint-cli", "unknown option %1; try 'ocrprint --help'"))
            .arg(spelled)
            .toStdString();
    }
    return {};
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
    const TerminalTexts texts;
    for (const std::string& arg : args) {
        if (arg == "-h" || arg == "--help") {
            out = HelpText(texts);
            return 0;
        }
        if (arg == "--version") {
            out =
                std::string("ocrprint ") + core::ProgramVersion + " (" + core::ProgramTitle + ")\n";
            return 0;
        }
    }
    if (const std::string reason = UsageError(args, texts); !reason.empty()) {
        err = "ocrprint: " + reason + "\n";
        return 2;
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
