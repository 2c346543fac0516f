#include "startup.h"

#include "formimage.h"
#include "ocrtst.h"
#include "scanmeasure.h"
#include "tapplication.h"
#include "unit2.h"
#include "unit3.h"
#include "version.h"

namespace app {

ProgramWindows::~ProgramWindows()
{
    calibration::Form3 = nullptr;
    Adjustment.reset();
    calibration::Form2 = nullptr;
    Measurement.reset();
    Form1 = nullptr;
    Main.reset();
}

std::string ReadPdfScan(const std::string& path, QImage& page, double& dpi)
{
    print::FormImage form;
    const std::string reason = print::LoadFormImage(path, 0, calibration::model::PdfScanDpi, form);
    page = form.Image;
    dpi = form.DpiX;
    return reason;
}

std::unique_ptr<ProgramWindows> StartUp(TApplication& application, ShowMainWindow show)
{
    application.Initialize();
    application.Title = QString::fromUtf8(core::ProgramTitle);

    auto windows = std::make_unique<ProgramWindows>();
    windows->Main = std::make_unique<TForm1>();
    Form1 = windows->Main.get();
    if (show == ShowMainWindow::BeforeTheDialogs)
        Form1->show();
    // Before any event is handled and before the dialogs: every window has it
    // by the time it is drawn.
    application.SetWindowIcon();
    // Both dialogs read the corrections the main window has just loaded.
    windows->Measurement = std::make_unique<calibration::TForm2>(Form1->PrintAdjustment);
    calibration::Form2 = windows->Measurement.get();
    calibration::Form2->SetPdfScanReader(&ReadPdfScan);
    windows->Adjustment = std::make_unique<calibration::TForm3>(Form1->PrintAdjustment);
    calibration::Form3 = windows->Adjustment.get();
    calibration::Form3->ConnectMeasurement(*calibration::Form2);
    return windows;
}

} // namespace app
