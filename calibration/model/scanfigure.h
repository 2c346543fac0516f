#pragma once
// Finding the measurement figure's six long lines on the paper, each fitted
// along its whole length.

#include "scanpaper.h"

namespace calibration::model {

// The rectangle's four sides and the cross's two lines, in mm of the scan,
// with the ends of the cross's lines as they were seen.
struct FigureLines
{
    FittedLine Left, Right, Top, Bottom, Vertical, Horizontal;
    QPointF VerticalFrom, VerticalTo, HorizontalFrom, HorizontalTo;
};
ScanProblem FindFigure(const ScanGrey& grey, const ScanLevels& levels, const PaperFrame& paper,
                       FigureLines& figure);

} // namespace calibration::model
