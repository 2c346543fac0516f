// ocrprint: prints an OCR declaration form with the printer's misalignment
// corrected.
#include <memory>

#include "ocrtst.h"
#include "startup.h"
#include "tapplication.h"

int main(int argc, char** argv)
{
    app::TApplication application(argc, argv);
    std::unique_ptr<app::ProgramWindows> windows;
    // An error during start-up is shown like any other; the exit status stays 0.
    app::TApplication::Protect([&] {
        windows = app::StartUp(application);
        app::Form1->show();
        application.Run();
    });
    windows.reset();
    return 0;
}
