#include "scanpaper.h"

#include <algorithm>
#include <cmath>

namespace calibration::model {

namespace {

// Paper and background have to part by this much to tell the edge.
constexpr double MinEdgeContrast = 40;
// The paper's edges are sampled this far from its corners, where the other
// edge begins; enough for a sheet turned by the most allowed.
constexpr double CornerMm = 20;
// Background that has to show beyond the left and top edge.
constexpr double MarginMm = 1.5;
// Levels of paper and background are taken this far either side of an edge.
constexpr double LevelNearMm = 0.6;
constexpr double LevelFarMm = 1.5;
// The window across an edge: wider than a scanner's blur, narrower than the
// levels' distance.
constexpr int EdgeWindowPixels = 5;
constexpr double EdgeWindowMm = 0.4;
constexpr double MaxGlassDegrees = 5;
constexpr int MaxEdgeSamples = 800;
// Smallest sheet there is (B5 is 182 x 257 mm), leaving room for a turn.
constexpr double MinPaperWidthMm = 150;
constexpr double MinPaperHeightMm = 200;
// Where the figure ends on the paper (x 169, y 219 mm), and some.
constexpr double FigureWidthMm = 180;
constexpr double FigureHeightMm = 230;

// One edge, read across (x for the left edge, y for the top edge) at
// positions along it.
struct EdgeView
{
    const ScanGrey& Grey;
    bool Top;

    int Across() const { return Top ? Grey.Height() : Grey.Width(); }
    int Along() const { return Top ? Grey.Width() : Grey.Height(); }
    double MmAcross() const { return Top ? Grey.MmY() : Grey.MmX(); }
    double MmAlong() const { return Top ? Grey.MmX() : Grey.MmY(); }
    int At(int across, int along) const
    {
        return Top ? Grey.At(along, across) : Grey.At(across, along);
    }
    QPointF Point(double across, double along) const
    {
        return Top ? QPointF(along, across) : QPointF(across, along);
    }
};

struct Range
{
    int From = 0;
    int To = -1; // inclusive
};

// Where the paper is across one axis: the rows or columns mostly bright.
Range BrightSpan(const ScanGrey& grey, double threshold, bool columns)
{
    constexpr int Step = 4;
    const int n = columns ? grey.Width() : grey.Height();
    const int m = columns ? grey.Height() : grey.Width();
    std::vector<int> count(n, 0);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < m; j += Step)
            if ((columns ? grey.At(i, j) : grey.At(j, i)) >= threshold)
                ++count[i];
    const int most = *std::max_element(count.begin(), count.end());
    Range span;
    if (most == 0)
        return span;
    for (int i = 0; i < n; ++i)
        if (count[i] * 2 >= most) {
            span.From = i;
            break;
        }
    for (int i = n - 1; i >= 0; --i)
        if (count[i] * 2 >= most) {
            span.To = i;
            break;
        }
    return span;
}

double MeanAcross(const EdgeView& view, int along, double from, double to)
{
    const int a = std::max(0, static_cast<int>(std::floor(from)));
    const int b = std::min(view.Across() - 1, static_cast<int>(std::ceil(to)));
    double sum = 0;
    int n = 0;
    for (int i = a; i <= b; ++i, ++n)
        sum += view.At(i, along);
    return n > 0 ? sum / n : 0;
}

// The edge's samples in mm: per line across it, where the grey passes half
// way from the background to the paper, between the two pixels either side.
// cutOff counts the lines where the paper reaches the scan's border.
std::vector<QPointF> EdgeSamples(const EdgeView& view, double threshold, Range along, int& cutOff,
                                 int& lines)
{
    std::vector<QPointF> points;
    const double mm = 1 / view.MmAcross();
    const int run = std::max(2, static_cast<int>(std::lround(mm)));
    const int step = std::max(1, (along.To - along.From + 1) / MaxEdgeSamples);
    for (int j = along.From; j <= along.To; j += step) {
        ++lines;
        int first = -1;
        for (int i = 0; i + run < view.Across(); ++i)
            if (view.At(i, j) >= threshold && view.At(i + run / 2, j) >= threshold &&
                view.At(i + run, j) >= threshold) {
                first = i;
                break;
            }
        if (first < 0)
            continue;
        if (first < MarginMm * mm + 1) {
            ++cutOff;
            continue;
        }
        // The edge from the area of background in a window across it: exact
        // for a scanner's pixels, which average the light over their area,
        // and for its blur, which moves no light across the edge. The levels
        // are taken just outside the window.
        const int n = std::max(EdgeWindowPixels, static_cast<int>(std::ceil(EdgeWindowMm * mm)));
        const double near = std::max(LevelNearMm * mm, n + 2.0);
        const double far = near + std::max(5.0, (LevelFarMm - LevelNearMm) * mm);
        const double background = MeanAcross(view, j, first - far, first - near);
        const double paperLevel = MeanAcross(view, j, first + near, first + far);
        if (paperLevel - background < MinEdgeContrast / 2)
            continue;
        const int lo = first - n, hi = first + n;
        if (lo < 0 || hi >= view.Across())
            continue;
        double backgroundPart = 0;
        for (int i = lo; i <= hi; ++i)
            backgroundPart += (paperLevel - view.At(i, j)) / (paperLevel - background);
        const double best = lo + backgroundPart;
        if (best > lo && best < hi + 1)
            points.push_back(view.Grey.ToMm(view.Point(best, j + 0.5)));
    }
    return points;
}

} // namespace

ScanProblem FindPaper(const ScanGrey& grey, const ScanLevels& levels, PaperFrame& paper)
{
    if (levels.Paper - levels.Background < MinEdgeContrast)
        return levels.Paper < 128 ? ScanProblem::NoSheet : ScanProblem::EdgesNotVisible;
    const Range columns = BrightSpan(grey, levels.Threshold, true);
    const Range rows = BrightSpan(grey, levels.Threshold, false);
    if (columns.To < columns.From || rows.To < rows.From)
        return ScanProblem::NoSheet;
    // Paper up to every border of the scan: the background is as bright as
    // the paper (a white lid), and what is dark is only the print.
    const bool wide = columns.From == 0 && columns.To == grey.Width() - 1;
    const bool tall = rows.From == 0 && rows.To == grey.Height() - 1;
    if (wide && tall)
        return ScanProblem::EdgesNotVisible;
    const double width = (columns.To - columns.From + 1) * grey.MmX();
    const double height = (rows.To - rows.From + 1) * grey.MmY();
    const bool cutLeftOrTop =
        columns.From * grey.MmX() < MarginMm || rows.From * grey.MmY() < MarginMm;
    // Too small for a sheet: a part of one where it runs off the scan.
    const bool cutRightOrBottom = (grey.Width() - 1 - columns.To) * grey.MmX() < MarginMm ||
                                  (grey.Height() - 1 - rows.To) * grey.MmY() < MarginMm;
    if (width < MinPaperWidthMm || height < MinPaperHeightMm)
        return cutLeftOrTop || cutRightOrBottom ? ScanProblem::CutOff : ScanProblem::NoSheet;
    if (cutLeftOrTop)
        return ScanProblem::CutOff;

    int cutOff = 0, lines = 0;
    const EdgeView left{grey, false};
    const int corner = static_cast<int>(CornerMm / grey.MmY());
    const std::vector<QPointF> leftPoints =
        EdgeSamples(left, levels.Threshold, {rows.From + corner, rows.To - corner}, cutOff, lines);
    const EdgeView top{grey, true};
    const int cornerX = static_cast<int>(CornerMm / grey.MmX());
    const std::vector<QPointF> topPoints = EdgeSamples(
        top, levels.Threshold, {columns.From + cornerX, columns.To - cornerX}, cutOff, lines);
    if (cutOff * 10 > lines)
        return ScanProblem::CutOff;
    const std::optional<FittedLine> leftEdge = FitLine(leftPoints, true, 50);
    const std::optional<FittedLine> topEdge = FitLine(topPoints, false, 50);
    if (!leftEdge || !topEdge)
        return ScanProblem::EdgesNotVisible;
    paper.LeftEdge = *leftEdge;
    paper.TopEdge = *topEdge;
    paper.Origin = Intersection(paper.LeftEdge, paper.TopEdge);
    paper.U = paper.TopEdge.Direction;
    paper.V = QPointF(-paper.U.y(), paper.U.x());
    paper.GlassDegrees = AngleDegrees(paper.U);
    paper.LeftEnd = paper.LeftEdge.Parameter(grey.ToMm(QPointF(0, rows.To)));
    paper.TopEnd = paper.TopEdge.Parameter(grey.ToMm(QPointF(columns.To, 0)));
    if (std::abs(paper.GlassDegrees) > MaxGlassDegrees)
        return ScanProblem::Crooked;
    // The figure, with room for a printer's error, must be on the scan.
    for (const QPointF& corner : {paper.ToScan(FigureWidthMm, 0), paper.ToScan(0, FigureHeightMm),
                                  paper.ToScan(FigureWidthMm, FigureHeightMm)}) {
        const QPointF p = grey.ToPixels(corner);
        if (p.x() < 0 || p.y() < 0 || p.x() > grey.Width() || p.y() > grey.Height())
            return ScanProblem::CutOff;
    }
    return ScanProblem::None;
}

} // namespace calibration::model
