#pragma once

#include <QMarginsF>
#include <QPageSize>
#include <QSizeF>
#include <map>
#include <string>
#include <vector>

#include "printersetup.h"

namespace surface {

// One paper of a queue's driver.
struct QueuePaper
{
    std::string Name; // the driver's key ("A4", "Letter"), the job's "media"
    QPageSize Size;   // whole points, as Qt's print support names the paper
    QSizeF Points;    // the driver's own size, portrait, in points (595.28 x 841.89)
};

// What a CUPS queue's PPD (or, without one, its IPP attributes) says about
// the page: everything the back end needs to lay a page out the way the
// queue's driver will print it.
struct QueueFacts
{
    int Dpi = 0;
    std::vector<QueuePaper> Papers;           // the PageSize choices
    QueuePaper DefaultPaper;                  // invalid Size when the queue names none
    std::map<std::string, QMarginsF> Margins; // per paper key, portrait, points
    QMarginsF CustomMargins;                  // of a paper the driver does not list
    std::string DefaultSides = "one-sided";
    CupsOptions InstanceOptions; // the queue instance's own job options
};

// The system's printers, each "queue" or "queue/instance".
struct PrinterList
{
    std::vector<std::string> Names;
    std::string Default; // empty when no printer is the default
};
PrinterList ListPrinters();

// The printer a choice starts from when none has been made: the default, else
// the first of the system's printers, else none (empty); without CUPS there is
// no printer to start from. Throws EPrinter only for a scheduler that does not
// answer.
std::string FirstChoicePrinter();

// The resolution of a queue that tells none, and of a file printed with no
// queue to model it on.
inline constexpr int FallbackDpi = 300;

// Reads the facts of printerName ("queue" or "queue/instance"); jobOptions
// are the dialog's choices, which may pick another resolution.
QueueFacts ReadQueue(const std::string& printerName, const CupsOptions& jobOptions);

// The queue's paper that stands for paper, or nullptr when it has none such.
const QueuePaper* FindPaper(const QueueFacts& facts, const QPageSize& paper);

} // namespace surface
