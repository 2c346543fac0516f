#pragma once

#include <cstdint>

#include "printadjustment.h"

namespace calibration::model {

// The measurement dialog's printer values and derived corrections, shared by
// its three buttons for the whole run (the dialog's unit holds the instance).
// The steps that fill it are in calibrationsequence.h.
struct TMeasureState
{
    std::int32_t DpiX = 300;
    std::int32_t DpiY = 300;
    std::int32_t PhysOffsetX = 0;
    std::int32_t PhysOffsetY = 0;
    double DerivedHorzOffset = 0;
    double DerivedVertOffset = 0;
    double DerivedHorzScale = 0;
    double DerivedVertScale = 0;
};

// The printer's four capabilities into state, in the order of the queries.
void QueryPrinter(TMeasureState& state);

} // namespace calibration::model
