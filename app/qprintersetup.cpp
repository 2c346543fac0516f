#include "qprintersetup.h"

#include <QDialogButtonBox>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinter>
#include <QPushButton>
#include <QStringList>

namespace app {

namespace {

// Qt's key for the list of CUPS job options (name, value, name, value ...)
// that the print dialog leaves in the printer's CUPS engine; the same value
// as Qt's private PPK_CupsOptions.
constexpr auto CupsOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

QPrinter::DuplexMode DuplexOf(const std::string& sides)
{
    if (sides == "two-sided-long-edge")
        return QPrinter::DuplexLongSide;
    if (sides == "two-sided-short-edge")
        return QPrinter::DuplexShortSide;
    return QPrinter::DuplexNone;
}

// The "sides" Qt's CUPS engine sent for the printer's duplex mode.
std::string SidesOf(const QPrinter& printer)
{
    switch (printer.duplex()) {
    case QPrinter::DuplexNone:
        return "one-sided";
    case QPrinter::DuplexAuto:
        return printer.pageLayout().orientation() == QPageLayout::Portrait ? "two-sided-long-edge"
                                                                           : "two-sided-short-edge";
    case QPrinter::DuplexLongSide:
        return "two-sided-long-edge";
    case QPrinter::DuplexShortSide:
        return "two-sided-short-edge";
    }
    return "one-sided";
}

} // namespace

void SetUpQPrinter(const surface::PrinterSetup& setup, QPrinter& printer)
{
    printer.setPrinterName(QString::fromStdString(setup.Printer));
    if (setup.Paper.isValid())
        printer.setPageSize(setup.Paper);
    printer.setPageOrientation(setup.Orientation);
    QStringList options;
    for (const auto& [name, value] : setup.JobOptions)
        options << QString::fromStdString(name) << QString::fromStdString(value);
    printer.printEngine()->setProperty(CupsOptionsKey, options);
    printer.setCopyCount(setup.Copies);
    printer.setCollateCopies(setup.Collate);
    if (!setup.Sides.empty())
        printer.setDuplex(DuplexOf(setup.Sides));
    if (!setup.OutputFile.empty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(setup.OutputFile));
    }
}

surface::PrinterSetup SetupFromQPrinter(const QPrinter& printer,
                                        const surface::PrinterSetup& current)
{
    surface::PrinterSetup setup;
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        // The file takes the queue chosen last, with its options, as its model.
        setup.Printer = current.Printer;
        setup.JobOptions = current.JobOptions;
    } else {
        setup.Printer = printer.printerName().toStdString();
        const QStringList options = printer.printEngine()->property(CupsOptionsKey).toStringList();
        for (qsizetype i = 0; i + 1 < options.size(); i += 2)
            setup.JobOptions.emplace_back(options[i].toStdString(), options[i + 1].toStdString());
        setup.Copies = printer.copyCount();
        setup.Collate = printer.collateCopies();
        setup.Sides = SidesOf(printer);
    }
    setup.Paper = printer.pageLayout().pageSize();
    setup.Orientation = printer.pageLayout().orientation();
    setup.OutputFile = printer.outputFileName().toStdString();
    return setup;
}

void ShowPrintToFile(QPrintDialog& dialog, const std::string& file)
{
    if (file.empty())
        return;
    // Made on a printer that prints to a file, Qt's dialog still opens on
    // the queue; set again now, the file entry is selected as it is shown
    // (the entry is added then), and a confirm keeps the file.
    QPrinter& printer = *dialog.printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(file));
}

void LabelAsChoosing(QPrintDialog& dialog)
{
    dialog.setWindowTitle(QString::fromUtf8(SetupDialogTitle));
    for (QDialogButtonBox* buttons : dialog.findChildren<QDialogButtonBox*>()) {
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QString::fromUtf8(ChooseButtonText));
    }
}

} // namespace app
