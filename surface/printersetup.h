#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <string>
#include <utility>
#include <vector>

namespace surface {

// CUPS job options as name and value, in the order they were chosen.
using CupsOptions = std::vector<std::pair<std::string, std::string>>;

// What the printer setup dialog chose, in plain terms, so that the print
// surface needs no dialog and no print support library to print with it.
struct PrinterSetup
{
    // "queue" or "queue/instance"; empty: the system's default printer.
    std::string Printer;
    // Invalid, or a paper the printer does not have: the printer's default.
    QPageSize Paper;
    QPageLayout::Orientation Orientation = QPageLayout::Portrait;
    // The dialog's job options (resolution, job sheets, ...). The page's own
    // full-size options override them.
    CupsOptions JobOptions;
    int Copies = 1;
    bool Collate = true; // with more than one copy
    // IPP "sides" ("one-sided", "two-sided-long-edge", ...); empty: the
    // printer's default.
    std::string Sides;
    // Not empty: "print to file". The PDF goes to this file instead of the
    // spooler, laid out with the resolution and margins of Printer.
    std::string OutputFile;
};

} // namespace surface
