#include "rastermeasure.h"

#include <QColor>
#include <QImageReader>
#include <algorithm>
#include <climits>
#include <cmath>
#include <deque>

namespace testutil {

namespace {

// The runs of indexes in [from, to) for which isDark holds, as "first..last"
// ranges separated by commas.
template <typename IsDark> std::string Runs(int from, int to, IsDark isDark)
{
    std::string out;
    for (int i = from; i < to;) {
        if (!isDark(i)) {
            ++i;
            continue;
        }
        int j = i;
        while (j + 1 < to && isDark(j + 1))
            ++j;
        if (!out.empty())
            out += ',';
        out += std::to_string(i) + ".." + std::to_string(j);
        i = j + 1;
    }
    return out;
}

// Centres of the groups of adjacent indexes whose longest run reaches minLength.
std::vector<double> Groups(const std::vector<int>& longest, int minLength)
{
    std::vector<double> centres;
    int first = -1;
    for (int i = 0; i <= static_cast<int>(longest.size()); ++i) {
        const bool line = i < static_cast<int>(longest.size()) && longest[i] >= minLength;
        if (line && first < 0)
            first = i;
        if (!line && first >= 0) {
            centres.push_back((first + i) / 2.0);
            first = -1;
        }
    }
    return centres;
}

struct Shape
{
    QRect box;
    bool truncated = false; // reaches the edge of the area searched
};

// The thinnest dark run starting at (x, y) and stepping by (dx, dy), over the
// starting points along (sx, sy) from `from` for `count` steps.
int ThinnestBand(const QImage& page, QPoint from, int sx, int sy, int count, int dx, int dy)
{
    int thinnest = INT_MAX;
    for (int k = 0; k < count; ++k) {
        int x = from.x() + k * sx;
        int y = from.y() + k * sy;
        int run = 0;
        while (Dark(page, x, y)) {
            ++run;
            x += dx;
            y += dy;
        }
        if (run > 0)
            thinnest = std::min(thinnest, run);
    }
    return thinnest == INT_MAX ? 0 : thinnest;
}

} // namespace

QImage ReadGrey(const std::string& path)
{
    // A whole A4 page at 600 dpi is read as 32-bit pixels first: 140 MB, more
    // than Qt's default limit.
    constexpr int PageLimitMb = 1024;
    if (QImageReader::allocationLimit() < PageLimitMb)
        QImageReader::setAllocationLimit(PageLimitMb);
    return QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_Grayscale8);
}

bool Dark(const QImage& page, int x, int y)
{
    if (!page.valid(x, y))
        return false;
    if (page.format() == QImage::Format_Grayscale8)
        return page.constScanLine(y)[x] < 128;
    return qGray(page.pixel(x, y)) < 128;
}

int DarkInColumn(const QImage& page, int x, int y0, int y1)
{
    int n = 0;
    for (int y = y0; y < y1; ++y)
        n += Dark(page, x, y);
    return n;
}

int DarkInRow(const QImage& page, int y, int x0, int x1)
{
    int n = 0;
    for (int x = x0; x < x1; ++x)
        n += Dark(page, x, y);
    return n;
}

int DarkIn(const QImage& page, int x0, int y0, int x1, int y1)
{
    int n = 0;
    for (int y = y0; y < y1; ++y)
        n += DarkInRow(page, y, x0, x1);
    return n;
}

std::string DarkRowsAt(const QImage& page, int x, int y0, int y1)
{
    return Runs(y0, y1, [&](int y) { return Dark(page, x, y); });
}

std::string DarkColumnsAt(const QImage& page, int y, int x0, int x1)
{
    return Runs(x0, x1, [&](int x) { return Dark(page, x, y); });
}

std::vector<double> VerticalLines(const QImage& page, int minLength)
{
    std::vector<int> current(page.width(), 0);
    std::vector<int> longest(page.width(), 0);
    for (int y = 0; y < page.height(); ++y) {
        const uchar* line = page.constScanLine(y);
        for (int x = 0; x < page.width(); ++x) {
            current[x] = line[x] < 128 ? current[x] + 1 : 0;
            longest[x] = std::max(longest[x], current[x]);
        }
    }
    return Groups(longest, minLength);
}

std::vector<double> HorizontalLines(const QImage& page, int minLength)
{
    std::vector<int> longest(page.height(), 0);
    for (int y = 0; y < page.height(); ++y) {
        const uchar* line = page.constScanLine(y);
        int current = 0;
        for (int x = 0; x < page.width(); ++x) {
            current = line[x] < 128 ? current + 1 : 0;
            longest[y] = std::max(longest[y], current);
        }
    }
    return Groups(longest, minLength);
}

std::optional<FrameEdges> FindFrame(const QImage& page, const QRect& window, const QSize& outer)
{
    // Shapes may reach out of the window; the area searched is larger, and a
    // shape reaching its edge is no frame of the expected size.
    const QRect area =
        window.adjusted(-outer.width(), -outer.height(), outer.width(), outer.height())
            .intersected(page.rect());
    const QRect seeds = window.intersected(page.rect());
    std::vector<char> seen(static_cast<std::size_t>(area.width()) * area.height(), 0);
    auto visited = [&](int x, int y) -> char& {
        return seen[static_cast<std::size_t>(y - area.top()) * area.width() + (x - area.left())];
    };

    std::optional<QRect> best;
    double bestDistance = 0;
    for (int y0 = seeds.top(); y0 <= seeds.bottom(); ++y0) {
        for (int x0 = seeds.left(); x0 <= seeds.right(); ++x0) {
            if (!Dark(page, x0, y0) || visited(x0, y0))
                continue;
            Shape shape{QRect(x0, y0, 1, 1)};
            std::deque<QPoint> queue{QPoint(x0, y0)};
            visited(x0, y0) = 1;
            while (!queue.empty()) {
                const QPoint p = queue.front();
                queue.pop_front();
                shape.box |= QRect(p, QSize(1, 1));
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int x = p.x() + dx;
                        const int y = p.y() + dy;
                        if (!area.contains(x, y)) {
                            shape.truncated = true;
                            continue;
                        }
                        if (Dark(page, x, y) && !visited(x, y)) {
                            visited(x, y) = 1;
                            queue.emplace_back(x, y);
                        }
                    }
                }
            }
            const QSize size = shape.box.size();
            const bool fits = std::abs(size.width() - outer.width()) <= outer.width() / 25 + 4 &&
                              std::abs(size.height() - outer.height()) <= outer.height() / 25 + 4;
            if (shape.truncated || !fits)
                continue;
            const QPointF d = QRectF(shape.box).center() - QRectF(window).center();
            const double distance = std::hypot(d.x(), d.y());
            if (!best || distance < bestDistance) {
                best = shape.box;
                bestDistance = distance;
            }
        }
    }
    if (!best)
        return std::nullopt;

    // The sides' straight middle thirds, clear of the rounded corners.
    const QRect b = *best;
    const int rows = b.height() / 3;
    const int columns = b.width() / 3;
    const QPoint leftMiddle(b.left(), b.top() + rows);
    const QPoint rightMiddle(b.right(), b.top() + rows);
    const QPoint topMiddle(b.left() + columns, b.top());
    const QPoint bottomMiddle(b.left() + columns, b.bottom());
    FrameEdges edges;
    edges.Left = b.left() + ThinnestBand(page, leftMiddle, 0, 1, rows, 1, 0) / 2.0;
    edges.Right = b.right() + 1 - ThinnestBand(page, rightMiddle, 0, 1, rows, -1, 0) / 2.0;
    edges.Top = b.top() + ThinnestBand(page, topMiddle, 1, 0, columns, 0, 1) / 2.0;
    edges.Bottom = b.bottom() + 1 - ThinnestBand(page, bottomMiddle, 1, 0, columns, 0, -1) / 2.0;
    return edges;
}

} // namespace testutil
