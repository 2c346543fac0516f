#include "printerdevice.h"

#include "cp932.h"
#include "printererror.h"

#include <QFile>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStringList>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

#include "cupsapi.h"

namespace surface {

namespace {

// Qt's key for the list of CUPS job options (name, value, name, value ...)
// that its CUPS engine appends to the job; the same value as Qt's private
// PPK_CupsOptions.
constexpr auto CupsOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

constexpr int FallbackDpi = 300;

// What the queue's PPD (or, without one, its IPP attributes) says.
struct QueueFacts
{
    int Dpi = 0;
    bool LandscapePlus90 = true;
    std::map<QString, QMarginsF> Margins; // per paper key, portrait, points
};

// "600dpi", "600x1200dpi", "236dpcm": the horizontal resolution in dots per
// inch, 0 when the text is not a resolution.
int ParseResolution(const char* text)
{
    if (!text)
        return 0;
    char* end = nullptr;
    const long x = std::strtol(text, &end, 10);
    if (end == text || x <= 0 || x > 100000)
        return 0;
    if (*end == 'x') {
        const char* rest = end + 1;
        std::strtol(rest, &end, 10);
        if (end == rest)
            return 0;
    }
    const std::string unit(end);
    if (unit == "dpi")
        return static_cast<int>(x);
    if (unit == "dpcm")
        return static_cast<int>(std::lround(x * 2.54));
    return 0;
}

// The options of the dialog as libcups options; the strings stay in list.
std::vector<cups_option_t> ToCupsOptions(const QList<QByteArray>& list)
{
    std::vector<cups_option_t> options;
    for (qsizetype i = 0; i + 1 < list.size(); i += 2) {
        cups_option_t option;
        option.name = const_cast<char*>(list[i].constData());
        option.value = const_cast<char*>(list[i + 1].constData());
        options.push_back(option);
    }
    return options;
}

// The PPD API is deprecated in favour of IPP attributes, but only the PPD
// tells the marked resolution, the imageable areas and the landscape direction
// of a driver queue; Qt's own CUPS support reads the same file.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

void ReadPpd(const QByteArray& queue, const cups_dest_t* dest, const QStringList& jobOptions,
             QueueFacts& facts)
{
    const char* file = CupsApi::Get().GetPPD2(CUPS_HTTP_DEFAULT, queue.constData());
    if (!file)
        return;
    ppd_file_t* ppd = CupsApi::Get().PpdOpenFile(file);
    ::unlink(file);
    if (!ppd)
        return;
    CupsApi::Get().PpdMarkDefaults(ppd);
    if (dest)
        CupsApi::Get().MarkOptions(ppd, dest->num_options, dest->options);
    // The print dialog's choices (a Resolution among them) come last and win.
    QList<QByteArray> bytes;
    for (const QString& s : jobOptions)
        bytes << s.toUtf8();
    std::vector<cups_option_t> options = ToCupsOptions(bytes);
    if (!options.empty())
        CupsApi::Get().MarkOptions(ppd, static_cast<int>(options.size()), options.data());

    if (const ppd_choice_t* choice = CupsApi::Get().PpdFindMarkedChoice(ppd, "Resolution"))
        facts.Dpi = ParseResolution(choice->choice);
    if (facts.Dpi <= 0) {
        if (const ppd_attr_t* attr = CupsApi::Get().PpdFindAttr(ppd, "DefaultResolution", nullptr))
            facts.Dpi = ParseResolution(attr->value);
    }
    if (const ppd_attr_t* attr = CupsApi::Get().PpdFindAttr(ppd, "LandscapeOrientation", nullptr))
        facts.LandscapePlus90 = qstrcmp(attr->value, "Minus90") != 0;
    for (int i = 0; i < ppd->num_sizes; ++i) {
        const ppd_size_t& size = ppd->sizes[i];
        facts.Margins[QString::fromUtf8(size.name)] =
            QMarginsF(size.left, size.length - size.top, size.width - size.right, size.bottom);
    }
    CupsApi::Get().PpdClose(ppd);
}

#pragma GCC diagnostic pop

// A queue without a PPD (driverless) still announces its default resolution.
int IppDefaultResolution(cups_dest_t* dest)
{
    cups_dinfo_t* info = CupsApi::Get().CopyDestInfo(CUPS_HTTP_DEFAULT, dest);
    if (!info)
        return 0;
    int dpi = 0;
    if (ipp_attribute_t* attr =
            CupsApi::Get().FindDestDefault(CUPS_HTTP_DEFAULT, dest, info, "printer-resolution")) {
        int y = 0;
        ipp_res_t units = IPP_RES_PER_INCH;
        const int x = CupsApi::Get().GetResolution(attr, 0, &y, &units);
        dpi = units == IPP_RES_PER_CM ? static_cast<int>(std::lround(x * 2.54)) : x;
    }
    CupsApi::Get().FreeDestInfo(info);
    return dpi;
}

QueueFacts ReadQueue(const QString& printerName, const QStringList& jobOptions)
{
    QueueFacts facts;
    // "queue/instance": the PPD belongs to the queue, the options to the instance.
    const QStringList parts = printerName.split(QLatin1Char('/'));
    const QByteArray queue = parts.at(0).toUtf8();
    const QByteArray instance = parts.size() > 1 ? parts.at(1).toUtf8() : QByteArray();
    cups_dest_t* dest = CupsApi::Get().GetNamedDest(
        CUPS_HTTP_DEFAULT, queue.constData(), instance.isEmpty() ? nullptr : instance.constData());
    ReadPpd(queue, dest, jobOptions, facts);
    if (facts.Dpi <= 0 && dest)
        facts.Dpi = IppDefaultResolution(dest);
    if (facts.Dpi <= 0)
        facts.Dpi = FallbackDpi;
    if (dest)
        CupsApi::Get().FreeDests(1, dest);
    return facts;
}

// Sets name to value in Qt's option list, or removes it for a null value.
void SetOption(QStringList& options, const QString& name, const QString& value)
{
    for (qsizetype i = 0; i + 1 < options.size(); i += 2) {
        if (options[i] == name) {
            if (value.isNull())
                options.remove(i, 2);
            else
                options[i + 1] = value;
            return;
        }
    }
    if (!value.isNull())
        options << name << value;
}

// The page must come out at 100 %: no fitting, no scaling, one page per sheet,
// and no page selection that could drop the one page.
QStringList FullSizeOptions(QStringList options)
{
    SetOption(options, QStringLiteral("print-scaling"), QStringLiteral("none"));
    SetOption(options, QStringLiteral("fit-to-page"), QStringLiteral("false"));
    SetOption(options, QStringLiteral("number-up"), QStringLiteral("1"));
    for (const char* name : {"fitplot", "scaling", "natural-scaling", "page-set", "page-ranges"})
        SetOption(options, QString::fromLatin1(name), QString());
    return options;
}

// The printable margins of a portrait paper, seen from a landscape page.
QMarginsF Rotate(const QMarginsF& m, bool plus90)
{
    // +90: the page is turned counter-clockwise onto the paper, its top along
    // the paper's left edge.
    return plus90 ? QMarginsF(m.bottom(), m.left(), m.top(), m.right())
                  : QMarginsF(m.top(), m.right(), m.bottom(), m.left());
}

} // namespace

struct PrinterDevice::Impl
{
    explicit Impl(const QPrinterInfo& info) : Printer(info, QPrinter::HighResolution) {}

    bool Native() const { return Printer.outputFormat() == QPrinter::NativeFormat; }
    QStringList JobOptions() const
    {
        return Printer.printEngine()->property(CupsOptionsKey).toStringList();
    }
    void SetJobOptions(const QStringList& options)
    {
        if (Native())
            Printer.printEngine()->setProperty(CupsOptionsKey, options);
    }
    void CancelHeldJob(const QByteArray& queue, const QByteArray& marker);

    QPrinter Printer;
    QPainter Painter;
    QueueFacts Facts;
    QString Queue; // the queue the facts were read from
    int OffsetX = 0;
    int OffsetY = 0;
    QPoint Shift; // set only when Qt refused the margins (see ApplyLayout)
};

PrinterDevice::PrinterDevice(const std::string& printerName)
{
    QPrinterInfo info;
    if (printerName.empty()) {
        if (QPrinterInfo::availablePrinterNames().isEmpty())
            ThrowPrinterError(MsgNoDefaultPrinter);
        info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            ThrowPrinterError(MsgNoDefaultPrinter);
    } else {
        info = QPrinterInfo::printerInfo(QString::fromStdString(printerName));
        if (info.isNull())
            ThrowPrinterError(MsgInvalidPrinter);
    }
    m_impl = std::make_unique<Impl>(info);
    if (!m_impl->Printer.isValid() || m_impl->Printer.printerName() != info.printerName())
        ThrowPrinterError(MsgInvalidPrinter);
    // Qt starts every printer on A4 whatever paper it is loaded with.
    const QPageSize paper = info.defaultPageSize();
    if (paper.isValid())
        m_impl->Printer.setPageSize(paper);
    ApplyLayout();
}

PrinterDevice::~PrinterDevice()
{
    if (m_impl && m_impl->Painter.isActive())
        AbortDocument();
}

std::string PrinterDevice::Name() const
{
    const QPrinter& printer = m_impl->Printer;
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return "file:" + printer.outputFileName().toStdString();
    return printer.printerName().toStdString();
}

PrinterCaps PrinterDevice::Caps()
{
    const int dpi = m_impl->Printer.resolution();
    return {dpi, dpi, m_impl->OffsetX, m_impl->OffsetY};
}

QPaintDevice* PrinterDevice::MeasureDevice()
{
    return &m_impl->Printer;
}

QPrinter* PrinterDevice::Printer()
{
    return &m_impl->Printer;
}

void PrinterDevice::ApplyLayout()
{
    Impl& d = *m_impl;
    QPrinter& printer = d.Printer;
    if (d.Painter.isActive())
        return;
    // "Print to file" keeps the facts of the queue chosen last, so that the
    // file looks like what that printer would print.
    if (d.Native() || d.Queue.isEmpty()) {
        d.Queue = printer.printerName();
        d.Facts = ReadQueue(d.Queue, d.Native() ? d.JobOptions() : QStringList());
    }

    QPageSize paper = printer.pageLayout().pageSize();
    if (d.Native()) {
        // A paper the new printer does not have becomes its default paper.
        const QPrinterInfo info(printer);
        const QList<QPageSize> sizes = info.supportedPageSizes();
        const bool known = std::any_of(sizes.begin(), sizes.end(), [&](const QPageSize& size) {
            return size.isEquivalentTo(paper);
        });
        if (!sizes.isEmpty() && !known && info.defaultPageSize().isValid())
            paper = info.defaultPageSize();
    }
    printer.setFullPage(false);
    printer.setResolution(d.Facts.Dpi);
    printer.setPageSize(paper);
    const auto found = d.Facts.Margins.find(printer.pageLayout().pageSize().key());
    QMarginsF margins;
    if (found != d.Facts.Margins.end())
        margins = found->second;
    else if (d.Native()) {
        QPageLayout layout = printer.pageLayout(); // Qt's reading of the queue
        layout.setUnits(QPageLayout::Point);
        margins = layout.minimumMargins();
    }
    const bool landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
    if (landscape)
        margins = Rotate(margins, d.Facts.LandscapePlus90);

    const int dpi = d.Facts.Dpi;
    const QPoint wanted(qRound(margins.left() * dpi / 72.0), qRound(margins.top() * dpi / 72.0));
    d.Shift = QPoint();
    if (printer.setPageMargins(margins, QPageLayout::Point)) {
        // The engine places the painter's origin at this corner of the paint rect.
        const QPoint corner = printer.pageLayout().paintRectPixels(dpi).topLeft();
        d.OffsetX = corner.x();
        d.OffsetY = corner.y();
    } else {
        // Qt checks landscape margins against the unrotated ones and may refuse
        // them: then the whole paper is the page and StartDocument moves the
        // origin itself.
        printer.setFullPage(true);
        d.Shift = wanted;
        d.OffsetX = wanted.x();
        d.OffsetY = wanted.y();
    }
    d.SetJobOptions(FullSizeOptions(d.JobOptions()));
}

QPainter* PrinterDevice::StartDocument(const std::string& titleCp932)
{
    Impl& d = *m_impl;
    QPrinter& printer = d.Printer;
    // A queue deleted since it was chosen would swallow the job silently.
    if (d.Native() && QPrinterInfo::printerInfo(printer.printerName()).isNull())
        ThrowPrinterError(MsgInvalidPrinter);
    printer.setDocName(QString::fromStdU16String(core::DecodeCp932(titleCp932)));
    d.SetJobOptions(FullSizeOptions(d.JobOptions()));
    if (!d.Painter.begin(&printer))
        ThrowPrinterError(MsgInvalidPrinter);
    if (!d.Shift.isNull())
        d.Painter.translate(d.Shift);
    return &d.Painter;
}

DocumentOutput PrinterDevice::EndDocument()
{
    const QPrinter& printer = m_impl->Printer;
    DocumentOutput output;
    if (printer.outputFormat() == QPrinter::PdfFormat)
        output.File = printer.outputFileName().toStdString();
    else
        output.Queue = printer.printerName().toStdString();
    // Qt's CUPS engine tells nothing of the spooler's answer.
    if (m_impl->Painter.isActive())
        output.Delivered = m_impl->Painter.end();
    return output;
}

void PrinterDevice::Impl::CancelHeldJob(const QByteArray& queue, const QByteArray& marker)
{
    cups_job_t* jobs = nullptr;
    const int count = CupsApi::Get().GetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.constData(), 1,
                                              CUPS_WHICHJOBS_ACTIVE);
    for (int i = 0; i < count; ++i) {
        if (jobs[i].title && marker == jobs[i].title)
            CupsApi::Get().CancelJob2(CUPS_HTTP_DEFAULT, queue.constData(), jobs[i].id, 1);
    }
    CupsApi::Get().FreeJobs(count, jobs);
}

void PrinterDevice::AbortDocument()
{
    Impl& d = *m_impl;
    QPrinter& printer = d.Printer;
    if (!d.Painter.isActive())
        return;
    if (!d.Native()) {
        const QString file = printer.outputFileName();
        d.Painter.end();
        QFile::remove(file);
        return;
    }
    // Qt's CUPS engine cannot abort (QPrinter::abort() does nothing) and hands
    // the page to CUPS when the painter ends. So the page goes in held, under a
    // name of its own, and that job is cancelled and purged at once: nothing
    // reaches the printer.
    static std::atomic<int> serial{0};
    const QString title = printer.docName();
    const QStringList options = d.JobOptions();
    const QByteArray marker =
        QStringLiteral("ocrprint-abandoned-%1-%2").arg(::getpid()).arg(++serial).toUtf8();
    QStringList held = options;
    SetOption(held, QStringLiteral("job-hold-until"), QStringLiteral("indefinite"));
    d.SetJobOptions(held);
    printer.printEngine()->setProperty(QPrintEngine::PPK_DocumentName, QString::fromUtf8(marker));
    d.Painter.end();
    d.CancelHeldJob(printer.printerName().split(QLatin1Char('/')).at(0).toUtf8(), marker);
    printer.printEngine()->setProperty(QPrintEngine::PPK_DocumentName, title);
    d.SetJobOptions(options);
}

} // namespace surface
