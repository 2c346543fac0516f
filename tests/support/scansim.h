#pragma once
// A simulated flatbed scanner for the scan measurement's tests: a printed
// page (the file printer's raster) laid on the glass on a background, turned,
// taken at the scanner's resolution with its own stretch, blurred and noisy.

#include <QImage>
#include <string>

namespace testutil {

struct ScanConditions
{
    int Dpi = 300;
    double Degrees = 0;  // the sheet turned on the glass, clockwise as seen
    int Background = 40; // the grey behind the page (the lid, a dark sheet)
    double Blur = 0;     // Gaussian, sigma in scan pixels
    double Noise = 0;    // Gaussian, sigma in grey levels
    double StretchX = 0; // the scanner's own error, percent
    double StretchY = 0;
    double MarginMm = 8;     // background around the paper's bounding box
    double ShiftLeftMm = 0;  // the page moved left (over the glass's edge if > margin)
    double FeedDegrees = 0;  // the print turned on the paper (a crooked feed)
    double InkContrast = 1;  // darkness of the print: below 1 a faint print
    double GhostMm = 0;      // every line printed twice, the second this far right and down
    bool RecordDpi = true;   // the scan records its resolution
    double KeepHeightMm = 0; // the glass ends this far down the scan (0: it does not)
};

// The page: grey levels at pageDpi, a pixel i covering [i, i + 1).
QImage SimulateScan(const QImage& page, int pageDpi, const ScanConditions& conditions);

// The scan as the PDF some scanners save: one page, its picture at dpi.
std::string SaveAsPdf(const QImage& scan, int dpi, const std::string& pdf);

} // namespace testutil
