#include "terminal.h"

#include <cstdlib>

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
           "\": prints the OCR declaration form from ocrdat.prn onto pre-printed paper\n"
           "and corrects the printer's misalignment.\n"
           "  -h, --help  show this help and exit\n"
           "  --version   show the version and exit\n"
           "Needs a display (DISPLAY or WAYLAND_DISPLAY). The same jobs without a window:\n"
           "ocrprint-cli --help. Manual: man ocrprint.\n";
}

} // namespace

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
