#include "printerdevice.h"

#include "cp932.h"
#include "eprinter.h"
#include "printererror.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QMarginsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPoint>
#include <algorithm>
#include <cmath>
#include <exception>
#include <string>
#include <vector>

#include "cupsapi.h"
#include "handover.h"
#include "outputfiledevice.h"
#include "queuefacts.h"
#include "schedulerconnection.h"
#include "spoolfile.h"

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

// The job states everything that could move the page on its way to the
// paper, so that no default of the queue, option of an instance or choice of
// the dialog turns, mirrors, frames, scales, imposes or places it: portrait,
// as drawn, one page per sheet at 100 %, and no page selection that could
// drop the one page.
void StatePageAsDrawn(CupsOptions& options)
{
    for (const char* name :
         {"landscape", "scaling", "natural-scaling", "ppi", "number-up-layout", "page-set",
          "page-ranges", "page-left", "page-right", "page-top", "page-bottom", "mirror-print"})
        RemoveOption(options, name);
    SetOption(options, "orientation-requested", "3");
    SetOption(options, "mirror", "false");
    SetOption(options, "page-border", "none");
    SetOption(options, "number-up", "1");
    SetOption(options, "fit-to-page", "false");
    SetOption(options, "fitplot", "false");
    SetOption(options, "print-scaling", "none");
    SetOption(options, "position", "center");
}

// Hands the file to the queue as one Print-Job request on the scheduler's
// bounded connection; the job's id, 0 when the scheduler refused it.
// (cupsPrintFile2 asks about the queue again on connections of its own, which
// wait on a stopped scheduler for minutes.)
int SubmitJob(const SchedulerConnection& scheduler, const std::string& queue, const char* path,
              const char* title, std::vector<cups_option_t>& options)
{
    const CupsApi& cups = CupsApi::Get();
    ipp_t* request = cups.NewRequest(IPP_OP_PRINT_JOB);
    const std::string resource = "/printers/" + queue;
    char uri[HTTP_MAX_URI];
    cups.AssembleURI(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", cups.Port(),
                     resource.c_str());
    cups.AddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    cups.AddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                   cups.User());
    cups.AddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, title);
    cups.AddString(request, IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr,
                   "application/pdf");
    const int count = static_cast<int>(options.size());
    cups.EncodeOptions2(request, count, options.data(), IPP_TAG_OPERATION);
    cups.EncodeOptions2(request, count, options.data(), IPP_TAG_JOB);
    // The request goes with the call.
    ipp_t* response = cups.DoFileRequest(scheduler.Http(), request, resource.c_str(), path);
    int id = 0;
    if (response && cups.LastError() <= IPP_STATUS_OK_CONFLICTING) {
        if (ipp_attribute_t* attr = cups.FindAttribute(response, "job-id", IPP_TAG_INTEGER))
            id = cups.GetInteger(attr, 0);
    }
    const bool notAQueue = cups.LastError() == IPP_STATUS_ERROR_NOT_FOUND;
    cups.DeleteIpp(response);
    // A printer libcups found on the network that is no queue of the
    // scheduler yet: libcups makes the queue for the job.
    if (notAQueue) {
        scheduler.ThrowIfTimedOut();
        id = cups.PrintFile2(CUPS_HTTP_DEFAULT, queue.c_str(), path, title,
                             static_cast<int>(options.size()), options.data());
    }
    return id;
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

// The paper's exact size in points, portrait: the driver's own, or the size
// Qt defines the paper by.
QSizeF ExactPoints(const QPageSize& paper, const QueuePaper* own)
{
    if (own && !own->Points.isEmpty())
        return own->Points;
    return paper.size(QPageSize::Millimeter) * (72.0 / 25.4);
}

// Qt's PDF engine writes the page box in whole points (595 x 842 for A4),
// and a spooler centres a page whose size differs from the paper's. The box
// is written again with the exact size, to the hundredth of a point, in the
// same number of bytes so that the file's offsets stay right. Qt places the
// page's content from the box's top edge (its whole-point height), so the box
// keeps that top edge and moves its bottom.
bool SetExactPageBox(QByteArray& pdf, QSizeF exact)
{
    const QByteArray key = "/MediaBox [";
    const qsizetype at = pdf.indexOf(key);
    const qsizetype end = at < 0 ? -1 : pdf.indexOf(']', at);
    if (end < 0)
        return false;
    const qsizetype from = at + key.size();
    const QList<QByteArray> values = pdf.mid(from, end - from).simplified().split(' ');
    if (values.size() != 4)
        return false;
    const double top = values[3].toDouble();
    const auto number = [](double v) {
        QByteArray text = QByteArray::number(std::round(v * 100) / 100, 'f', 2);
        while (text.endsWith('0'))
            text.chop(1);
        if (text.endsWith('.'))
            text.chop(1);
        return text == "-0" ? QByteArray("0") : text;
    };
    QByteArray box =
        "0 " + number(top - exact.height()) + ' ' + number(exact.width()) + ' ' + number(top);
    if (box.size() > end - from)
        return false;
    box = box.leftJustified(end - from, ' ');
    pdf.replace(from, end - from, box);
    return true;
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
    int OffsetX = 0;
    int OffsetY = 0;

    QBuffer MeasureSink;
    QPdfWriter Measure{&MeasureSink};

    QRect PrintableDots; // the printable area in dots from the paper's corner

    // The page is drawn into memory; the spool file, or the file printed to
    // ("print to file"), receives it once complete.
    std::unique_ptr<QFile> File;
    std::unique_ptr<OutputFileDevice> Output;
    SpoolFile Spool;
    QBuffer Drawn;
    std::unique_ptr<QPdfWriter> Pdf;
    // A painter of its own for each document: Qt's PDF engine keeps the last
    // document's transform on a painter that begins again.
    std::unique_ptr<QPainter> Painter;
    QString Title;
    QSizeF PagePoints; // the page's exact size as it lies in the PDF
};

PrinterDevice::Impl::Impl(PrinterSetup setup) : Setup(std::move(setup))
{
    // The scheduler may be slow to answer: the windows go on meanwhile.
    RunOffGuiThread([this] {
        // A file needs the queue only for its facts: one deleted since it was
        // chosen, or none at all (no default, no queue), leaves the file on
        // the fallback resolution.
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
    });
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
    PagePoints = ExactPoints(paper, own);

    const auto found = Facts.Margins.find(Media);
    QMarginsF margins;
    if (found != Facts.Margins.end())
        margins = found->second;
    else if (native)
        margins = Facts.CustomMargins;

    // The page is portrait by nature: a landscape choice of the dialog does
    // not turn it, and the job says portrait to the queue.
    Setup.Orientation = QPageLayout::Portrait;
    // The whole paper is the PDF's page; the painter's origin is the printable
    // area's corner, rounded to the nearest dot from the driver's exact
    // margins, not from whole points (3 dots off for 14.17 pt at 1200 dpi).
    const int dpi = Facts.Dpi;
    Layout = QPageLayout(paper, QPageLayout::Portrait, QMarginsF(), QPageLayout::Point);
    Layout.setMode(QPageLayout::FullPageMode);
    const double dots = dpi / 72.0;
    PrintableDots = QRect(QPoint(qRound(margins.left() * dots), qRound(margins.top() * dots)),
                          QPoint(qRound((PagePoints.width() - margins.right()) * dots) - 1,
                                 qRound((PagePoints.height() - margins.bottom()) * dots) - 1));
    OffsetX = PrintableDots.left();
    OffsetY = PrintableDots.top();
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
    for (const auto& [name, value] : Setup.JobOptions)
        SetOption(options, name, value);
    StatePageAsDrawn(options);
    return options;
}

void PrinterDevice::Impl::Discard()
{
    if (Painter && Painter->isActive())
        Painter->end();
    Painter.reset();
    Pdf.reset();
    Drawn.close();
    Drawn.setData(QByteArray());
    if (File) {
        File->close();
        File->remove();
        File.reset();
    }
    if (Output) {
        Output->Discard();
        Output.reset();
    }
    Spool.Remove();
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

PageArea PrinterDevice::Area()
{
    const Impl& d = *m_impl;
    const QRect paper = d.Layout.fullRectPixels(d.Facts.Dpi);
    const QRect& printable = d.PrintableDots;
    return {paper.width(),   paper.height(),        printable.left(),
            printable.top(), printable.right() + 1, printable.bottom() + 1};
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
        bool exists = false;
        RunOffGuiThread([&] {
            const PrinterList printers = ListPrinters();
            exists = std::find(printers.Names.begin(), printers.Names.end(), d.Setup.Printer) !=
                     printers.Names.end();
        });
        if (!exists)
            ThrowPrinterError(MsgInvalidPrinter);
    }
    d.Title = QString::fromStdU16String(core::DecodeCp932(titleCp932));

    if (d.ToFile()) {
        // A file printed to is replaced only once complete: the previous
        // one, or a link's target, stays as it was when the job fails.
        auto output = std::make_unique<OutputFileDevice>(d.Setup.OutputFile);
        output->OpenOrThrow();
        d.Output = std::move(output);
    } else {
        // The spool file is there, private, from the start of the job: a
        // signal that ends the program now removes it with its directory.
        if (!d.Spool.Create())
            ThrowPrinterError(MsgSpoolFile);
        d.File = std::make_unique<QFile>(d.Spool.Path());
        if (!d.File->open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            d.Discard();
            ThrowPrinterError(MsgSpoolFile);
        }
    }
    d.Drawn.open(QIODevice::WriteOnly);
    d.Pdf = std::make_unique<QPdfWriter>(&d.Drawn);
    d.Pdf->setResolution(d.Facts.Dpi);
    d.Pdf->setTitle(d.Title);
    d.Painter = std::make_unique<QPainter>();
    if (!d.Pdf->setPageLayout(d.Layout) || !d.Painter->begin(d.Pdf.get())) {
        d.Discard();
        ThrowPrinterError(MsgPageSetup);
    }
    // The origin is the printable area's corner, and nothing reaches the
    // paper outside that area, as a driver has it.
    d.Painter->translate(d.PrintableDots.topLeft());
    d.Painter->setClipRect(QRect(QPoint(0, 0), d.PrintableDots.size()));
    return d.Painter.get();
}

DocumentOutput PrinterDevice::EndDocument()
{
    Impl& d = *m_impl;
    DocumentOutput output;
    if (d.ToFile())
        output.File = d.Setup.OutputFile;
    else
        output.Queue = d.Setup.Printer;
    if (!d.Painter || !d.Painter->isActive())
        return output;

    const bool drawn = d.Painter->end();
    d.Painter.reset();
    d.Pdf.reset();
    QByteArray pdf = d.Drawn.data();
    const bool boxed = drawn && SetExactPageBox(pdf, d.PagePoints);
    if (d.ToFile()) {
        // A failed write shows in the commit, with its reason.
        const std::unique_ptr<OutputFileDevice> file = std::move(d.Output);
        d.Discard();
        if (!boxed)
            ThrowPrinterError(MsgPageBox);
        file->write(pdf);
        file->CommitOrThrow();
        output.Delivered = true;
        return output;
    }
    const bool written = boxed && d.File->write(pdf) == pdf.size() && d.File->flush();
    const QString writeError = d.File->errorString();
    d.File->close();
    if (!written) {
        const std::string reason = boxed ? QFile::encodeName(d.Spool.Path()).toStdString() + ": " +
                                               writeError.toStdString()
                                         : std::string();
        d.Discard();
        ThrowSpoolError(d.Setup.Printer, reason);
    }
    // CUPS takes the queue without the instance; the instance's options
    // travel with the job.
    const std::string queue = d.Setup.Printer.substr(0, d.Setup.Printer.find('/'));
    const CupsOptions options = d.SpoolOptions();
    std::vector<cups_option_t> list;
    for (const auto& [name, value] : options)
        list.push_back({const_cast<char*>(name.c_str()), const_cast<char*>(value.c_str())});
    const QByteArray path = QFile::encodeName(d.Spool.Path());
    const QByteArray title = d.Title.toUtf8();
    std::string reason;
    // The spooler's errors are its thread's: the reason is read there. A
    // scheduler that does not answer ends the job, without a spool file left.
    std::exception_ptr silent;
    RunOffGuiThread([&] {
        try {
            const CupsApi& cups = CupsApi::Get();
            const SchedulerConnection scheduler;
            output.JobId = SubmitJob(scheduler, queue, path.constData(), title.constData(), list);
            scheduler.ThrowIfTimedOut();
            if (output.JobId <= 0) {
                const char* text = cups.LastErrorString();
                reason = text ? text : "";
            }
        } catch (const core::EPrinter&) {
            silent = std::current_exception();
        }
    });
    d.Discard(); // the spool file goes once CUPS has it, or has refused it
    if (silent)
        std::rethrow_exception(silent);
    if (output.JobId <= 0)
        ThrowSpoolError(d.Setup.Printer, reason);
    output.Delivered = true;
    return output;
}

void PrinterDevice::AbortDocument()
{
    // Nothing has reached the spooler yet: dropping the file drops the page.
    m_impl->Discard();
}

} // namespace surface
