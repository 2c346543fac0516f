#pragma once

#include <QIODevice>
#include <QImage>
#include <QLineF>
#include <QPointF>
#include <QString>
#include <array>
#include <optional>
#include <string>

namespace calibration::model {

// What the scan is taken at, and the scanner's own stretch, in percent, that
// the measurement takes out (a scanner that draws 100 mm as 100.2 mm has 0.2).
struct ScanSettings
{
    double DpiX = 0;
    double DpiY = 0;
    double StretchX = 0;
    double StretchY = 0;
};

// Why a scan cannot be measured. Each has its own message (ScanProblemText).
enum class ScanProblem
{
    None,
    NoSheet,         // nothing like a sheet of paper on the scan
    EdgesNotVisible, // the paper as bright as the scanner's background
    CutOff,          // the paper's left or top edge, or the figure, off the scan
    Crooked,         // the sheet lies too far turned on the glass
    Skewed,          // the figure turned against the paper's edges beyond the limit
    FaintOrDoubled,  // the figure's lines not found once each
};

// The figure's skew against the paper at which the printer is said to feed
// the paper crooked, and beyond which the scan is refused: the lengths along
// a turned figure no longer mean what the derivation takes them for.
inline constexpr double CrookedFeedDegrees = 0.3;
inline constexpr double MaxSkewDegrees = 2.0;

// One measured scan. Lengths in mm along the paper's axes (X, Y between the
// centres of the rectangle's sides, A, B from the paper's left and top edges
// to the centre of the cross), the figure's skew against the paper's edges in
// degrees (positive: turned clockwise on the page as seen), the worst
// root-mean-square distance of a line's samples from its fitted line, in mm.
// The fitted lines in pixels of the scan as given, for drawing what was found.
struct ScanMeasurement
{
    double X = 0;
    double Y = 0;
    double A = 0;
    double B = 0;
    double SkewDegrees = 0;
    double ResidualMm = 0;
    bool UpsideDown = false;          // the sheet lay rotated by 180 degrees on the glass
    std::array<QLineF, 2> PaperEdges; // left, top
    std::array<QLineF, 4> Rectangle;  // left, right, top, bottom sides
    std::array<QLineF, 2> Cross;      // vertical, horizontal line
};

struct ScanResult
{
    ScanProblem Problem = ScanProblem::None;
    double Degrees = 0; // Skewed and Crooked: the angle found
    ScanMeasurement Measurement;
};

// Reads a scan (PNG, JPEG, TIFF, what Qt's image plugins read), a whole page
// at 600 dpi in colour too. A null image where it cannot, with Qt's reason.
QImage ReadScanImage(QIODevice& device, std::string& reason);

// The resolution a scan records, or nothing where it records none a scanner
// would give (Qt reports 96 dpi for an image without one).
std::optional<ScanSettings> RecordedResolution(const QImage& scan);

// Measures the measurement sheet on a scan: the paper's left and top edges
// against the scanner's background, the rectangle's four sides and the
// cross's two lines, each a straight line fitted along its whole length.
ScanResult MeasureScan(const QImage& scan, const ScanSettings& settings);

// What to tell the user about a problem, in the tool's language (UTF-8).
std::string ScanProblemText(const ScanResult& result);

// The resolution a PDF scan's first page is drawn at to be measured: a
// scanner's finest usual one, so that nothing of the page is lost.
inline constexpr int PdfScanDpi = 600;

// A skew in degrees as it is shown: two decimals, and no "-0.00" for a
// figure that is straight to the hundredth.
QString SkewText(double degrees);

// The warning for a figure skewed between CrookedFeedDegrees and
// MaxSkewDegrees, or an empty string.
std::string CrookedFeedWarning(const ScanMeasurement& measurement);

} // namespace calibration::model
