#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "printadjustment.h"

namespace calibration::model {

// The measurement dialog's printer values and derived corrections, shared by
// its three buttons for the whole run (the dialog's unit holds the instance).
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

// One measured length: its accepted range (bounds included) and the nominal
// value that replaces it outside that range.
struct LengthRule
{
    double Low;
    double High;
    double Nominal;
    const char* NominalText;
};
inline constexpr LengthRule RuleX{100, 200, 150, "150"};
inline constexpr LengthRule RuleY{150, 250, 200, "200"};
inline constexpr LengthRule RuleA{80, 120, 100, "100"};
inline constexpr LengthRule RuleB{120, 180, 150, "150"};

// Takes the four edit box texts (X, Y, A, B; UTF-8) as the dialog's buttons
// do, in order: the lenient conversion, stored into the measured length at
// once, and outside its range replaced by the nominal value. Returns for each
// box the text it shows afterwards: the nominal text where a length was
// replaced, the text as it was otherwise.
std::array<std::string, 4> AcceptLengths(const std::array<std::string, 4>& texts,
                                         core::TPrintAdjustment& adjustment);

// The printer's four capabilities into state, in the order of the queries.
void QueryPrinter(TMeasureState& state);

// Derives the four corrections from the measured lengths of adjustment:
// scales from X and Y limited to -10..10, offsets from A and B floored to a
// multiple of 1/stepsPerMm millimetres (10 for the done button, 100 for the
// test print). Each result is stored as a double before the next step reads it.
void DeriveCorrections(TMeasureState& state, const core::TPrintAdjustment& adjustment,
                       int stepsPerMm);

} // namespace calibration::model
