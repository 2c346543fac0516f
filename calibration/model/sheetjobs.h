#pragma once

#include "device.h"
#include "measurestate.h"

namespace calibration::model {

// The measurement sheet: queries the printer into state and prints the figure
// without any correction.
surface::DocumentOutput PrintMeasurementSheet(TMeasureState& state);

// The adjusted test print: prints the figure with the corrections that state
// holds (the caller has queried the printer and derived them).
surface::DocumentOutput PrintTestSheet(const TMeasureState& state);

} // namespace calibration::model
