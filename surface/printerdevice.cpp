#include "printerdevice.h"

#include "cp932.h"
#include "printererror.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QMarginsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPoint>
#include <QTemporaryFile>
#include <algorithm>
#include <string>
#include <vector>

#include "cupsapi.h"
#include "outputfiledevice.h"
#include "queuefacts.h"

namespace surface {

namespace {

// Qt's print support starts every printer on A4 whatever paper it is loaded
// with; a queue without a driver has no other paper to offer.
const QPageSize StartPaper(QPageSize::A4);

// Sets name to value, in place when the option is already there.
void SetOption(CupsOptions& options, const std::string& name, const std::string& value)
{
    const auto found = std::find_if(options.begin(), options.end(),
                                    [&](const auto& option) { return option.first == name; });
    if (found != options.end())
        found->second = value;
    else
        options.emplace_back(name, value);
}

void RemoveOption(CupsOptions& options, const std::string& name)
{
    options.erase(std::remove_if(options.begin(), options.end(),
                                 [&](const auto& option) { return option.first == name; }),
                  options.end());
}

// The page must come out at 100 %: no fitting, no scaling, one page per sheet,
// and no page selection that could drop the one page.
void MakeFullSize(CupsOptions& options)
{
    SetOption(options, "print-scaling", "none");
    SetOption(options, "fit-to-page", "false");
    SetOption(options, "number-up", "1");
    for (const char* name : {"fitplot", "scaling", "natural-scaling", "page-set", "page-ranges"})
        RemoveOption(options, name);
}

// The printable margins of a portrait paper, seen from a landscape page.
QMarginsF Rotate(const QMarginsF& m, bool plus90)
{
    // +90: the page is turned counter-clockwise onto the paper, its top along
    // the paper's left edge.
    return plus90 ? QMarginsF(m.bottom(), m.left(), m.top(), m.right())
                  : QMarginsF(m.top(), m.right(), m.bottom(), m.left());
}

// Resolves an empty name to the default printer and checks that the printer
// exists, with the messages of a missing printer.
std::string CheckedPrinterName(const std::string& name)
{
    const PrinterList printers = ListPrinters();
    if (name.empty()) {
        if (printers.Names.empty() || printers.Default.empty())
            ThrowPrinterError(MsgNoDefaultPrinter);
        return printers.Default;
    }
    if (std::find(printers.Names.begin(), printers.Names.end(), name) == printers.Names.end())
        ThrowPrinterError(MsgInvalidPrinter);
    return name;
}

} // namespace

struct PrinterDevice::Impl
{
    explicit Impl(PrinterSetup setup);

    bool ToFile() const { return !Setup.OutputFile.empty(); }
    CupsOptions SpoolOptions() const;
    // Ends the painting and drops the page: nothing is handed on.
    void Discard();

    PrinterSetup Setup;
    QueueFacts Facts;
    std::string Media;  // the paper's name for the spooler
    QPageLayout Layout; // the page as the PDF has it: paper, orientation, margins
    QPoint Shift;       // set only when the margins did not fit the layout
    int OffsetX = 0;
    int OffsetY = 0;

    QBuffer MeasureSink;
    QPdfWriter Measure{&MeasureSink};

    std::unique_ptr<QFile> File;              // the spooled PDF while it is drawn
    std::unique_ptr<OutputFileDevice> Output; // or the file printed to
    std::unique_ptr<QPdfWriter> Pdf;
    QPainter Painter;
    QString Title;
};

PrinterDevice::Impl::Impl(PrinterSetup setup) : Setup(std::move(setup))
{
    // A file needs the queue only for its facts: one deleted since it was
    // chosen, or none at all (no default, no queue), leaves the file on the
    // fallback resolution.
    if (!ToFile())
        Setup.Printer = CheckedPrinterName(Setup.Printer);
    else if (Setup.Printer.empty())
        Setup.Printer = FirstChoicePrinter();
    // "Print to file" lays the file out with the facts of the queue chosen
    // last, so that it looks like what that printer would print.
    if (Setup.Printer.empty())
        Facts.Dpi = FallbackDpi;
    else
        Facts = ReadQueue(Setup.Printer, Setup.JobOptions);
    const bool native = !ToFile();

    QPageSize paper = Setup.Paper.isValid() ? Setup.Paper : Facts.DefaultPaper.Size;
    if (!paper.isValid())
        paper = StartPaper;
    const QueuePaper* own = native ? FindPaper(Facts, paper) : nullptr;
    // A paper the printer does not have becomes its default paper.
    if (native && !own && !Facts.Papers.empty() && Facts.DefaultPaper.Size.isValid()) {
        paper = Facts.DefaultPaper.Size;
        own = FindPaper(Facts, paper);
    }
    if (own)
        paper = own->Size;
    Media = own ? own->Name : paper.key().toStdString();
    Setup.Paper = paper;

    const auto found = Facts.Margins.find(Media);
    QMarginsF printable;
    if (found != Facts.Margins.end())
        printable = found->second;
    else if (native)
        printable = Facts.CustomMargins;
    QMarginsF margins = printable;
    const bool landscape = Setup.Orientation == QPageLayout::Landscape;
    if (landscape)
        margins = Rotate(margins, Facts.LandscapePlus90);

    // The page is laid out as Qt's printer laid it out: the printer's margins
    // are the layout's minimum (none for a file), and the painter's origin is
    // the corner of the layout's paint rect in whole dots.
    const int dpi = Facts.Dpi;
    Layout = QPageLayout(paper, Setup.Orientation, QMarginsF(), QPageLayout::Point,
                         native ? printable : QMarginsF());
    if (Layout.setMargins(margins)) {
        const QPoint corner = Layout.paintRectPixels(dpi).topLeft();
        OffsetX = corner.x();
        OffsetY = corner.y();
    } else {
        // Qt checks landscape margins against the unrotated ones and refuses
        // some: then the whole paper is the page and the origin is moved by
        // hand.
        Layout.setMode(QPageLayout::FullPageMode);
        Shift = QPoint(qRound(margins.left() * dpi / 72.0), qRound(margins.top() * dpi / 72.0));
        OffsetX = Shift.x();
        OffsetY = Shift.y();
    }
    // Text is measured in printer dots, on the kind of device it is drawn on.
    Measure.setResolution(dpi);
}

CupsOptions PrinterDevice::Impl::SpoolOptions() const
{
    // The instance's own options first; what the page itself needs, then what
    // the dialog chose, override them.
    CupsOptions options = Facts.InstanceOptions;
    SetOption(options, "media", Media);
    if (Setup.Copies > 1) {
        SetOption(options, "copies", std::to_string(Setup.Copies));
        if (Setup.Collate)
            SetOption(options, "Collate", "True");
    }
    SetOption(options, "sides", Setup.Sides.empty() ? Facts.DefaultSides : Setup.Sides);
    if (Setup.Orientation == QPageLayout::Landscape)
        SetOption(options, "landscape", "");
    for (const auto& [name, value] : Setup.JobOptions)
        SetOption(options, name, value);
    MakeFullSize(options);
    return options;
}

void PrinterDevice::Impl::Discard()
{
    if (Painter.isActive())
        Painter.end();
    Pdf.reset();
    if (File) {
        File->close();
        File->remove();
        File.reset();
    }
    if (Output) {
        Output->Discard();
        Output.reset();
    }
}

PrinterDevice::PrinterDevice(const std::string& queueName)
    : PrinterDevice([&] {
          PrinterSetup setup;
          setup.Printer = queueName;
          return setup;
      }())
{}

PrinterDevice::PrinterDevice(const PrinterSetup& setup) : m_impl(std::make_unique<Impl>(setup)) {}

PrinterDevice::~PrinterDevice()
{
    if (m_impl)
        m_impl->Discard();
}

std::string PrinterDevice::Name() const
{
    if (m_impl->ToFile())
        return "file:" + m_impl->Setup.OutputFile;
    return m_impl->Setup.Printer;
}

PrinterCaps PrinterDevice::Caps()
{
    const int dpi = m_impl->Facts.Dpi;
    return {dpi, dpi, m_impl->OffsetX, m_impl->OffsetY};
}

QPaintDevice* PrinterDevice::MeasureDevice()
{
    return &m_impl->Measure;
}

const PrinterSetup& PrinterDevice::Setup() const
{
    return m_impl->Setup;
}

QPainter* PrinterDevice::StartDocument(const std::string& titleCp932)
{
    Impl& d = *m_impl;
    d.Discard();
    // A queue deleted since it was chosen would swallow the job silently.
    if (!d.ToFile()) {
        const PrinterList printers = ListPrinters();
        if (std::find(printers.Names.begin(), printers.Names.end(), d.Setup.Printer) ==
            printers.Names.end())
            ThrowPrinterError(MsgInvalidPrinter);
    }
    d.Title = QString::fromStdU16String(core::DecodeCp932(titleCp932));

    // The page goes to the spooler only once complete, so it is drawn into a
    // file of the user's own first. A file printed to is replaced only once
    // complete: the previous one, or a link's target, stays as it was when
    // the job fails.
    QIODevice* sink = nullptr;
    if (d.ToFile()) {
        auto output = std::make_unique<OutputFileDevice>(d.Setup.OutputFile);
        output->OpenOrThrow();
        d.Output = std::move(output);
        sink = d.Output.get();
    } else {
        auto temporary = std::make_unique<QTemporaryFile>(QDir::tempPath() +
                                                          QStringLiteral("/ocrprint-XXXXXX.pdf"));
        if (!temporary->open())
            ThrowPrinterError(MsgInvalidPrinter);
        d.File = std::move(temporary);
        sink = d.File.get();
    }
    d.Pdf = std::make_unique<QPdfWriter>(sink);
    d.Pdf->setResolution(d.Facts.Dpi);
    d.Pdf->setTitle(d.Title);
    if (!d.Pdf->setPageLayout(d.Layout) || !d.Painter.begin(d.Pdf.get())) {
        d.Discard();
        ThrowPrinterError(MsgInvalidPrinter);
    }
    if (!d.Shift.isNull())
        d.Painter.translate(d.Shift);
    return &d.Painter;
}

DocumentOutput PrinterDevice::EndDocument()
{
    Impl& d = *m_impl;
    DocumentOutput output;
    if (d.ToFile())
        output.File = d.Setup.OutputFile;
    else
        output.Queue = d.Setup.Printer;
    if (!d.Painter.isActive())
        return output;

    const bool drawn = d.Painter.end();
    d.Pdf.reset();
    if (d.ToFile()) {
        // A failed write of the PDF engine shows in the commit, with its reason.
        const std::unique_ptr<OutputFileDevice> file = std::move(d.Output);
        file->CommitOrThrow();
        output.Delivered = true;
        return output;
    }
    const bool written = drawn && d.File->flush() && d.File->error() == QFileDevice::NoError;
    if (written) {
        // CUPS takes the queue without the instance; the instance's options
        // travel with the job.
        const std::string queue = d.Setup.Printer.substr(0, d.Setup.Printer.find('/'));
        const CupsOptions options = d.SpoolOptions();
        std::vector<cups_option_t> list;
        for (const auto& [name, value] : options)
            list.push_back({const_cast<char*>(name.c_str()), const_cast<char*>(value.c_str())});
        const QByteArray path = QFile::encodeName(d.File->fileName());
        const QByteArray title = d.Title.toUtf8();
        output.JobId = CupsApi::Get().PrintFile2(CUPS_HTTP_DEFAULT, queue.c_str(), path.constData(),
                                                 title.constData(), static_cast<int>(list.size()),
                                                 list.data());
        output.Delivered = output.JobId > 0;
    }
    d.Discard(); // the temporary file goes once CUPS has it
    return output;
}

void PrinterDevice::AbortDocument()
{
    // Nothing has reached the spooler yet: dropping the file drops the page.
    m_impl->Discard();
}

} // namespace surface
