#pragma once
// Finding the sheet on a scan: the paper's left and top edges, which give the
// paper's own axes.

#include "scanfit.h"
#include "scangrey.h"
#include "scanmeasure.h"

namespace calibration::model {

// The paper's axes in millimetres of the scan: u along the top edge to the
// right, v along the left edge downward, from the corner where they meet.
struct PaperFrame
{
    FittedLine LeftEdge;
    FittedLine TopEdge;
    QPointF Origin;
    QPointF U{1, 0};
    QPointF V{0, 1};
    double GlassDegrees = 0; // how far the sheet is turned on the glass
    double LeftEnd = 0;      // how far down and across the edges were seen, mm
    double TopEnd = 0;

    QPointF ToScan(double u, double v) const { return Origin + u * U + v * V; }
};

// The sheet's edges against the background, or why they cannot be found.
ScanProblem FindPaper(const ScanGrey& grey, const ScanLevels& levels, PaperFrame& paper);

} // namespace calibration::model
