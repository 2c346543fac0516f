#include "scanfigure.h"

#include "sheetfigure.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace calibration::model {

namespace {

// The long lines of the sheet figure, in nominal paper mm: the rectangle's
// sides, the cross's lines and the dimension lines, with the stretches along
// each where something else is drawn over or next to it.
struct LongLine
{
    bool Vertical = false;
    double At = 0;           // x of a vertical line, y of a horizontal one
    double From = 0, To = 0; // along it
    std::vector<std::pair<double, double>> KeepOut;
};

constexpr double PointMm = 25.4 / 72;
constexpr double CrossingKeepOutMm = 2.5;
constexpr double ArrowKeepOutMm = 6;
constexpr double TextCellHeightPerPoint = 0.39; // mm per point: the print face's cell

double TextWidthMm(const char* utf8, int size)
{
    double ems = 0;
    for (QChar c : QString::fromUtf8(utf8))
        ems += c.unicode() < 0x80 ? 0.5 : 1;
    return ems * size * PointMm;
}

struct Figure
{
    std::vector<LongLine> Down;                   // left to right
    std::vector<LongLine> Across;                 // top to bottom
    int RectFirst = 0, Cross = 1, RectSecond = 2; // indices in both lists
};

const Figure& NominalFigure()
{
    static const Figure figure = [] {
        Figure f;
        for (const SheetStep& step : SheetFigure()) {
            if (step.What == SheetStep::Rectangle) {
                const auto [x1, y1] = step.Points[0];
                const auto [x2, y2] = step.Points[1];
                f.Down.push_back({true, double(x1), double(y1), double(y2), {}});
                f.Down.push_back({true, double(x2), double(y1), double(y2), {}});
                f.Across.push_back({false, double(y1), double(x1), double(x2), {}});
                f.Across.push_back({false, double(y2), double(x1), double(x2), {}});
            } else if (step.What == SheetStep::Polyline && step.Points.size() == 2) {
                const auto [x1, y1] = step.Points[0];
                const auto [x2, y2] = step.Points[1];
                if (x1 == x2)
                    f.Down.push_back({true, double(x1), double(y1), double(y2), {}});
                else
                    f.Across.push_back({false, double(y1), double(x1), double(x2), {}});
            }
        }
        const auto byPosition = [](const LongLine& a, const LongLine& b) { return a.At < b.At; };
        std::sort(f.Down.begin(), f.Down.end(), byPosition);
        std::sort(f.Across.begin(), f.Across.end(), byPosition);
        // Keep-outs: where another long line crosses, an arrowhead ends, or a
        // label's cell reaches the line.
        for (auto* lines : {&f.Down, &f.Across}) {
            const auto& others = lines == &f.Down ? f.Across : f.Down;
            for (LongLine& line : *lines) {
                for (const LongLine& other : others)
                    if (line.At >= other.From && line.At <= other.To)
                        line.KeepOut.push_back(
                            {other.At - CrossingKeepOutMm, other.At + CrossingKeepOutMm});
                for (const SheetStep& step : SheetFigure()) {
                    if (step.What == SheetStep::Polyline && step.Points.size() == 3) {
                        const auto [tx, ty] = step.Points[1];
                        const double across = line.Vertical ? tx : ty;
                        const double along = line.Vertical ? ty : tx;
                        if (std::abs(across - line.At) < 1)
                            line.KeepOut.push_back(
                                {along - ArrowKeepOutMm, along + ArrowKeepOutMm});
                    } else if (step.What == SheetStep::Text) {
                        const auto [tx, ty] = step.Points[0];
                        const double w = TextWidthMm(step.SheetText, step.Size);
                        const double h = step.Size * TextCellHeightPerPoint;
                        const double lo = line.Vertical ? tx : ty;
                        const double hi = lo + (line.Vertical ? w : h);
                        if (line.At >= lo - 1 && line.At <= hi + 1) {
                            const double a = line.Vertical ? ty : tx;
                            const double b = a + (line.Vertical ? h : w);
                            line.KeepOut.push_back({a - 1, b + 1});
                        }
                    }
                }
            }
        }
        return f;
    }();
    return figure;
}

// Where the long lines are looked for first: a band across the figure that
// all four lines of a direction cross and no label fills, in nominal mm.
constexpr double DownBandFrom = 25, DownBandTo = 135, DownSpan = 200;
constexpr double AcrossBandFrom = 22, AcrossBandTo = 55, AcrossSpan = 236;
constexpr double BandStepMm = 0.5;
constexpr double BinMm = 0.2;
constexpr double MaxSearchDegrees = 4;
constexpr double SearchStepDegrees = 0.2;
constexpr double MaxDipMm = 1.5;
constexpr double MinDepthLevels = 16;

struct Dip
{
    double Across;
    double Along;
    int Row;
};

struct Cluster
{
    double Across; // at the band's centre
    double Slope;  // d across / d along
    int Rows;
};

// The dark dips of every profile across the band, in paper mm.
std::vector<Dip> BandDips(const ScanGrey& grey, const PaperFrame& paper, bool down,
                          double paperLevel, double minDepth, int& rows)
{
    const double h = std::min(grey.MmX(), grey.MmY());
    const double bandFrom = down ? DownBandFrom : AcrossBandFrom;
    const double bandTo = down ? DownBandTo : AcrossBandTo;
    const double span = down ? DownSpan : AcrossSpan;
    const int n = static_cast<int>(span / h);
    std::vector<double> profile(n);
    std::vector<Dip> dips;
    rows = 0;
    for (double along = bandFrom; along <= bandTo; along += BandStepMm, ++rows) {
        for (int k = 0; k < n; ++k) {
            const double across = k * h;
            const QPointF p =
                grey.ToPixels(down ? paper.ToScan(across, along) : paper.ToScan(along, across));
            profile[k] = grey.Sample(p.x(), p.y());
        }
        const double dark = paperLevel - minDepth;
        for (int k = 0; k < n;) {
            if (profile[k] >= dark) {
                ++k;
                continue;
            }
            int end = k;
            while (end < n && profile[end] < dark)
                ++end;
            if ((end - k) * h <= MaxDipMm) {
                double sum = 0, moment = 0;
                for (int i = std::max(0, k - 2); i < std::min(n, end + 2); ++i) {
                    const double w = std::max(0.0, paperLevel - profile[i]);
                    sum += w;
                    moment += w * i;
                }
                if (sum > 0)
                    dips.push_back({moment / sum * h, along, rows});
            }
            k = end;
        }
    }
    return dips;
}

// The lines standing in most of the band's profiles, at the figure's skew.
std::vector<Cluster> FindClusters(const std::vector<Dip>& dips, int rows, double span,
                                  double centre)
{
    const int bins = static_cast<int>(span / BinMm) + 2;
    std::vector<Cluster> best;
    int bestScore = -1;
    // From no skew outward: of equal counts the straighter wins.
    const int steps = static_cast<int>(std::lround(MaxSearchDegrees / SearchStepDegrees));
    for (int s = 0; s <= 2 * steps; ++s) {
        const double deg = (s % 2 == 0 ? 1 : -1) * ((s + 1) / 2) * SearchStepDegrees;
        const double slope = std::tan(deg * std::numbers::pi / 180);
        std::vector<int> count(bins, 0), lastRow(bins, -1);
        for (const Dip& d : dips) {
            const int b = static_cast<int>((d.Across - (d.Along - centre) * slope) / BinMm);
            if (b < 0 || b >= bins || lastRow[b] == d.Row)
                continue;
            lastRow[b] = d.Row;
            ++count[b];
        }
        std::vector<int> windowed(bins, 0);
        for (int b = 1; b + 1 < bins; ++b)
            windowed[b] = count[b - 1] + count[b] + count[b + 1];
        std::vector<Cluster> found;
        int score = 0;
        for (int b = 1; b + 1 < bins; ++b) {
            if (windowed[b] * 2 < rows || windowed[b] < windowed[b - 1] ||
                windowed[b] <= windowed[b + 1])
                continue;
            const double at = (b + 0.5) * BinMm;
            if (!found.empty() && at - found.back().Across < 1) {
                if (found.back().Rows >= windowed[b])
                    continue;
                score -= found.back().Rows;
                found.pop_back();
            }
            found.push_back({at, slope, windowed[b]});
            score += windowed[b];
        }
        if (score > bestScore) {
            bestScore = score;
            best = std::move(found);
        }
    }
    // Each line's place and slope from its own dips, fitted.
    for (Cluster& c : best) {
        double n = 0, sa = 0, su = 0, saa = 0, sau = 0;
        for (const Dip& d : dips) {
            const double along = d.Along - centre;
            if (std::abs(d.Across - along * c.Slope - c.Across) <= 2 * BinMm) {
                n += 1;
                sa += along;
                su += d.Across;
                saa += along * along;
                sau += along * d.Across;
            }
        }
        const double var = n * saa - sa * sa;
        if (n < 3 || var <= 0)
            continue;
        c.Slope = (n * sau - sa * su) / var;
        c.Across = (su - c.Slope * sa) / n;
    }
    return best;
}

// The four lines of one direction among the clusters: the rectangle's sides,
// the cross and the dimension line, at one stretch and shift of the
// printer's. doubled: a line found twice close by.
struct Match
{
    std::array<int, 4> Index{};
    double Scale = 1;
    double Offset = 0;
};

constexpr double MaxStretch = 0.1;
constexpr double MaxShiftMm = 15;
constexpr double MatchWithinMm = 1.0;
constexpr double DoubledWithinMm = 2.5;

std::optional<Match> MatchLines(const std::vector<Cluster>& clusters,
                                const std::vector<LongLine>& nominal, bool& doubled)
{
    const int n = static_cast<int>(clusters.size());
    if (nominal.size() != 4 || n < 4)
        return std::nullopt;
    std::optional<Match> best;
    double bestError = MatchWithinMm;
    std::array<int, 4> i{};
    for (i[0] = 0; i[0] < n; ++i[0])
        for (i[1] = i[0] + 1; i[1] < n; ++i[1])
            for (i[2] = i[1] + 1; i[2] < n; ++i[2])
                for (i[3] = i[2] + 1; i[3] < n; ++i[3]) {
                    const double scale = (clusters[i[2]].Across - clusters[i[0]].Across) /
                                         (nominal[2].At - nominal[0].At);
                    const double offset = clusters[i[0]].Across - scale * nominal[0].At;
                    if (std::abs(scale - 1) > MaxStretch || std::abs(offset) > MaxShiftMm)
                        continue;
                    double error = 0;
                    for (int k = 0; k < 4; ++k)
                        error = std::max(error, std::abs(clusters[i[k]].Across -
                                                         (offset + scale * nominal[k].At)));
                    if (error < bestError) {
                        bestError = error;
                        best = Match{i, scale, offset};
                    }
                }
    if (best)
        for (int c = 0; c < n; ++c)
            for (int k = 0; k < 4; ++k)
                if (c != best->Index[k] &&
                    std::abs(clusters[c].Across - clusters[best->Index[k]].Across) <
                        DoubledWithinMm)
                    doubled = true;
    return best;
}

struct Fitted
{
    std::optional<FittedLine> Line;
    QPointF From, To;
};

// One line fitted along its whole length: at every pixel row (column) it
// crosses, the centroid of its darkness across it.
Fitted FitAlong(const ScanGrey& grey, const PaperFrame& paper, const LongLine& nominal,
                const Cluster& cluster, double centre, const Match& along, double minDepth,
                int& doubled, int& tried)
{
    const bool down = nominal.Vertical;
    const double pitchAcross = down ? grey.MmX() : grey.MmY();
    const double pitchAlong = down ? grey.MmY() : grey.MmX();
    const double searchPx = std::max(0.7 / pitchAcross, 6.0);
    const double corePx = std::max(0.3 / pitchAcross, 3.5);
    const double step = std::max(pitchAlong, 0.1);
    const auto map = [&](double mm) { return along.Offset + along.Scale * mm; };
    std::vector<QPointF> points;
    std::vector<double> profile;
    Fitted fitted;
    bool first = true;
    int here = 0;
    for (double a = map(nominal.From) + 1; a <= map(nominal.To) - 1; a += step) {
        bool kept = true;
        for (const auto& [lo, hi] : nominal.KeepOut)
            if (a >= map(lo) && a <= map(hi))
                kept = false;
        if (!kept)
            continue;
        const double across = cluster.Across + (a - centre) * cluster.Slope;
        const QPointF mm = down ? paper.ToScan(across, a) : paper.ToScan(a, across);
        const QPointF p = grey.ToPixels(mm);
        const int line = static_cast<int>(std::floor(down ? p.y() : p.x()));
        const double at = down ? p.x() : p.y();
        const int extent = down ? grey.Width() : grey.Height();
        const int x0 = static_cast<int>(std::floor(at - searchPx)) - 1;
        const int x1 = static_cast<int>(std::ceil(at + searchPx)) + 1;
        if (line < 0 || line >= (down ? grey.Height() : grey.Width()) || x0 < 0 || x1 >= extent)
            continue;
        ++here;
        profile.resize(x1 - x0 + 1);
        for (int k = x0; k <= x1; ++k)
            profile[k - x0] = down ? grey.At(k, line) : grey.At(line, k);
        const std::optional<LineCrossing> crossing =
            CrossLine(profile, at - 0.5 - x0, searchPx, corePx, minDepth);
        if (!crossing)
            continue;
        if (crossing->Doubled) {
            ++doubled;
            continue;
        }
        const double x = x0 + crossing->Position + 0.5;
        points.push_back(grey.ToMm(down ? QPointF(x, line + 0.5) : QPointF(line + 0.5, x)));
        if (first)
            fitted.From = mm;
        fitted.To = mm;
        first = false;
    }
    tried += here;
    fitted.Line = FitLine(points, down, std::max<std::size_t>(30, here / 3));
    if (fitted.Line) {
        fitted.From = fitted.Line->At(fitted.Line->Parameter(fitted.From));
        fitted.To = fitted.Line->At(fitted.Line->Parameter(fitted.To));
    }
    return fitted;
}

} // namespace

ScanProblem FindFigure(const ScanGrey& grey, const ScanLevels& levels, const PaperFrame& paper,
                       FigureLines& figure)
{
    const Figure& nominal = NominalFigure();
    const double minDepth = std::max(MinDepthLevels, 5 * levels.Noise);
    int rowsDown = 0, rowsAcross = 0;
    const std::vector<Dip> dipsDown = BandDips(grey, paper, true, levels.Paper, minDepth, rowsDown);
    const std::vector<Dip> dipsAcross =
        BandDips(grey, paper, false, levels.Paper, minDepth, rowsAcross);
    const double centreDown = (DownBandFrom + DownBandTo) / 2;
    const double centreAcross = (AcrossBandFrom + AcrossBandTo) / 2;
    const std::vector<Cluster> down = FindClusters(dipsDown, rowsDown, DownSpan, centreDown);
    const std::vector<Cluster> across =
        FindClusters(dipsAcross, rowsAcross, AcrossSpan, centreAcross);
    bool doubledLines = false;
    const std::optional<Match> u = MatchLines(down, nominal.Down, doubledLines);
    const std::optional<Match> v = MatchLines(across, nominal.Across, doubledLines);
    if (!u || !v || doubledLines)
        return ScanProblem::FaintOrDoubled;

    // The figure turns as a whole: the lines across take the slope of the
    // lines down, which the longer band measures better.
    std::vector<Cluster> acrossTurned = across;
    {
        double slope = 0;
        for (int k : u->Index)
            slope += down[k].Slope / 4;
        for (int k : v->Index)
            acrossTurned[k].Slope = -slope;
    }
    int doubled = 0, tried = 0;
    const auto fit = [&](bool isDown, int which) {
        return isDown ? FitAlong(grey, paper, nominal.Down[which], down[u->Index[which]],
                                 centreDown, *v, minDepth, doubled, tried)
                      : FitAlong(grey, paper, nominal.Across[which], acrossTurned[v->Index[which]],
                                 centreAcross, *u, minDepth, doubled, tried);
    };
    const Fitted left = fit(true, nominal.RectFirst), right = fit(true, nominal.RectSecond);
    const Fitted vertical = fit(true, nominal.Cross);
    const Fitted top = fit(false, nominal.RectFirst), bottom = fit(false, nominal.RectSecond);
    const Fitted horizontal = fit(false, nominal.Cross);
    if (doubled * 4 > tried)
        return ScanProblem::FaintOrDoubled;
    for (const Fitted* f : {&left, &right, &vertical, &top, &bottom, &horizontal})
        if (!f->Line)
            return ScanProblem::FaintOrDoubled;
    figure.Left = *left.Line;
    figure.Right = *right.Line;
    figure.Top = *top.Line;
    figure.Bottom = *bottom.Line;
    figure.Vertical = *vertical.Line;
    figure.Horizontal = *horizontal.Line;
    figure.VerticalFrom = vertical.From;
    figure.VerticalTo = vertical.To;
    figure.HorizontalFrom = horizontal.From;
    figure.HorizontalTo = horizontal.To;
    return ScanProblem::None;
}

} // namespace calibration::model
