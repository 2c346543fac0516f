#include "queuefacts.h"

#include <QSize>
#include <QString>
#include <QStringView>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <unistd.h>

#include "cupsapi.h"
#include "eprinter.h"
#include "schedulerconnection.h"

namespace surface {

namespace {

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

// The options as libcups takes them; the strings stay in options.
std::vector<cups_option_t> ToCupsOptions(const CupsOptions& options)
{
    std::vector<cups_option_t> list;
    for (const auto& [name, value] : options) {
        cups_option_t option;
        option.name = const_cast<char*>(name.c_str());
        option.value = const_cast<char*>(value.c_str());
        list.push_back(option);
    }
    return list;
}

// A paper as Qt's print support describes a driver's paper: a key Qt knows
// ("A4", "A4Rotated", "A4.Transverse") is that standard size, any other key a
// size of whole points, matched to a standard size within 3 points. The page
// drawn on it then has the very size in points the driver's page had in Qt.
QPageSize QtPaper(const char* key, double width, double length)
{
    const QString name = QString::fromUtf8(key);
    QStringView stem(name);
    if (stem.endsWith(u"Rotated"))
        stem.chop(7);
    else if (stem.endsWith(u".Transverse"))
        stem.chop(11);
    for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
        if (QPageSize::key(QPageSize::PageSizeId(id)) == stem)
            return QPageSize(QPageSize::PageSizeId(id));
    }
    const QSize points(qRound(width), qRound(length));
    if (points.isEmpty())
        return QPageSize();
    return QPageSize(points, QString(), QPageSize::FuzzyMatch);
}

QueuePaper PaperOf(const ppd_size_t& size)
{
    return {size.name, QtPaper(size.name, size.width, size.length),
            QSizeF(size.width, size.length)};
}

// The IPP "sides" of a PPD Duplex choice.
std::string SidesOf(const char* duplex)
{
    if (std::strcmp(duplex, "DuplexTumble") == 0)
        return "two-sided-short-edge";
    if (std::strcmp(duplex, "DuplexNoTumble") == 0)
        return "two-sided-long-edge";
    return "one-sided";
}

// The PPD API is deprecated in favour of IPP attributes, but only the PPD
// tells the marked resolution, the imageable areas
// of a driver queue; Qt's own CUPS support read the same file.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

// The papers, the default paper and the sides the queue starts with, marked
// by its defaults and the instance's options only: the dialog chooses paper
// and sides itself.
void ReadPapers(ppd_file_t* ppd, QueueFacts& facts)
{
    const CupsApi& cups = CupsApi::Get();
    if (ppd_option_t* option = cups.PpdFindOption(ppd, "PageSize")) {
        for (int i = 0; i < option->num_choices; ++i) {
            const ppd_size_t* size = cups.PpdPageSize(ppd, option->choices[i].choice);
            if (!size)
                continue;
            QueuePaper paper = PaperOf(*size);
            if (paper.Size.isValid())
                facts.Papers.push_back(std::move(paper));
        }
    }
    if (const ppd_choice_t* choice = cups.PpdFindMarkedChoice(ppd, "PageSize")) {
        if (const ppd_size_t* size = cups.PpdPageSize(ppd, choice->choice))
            facts.DefaultPaper = PaperOf(*size);
    }
    if (const ppd_choice_t* choice = cups.PpdFindMarkedChoice(ppd, "Duplex"))
        facts.DefaultSides = SidesOf(choice->choice);
}

void ReadPpd(const SchedulerConnection& scheduler, const std::string& queue,
             const cups_dest_t* dest, const CupsOptions& jobOptions, QueueFacts& facts)
{
    const CupsApi& cups = CupsApi::Get();
    const char* file = cups.GetPPD2(scheduler.Http(), queue.c_str());
    if (!file) {
        scheduler.ThrowIfTimedOut();
        return;
    }
    ppd_file_t* ppd = cups.PpdOpenFile(file);
    ::unlink(file);
    if (!ppd)
        return;
    cups.PpdMarkDefaults(ppd);
    if (dest)
        cups.MarkOptions(ppd, dest->num_options, dest->options);
    ReadPapers(ppd, facts);
    // The print dialog's choices (a Resolution among them) come last and win.
    std::vector<cups_option_t> options = ToCupsOptions(jobOptions);
    if (!options.empty())
        cups.MarkOptions(ppd, static_cast<int>(options.size()), options.data());

    if (const ppd_choice_t* choice = cups.PpdFindMarkedChoice(ppd, "Resolution"))
        facts.Dpi = ParseResolution(choice->choice);
    if (facts.Dpi <= 0) {
        if (const ppd_attr_t* attr = cups.PpdFindAttr(ppd, "DefaultResolution", nullptr))
            facts.Dpi = ParseResolution(attr->value);
    }
    for (int i = 0; i < ppd->num_sizes; ++i) {
        const ppd_size_t& size = ppd->sizes[i];
        facts.Margins[size.name] =
            QMarginsF(size.left, size.length - size.top, size.width - size.right, size.bottom);
    }
    facts.CustomMargins = QMarginsF(ppd->custom_margins[0], ppd->custom_margins[3],
                                    ppd->custom_margins[2], ppd->custom_margins[1]);
    cups.PpdClose(ppd);
}

#pragma GCC diagnostic pop

// A queue without a PPD (driverless) still announces its default resolution.
int IppDefaultResolution(const SchedulerConnection& scheduler, cups_dest_t* dest)
{
    const CupsApi& cups = CupsApi::Get();
    cups_dinfo_t* info = cups.CopyDestInfo(scheduler.Http(), dest);
    scheduler.ThrowIfTimedOut();
    if (!info)
        return 0;
    int dpi = 0;
    if (ipp_attribute_t* attr =
            cups.FindDestDefault(scheduler.Http(), dest, info, "printer-resolution")) {
        int y = 0;
        ipp_res_t units = IPP_RES_PER_INCH;
        const int x = cups.GetResolution(attr, 0, &y, &units);
        dpi = units == IPP_RES_PER_CM ? static_cast<int>(std::lround(x * 2.54)) : x;
    }
    cups.FreeDestInfo(info);
    return dpi;
}

} // namespace

PrinterList ListPrinters()
{
    const CupsApi& cups = CupsApi::Get();
    const SchedulerConnection scheduler;
    cups_dest_t* dests = nullptr;
    const int count = cups.GetDests2(scheduler.Http(), &dests);
    PrinterList list;
    for (int i = 0; i < count; ++i) {
        std::string name = dests[i].name;
        if (dests[i].instance)
            name += std::string("/") + dests[i].instance;
        if (dests[i].is_default && list.Default.empty())
            list.Default = name;
        list.Names.push_back(std::move(name));
    }
    cups.FreeDests(count, dests);
    // A list cut short by a silent scheduler is no list of the printers.
    scheduler.ThrowIfTimedOut();
    return list;
}

std::string FirstChoicePrinter()
{
    try {
        CupsApi::Get();
    } catch (const core::EPrinter&) {
        return {};
    }
    // A scheduler that does not answer is said, not taken for no printer.
    PrinterList printers = ListPrinters();
    if (!printers.Default.empty())
        return printers.Default;
    return printers.Names.empty() ? std::string() : printers.Names.front();
}

QueueFacts ReadQueue(const std::string& printerName, const CupsOptions& jobOptions)
{
    QueueFacts facts;
    // "queue/instance": the PPD belongs to the queue, the options to the instance.
    const std::size_t slash = printerName.find('/');
    const std::string queue = printerName.substr(0, slash);
    const std::string instance = slash == std::string::npos ? "" : printerName.substr(slash + 1);
    const CupsApi& cups = CupsApi::Get();
    const SchedulerConnection scheduler;
    cups_dest_t* dest = cups.GetNamedDest(scheduler.Http(), queue.c_str(),
                                          instance.empty() ? nullptr : instance.c_str());
    // The destination is freed however the reading ends.
    const std::unique_ptr<cups_dest_t, std::function<void(cups_dest_t*)>> owned(
        dest, [&cups](cups_dest_t* d) { cups.FreeDests(1, d); });
    scheduler.ThrowIfTimedOut();
    ReadPpd(scheduler, queue, dest, jobOptions, facts);
    if (facts.Dpi <= 0 && dest)
        facts.Dpi = IppDefaultResolution(scheduler, dest);
    if (facts.Dpi <= 0)
        facts.Dpi = FallbackDpi;
    if (dest) {
        for (int i = 0; i < dest->num_options; ++i)
            facts.InstanceOptions.emplace_back(dest->options[i].name, dest->options[i].value);
    }
    return facts;
}

const QueuePaper* FindPaper(const QueueFacts& facts, const QPageSize& paper)
{
    if (!paper.isValid())
        return nullptr;
    // The dialog names the queue's own papers by their keys; a paper from
    // elsewhere is matched the way Qt's print support matched it: the same
    // standard size, else the same size in points.
    const std::string key = paper.key().toStdString();
    for (const QueuePaper& p : facts.Papers)
        if (p.Name == key)
            return &p;
    if (paper.id() != QPageSize::Custom) {
        for (const QueuePaper& p : facts.Papers)
            if (p.Size.id() == paper.id())
                return &p;
    }
    for (const QueuePaper& p : facts.Papers)
        if (p.Size.sizePoints() == paper.sizePoints())
            return &p;
    return nullptr;
}

} // namespace surface
