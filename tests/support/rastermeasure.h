#pragma once
// Measuring a printed page read back from the file printer's PNG, as a ruler
// would: which pixels are dark, and where the drawn lines and frames are,
// found on the raster alone. Positions are in pixels from the page's left or
// top edge, a pixel i covering [i, i + 1).

#include <QImage>
#include <QRect>
#include <QSize>
#include <optional>
#include <string>
#include <vector>

namespace testutil {

// The page as grey levels (a whole A4 page at 600 dpi too); dark is below
// half, and nothing outside the page is.
QImage ReadGrey(const std::string& path);
bool Dark(const QImage& page, int x, int y);

// Dark pixels of one column between rows y0 and y1 (exclusive), and of one row.
int DarkInColumn(const QImage& page, int x, int y0, int y1);
int DarkInRow(const QImage& page, int y, int x0, int x1);
// Dark pixels inside [x0, x1) x [y0, y1), and the runs of dark columns or rows
// crossing a line, as "first..last" ranges.
int DarkIn(const QImage& page, int x0, int y0, int x1, int y1);
std::string DarkRowsAt(const QImage& page, int x, int y0, int y1);
std::string DarkColumnsAt(const QImage& page, int y, int x0, int x1);

// The straight lines running down (or across) the page: for every group of
// adjacent columns (rows) that each hold an unbroken dark run of at least
// minLength pixels, the centre of the group. Left to right (top to bottom).
std::vector<double> VerticalLines(const QImage& page, int minLength);
std::vector<double> HorizontalLines(const QImage& page, int minLength);

// The centre lines of a frame's four sides.
struct FrameEdges
{
    double Left = 0;
    double Top = 0;
    double Right = 0;
    double Bottom = 0;
};

// The frame searched for in window: of the connected dark shapes reaching into
// it, the one whose bounding box is outer's size (within a few per cent) and
// nearest the window's centre. Each side is the centre of its dark band, taken
// where the band is thinnest, so that text touching the frame does not count.
std::optional<FrameEdges> FindFrame(const QImage& page, const QRect& window, const QSize& outer);

} // namespace testutil
