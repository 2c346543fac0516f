#pragma once
// calibration model: everything of the printer calibration that is not a
// window. The measurement state; the one sequence from the lengths measured
// on the sheet to the saved corrections (calibrationsequence.h); the
// adjustment rules (the track bar mapping, the limits, the floors, the OK
// button's check and its warnings); the sheet's geometry, its figure and its
// two print jobs; the measuring of the sheet on a scan of it.
//
// It depends on core, surface and Qt Gui only: no Qt Widgets, so that the
// dialogs, the declaration job and the command-line tool share each rule.

#include "adjustmentrules.h"
#include "calibrationsequence.h"
#include "measurestate.h"
#include "scanmeasure.h"
#include "sheetfigure.h"
#include "sheetgeometry.h"
#include "sheetjobs.h"
