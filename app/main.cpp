// ocrprint: prints an OCR declaration form with the printer's misalignment
// corrected.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "ocrtst.h"
#include "startup.h"
#include "tapplication.h"
#include "terminal.h"

int main(int argc, char** argv)
{
    std::string out;
    std::string err;
    if (const auto status =
            app::AnswerOnTerminal({argv + 1, argv + argc}, app::DisplayKnown(), out, err)) {
        std::fputs(out.c_str(), stdout);
        std::fputs(err.c_str(), stderr);
        return *status;
    }
    app::BeginPlatformStart();
    app::TApplication application(argc, argv);
    app::EndPlatformStart();
    std::unique_ptr<app::ProgramWindows> windows;
    // An error during start-up is shown like any other; the exit status stays 0.
    app::TApplication::Protect([&] {
        windows = app::StartUp(application, app::ShowMainWindow::BeforeTheDialogs);
        application.Run();
    });
    windows.reset();
    return 0;
}
