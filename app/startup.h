#pragma once

#include <QImage>
#include <memory>
#include <string>

namespace calibration {
class TForm2;
class TForm3;
} // namespace calibration

namespace app {

class TApplication;
class TForm1;

// The three windows of the run. Form1, Form2 and Form3 point at them while
// this object lives; it destroys them in the reverse order of their creation.
// Not copyable: it owns the windows.
class ProgramWindows
{
public:
    ~ProgramWindows();

    std::unique_ptr<TForm1> Main;
    std::unique_ptr<calibration::TForm2> Measurement;
    std::unique_ptr<calibration::TForm3> Adjustment;
};

// The first page of a PDF scan, for the measurement dialog's drop, read as
// ocrprint-cli measure reads it; the reason where it cannot be.
std::string ReadPdfScan(const std::string& path, QImage& page, double& dpi);

// When the main window is shown.
enum class ShowMainWindow
{
    No, // the caller shows it
    // As soon as it exists: it is on the screen while the two hidden dialogs
    // are made, which is most of the start-up (their edit boxes load the font
    // database). No event is handled before the dialogs exist.
    BeforeTheDialogs,
};

// Start-up up to the message loop, in this order: initialise the application,
// set its title, create the main window (which loads the settings), then the
// measurement and the adjustment dialog, which both copy values out of the main
// window's PrintAdjustment while they are created.
std::unique_ptr<ProgramWindows> StartUp(TApplication& application,
                                        ShowMainWindow show = ShowMainWindow::No);

} // namespace app
