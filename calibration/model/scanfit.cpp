#include "scanfit.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace calibration::model {

namespace {

// Samples farther than this many standard deviations from the fit are not
// the line; the floor keeps a near-perfect fit from dropping honest samples.
constexpr double KeepWithinSigmas = 3.0;
constexpr double SigmaFloorMm = 0.02;
constexpr int FitRounds = 4;

struct Linear
{
    double Intercept = 0;
    double Slope = 0;
};

// u = Intercept + Slope x w over the kept samples.
std::optional<Linear> LeastSquares(const std::vector<double>& w, const std::vector<double>& u,
                                   const std::vector<bool>& keep)
{
    double n = 0, sw = 0, su = 0;
    for (std::size_t i = 0; i < w.size(); ++i)
        if (keep[i]) {
            n += 1;
            sw += w[i];
            su += u[i];
        }
    if (n < 2)
        return std::nullopt;
    const double mw = sw / n, mu = su / n;
    double sww = 0, swu = 0;
    for (std::size_t i = 0; i < w.size(); ++i)
        if (keep[i]) {
            sww += (w[i] - mw) * (w[i] - mw);
            swu += (w[i] - mw) * (u[i] - mu);
        }
    if (sww <= 0)
        return std::nullopt;
    const double slope = swu / sww;
    return Linear{mu - slope * mw, slope};
}

} // namespace

double FittedLine::Distance(const QPointF& p) const
{
    const QPointF d = p - Point;
    return Direction.x() * d.y() - Direction.y() * d.x();
}

double FittedLine::Parameter(const QPointF& p) const
{
    const QPointF d = p - Point;
    return d.x() * Direction.x() + d.y() * Direction.y();
}

std::optional<FittedLine> FitLine(const std::vector<QPointF>& points, bool steep,
                                  std::size_t minSamples)
{
    std::vector<double> w, u;
    w.reserve(points.size());
    u.reserve(points.size());
    for (const QPointF& p : points) {
        w.push_back(steep ? p.y() : p.x());
        u.push_back(steep ? p.x() : p.y());
    }
    std::vector<bool> keep(points.size(), true);
    std::optional<Linear> fit;
    double rms = 0;
    std::size_t kept = points.size();
    for (int round = 0; round < FitRounds; ++round) {
        if (kept < minSamples)
            return std::nullopt;
        fit = LeastSquares(w, u, keep);
        if (!fit)
            return std::nullopt;
        // Distances across the line: the residual in u shrunk by the slope.
        const double across = 1 / std::sqrt(1 + fit->Slope * fit->Slope);
        double sum = 0;
        for (std::size_t i = 0; i < w.size(); ++i)
            if (keep[i]) {
                const double r = (u[i] - fit->Intercept - fit->Slope * w[i]) * across;
                sum += r * r;
            }
        rms = std::sqrt(sum / static_cast<double>(kept));
        if (round == FitRounds - 1)
            break;
        const double limit = KeepWithinSigmas * std::max(rms, SigmaFloorMm);
        std::size_t now = 0;
        for (std::size_t i = 0; i < w.size(); ++i) {
            keep[i] = std::abs((u[i] - fit->Intercept - fit->Slope * w[i]) * across) <= limit;
            now += keep[i] ? 1 : 0;
        }
        if (now == kept)
            break;
        kept = now;
    }
    if (kept < minSamples)
        return std::nullopt;
    FittedLine line;
    const double norm = std::sqrt(1 + fit->Slope * fit->Slope);
    if (steep) {
        line.Point = QPointF(fit->Intercept, 0);
        line.Direction = QPointF(fit->Slope / norm, 1 / norm);
    } else {
        line.Point = QPointF(0, fit->Intercept);
        line.Direction = QPointF(1 / norm, fit->Slope / norm);
    }
    line.RmsMm = rms;
    line.Samples = static_cast<int>(kept);
    return line;
}

QPointF Intersection(const FittedLine& a, const FittedLine& b)
{
    // a.Point + s a.Direction = b.Point + t b.Direction
    const QPointF d = b.Point - a.Point;
    const double det = a.Direction.x() * (-b.Direction.y()) - a.Direction.y() * (-b.Direction.x());
    const double s = (d.x() * (-b.Direction.y()) - d.y() * (-b.Direction.x())) / det;
    return a.At(s);
}

double AngleDegrees(const QPointF& direction)
{
    return std::atan2(direction.y(), direction.x()) * 180 / std::numbers::pi;
}

} // namespace calibration::model
