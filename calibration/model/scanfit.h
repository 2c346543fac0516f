#pragma once
// The geometry under the scan measurement: straight lines fitted to sample
// points by least squares, in millimetres of the scan.

#include <QPointF>
#include <optional>
#include <vector>

namespace calibration::model {

// A straight line through Point along the unit vector Direction, with how
// far its samples lay from it.
struct FittedLine
{
    QPointF Point;
    QPointF Direction;
    double RmsMm = 0; // root mean square distance of the samples kept
    int Samples = 0;  // the samples kept

    // Distance of p from the line, its sign telling the side.
    double Distance(const QPointF& p) const;
    // The point at parameter t (mm along Direction from Point).
    QPointF At(double t) const { return Point + t * Direction; }
    double Parameter(const QPointF& p) const;
};

// Fits a line to the points by least squares, x as a function of y for a steep
// line, y of x otherwise, dropping the samples that lie off it (a stroke of
// text, a speck) and fitting again. No line from fewer than minSamples kept.
std::optional<FittedLine> FitLine(const std::vector<QPointF>& points, bool steep,
                                  std::size_t minSamples);

// Where two lines cross (they must not be parallel).
QPointF Intersection(const FittedLine& a, const FittedLine& b);

// The angle of a direction in degrees, measured from the x axis toward y
// (clockwise as seen on a y-down image).
double AngleDegrees(const QPointF& direction);

} // namespace calibration::model
