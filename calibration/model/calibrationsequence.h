#pragma once
// The steps from four lengths measured on the sheet to the corrections that
// are saved, in one place for every way the lengths arrive: the measurement
// dialog's boxes, ocrprint-cli's test-print and calibrate, and a scan of the
// printed sheet.
//
//   1. the printer's values are queried (QueryPrinter, measurestate.h);
//   2. each length is taken by the lenient conversion and, outside its range,
//      replaced by its nominal length (AcceptLengths, StoreLengths);
//   3. the scales are derived and limited, the offsets derived and floored:
//      to 0.1 mm for the done button, 0.01 mm for the test print
//      (DeriveCorrections);
//   4. the done button hands the corrections over as the adjustment dialog's
//      controls show them (HandOver);
//   5. the adjustment dialog's OK checks the offsets and stores all four
//      (ConfirmAdjustment, adjustmentrules.h).
//
// TakeLengths runs steps 1 to 3 on the program's state, as both buttons do.
// Measure runs steps 2 and 3 alone, on resolutions the caller knows: the
// entry point for lengths that come from anywhere but a printer query.

#include <array>
#include <cstdint>
#include <string>

#include "adjustmentrules.h"
#include "measurestate.h"
#include "printadjustment.h"
#include "sheetgeometry.h"

namespace calibration::model {

// One measured length: its name, its accepted range (bounds included) and the
// nominal length that replaces it outside that range.
struct LengthRule
{
    const char* Name;
    double Low;
    double High;
    double Nominal;
};
inline constexpr std::array<LengthRule, LengthCount> LengthRules = {{
    {"X", 100, 200, NominalMm[0]},
    {"Y", 150, 250, NominalMm[1]},
    {"A", 80, 120, NominalMm[2]},
    {"B", 120, 180, NominalMm[3]},
}};

// The four lengths X, Y, A, B: as typed (UTF-8), or in millimetres.
using LengthTexts = std::array<std::string, LengthCount>;
using LengthValues = std::array<double, LengthCount>;

// Which button takes the lengths decides how fine its offsets are.
inline constexpr FloorStep DoneFloor = FloorStep::TenthMm;
inline constexpr FloorStep TestPrintFloor = FloorStep::HundredthMm;

// The four lengths after step 2.
struct AcceptedLengths
{
    LengthValues Mm{};                        // what is stored
    std::array<bool, LengthCount> Replaced{}; // by the nominal length
    LengthTexts Shown;                        // each box's text afterwards: the
                                              // nominal length's where replaced
};

// Step 2 on typed texts: the lenient conversion, so that an empty box, letters
// or full-width digits (which code page 932 has no ASCII form for) count as 0
// and are replaced. A text that is kept is shown as it was typed.
AcceptedLengths AcceptLengths(const LengthTexts& utf8);
// Step 2 on numbers (NaN is replaced); Shown in the general number form.
AcceptedLengths AcceptLengths(const LengthValues& mm);

// Whether any length was replaced. A test print goes out only on lengths the
// user has seen: after a replacement the boxes show the nominal lengths and
// that press prints nothing, so that "250" for 205 does not print a sheet
// without correction unnoticed.
bool AnyReplaced(const AcceptedLengths& lengths);

// The accepted lengths into MeasuredX, MeasuredY, MeasuredA and MeasuredB.
void StoreLengths(const AcceptedLengths& lengths, core::TPrintAdjustment& adjustment);

// The four corrections derived from the lengths.
struct Corrections
{
    double HorzScale = 0; // dots per inch, limited to -10..10
    double VertScale = 0;
    double HorzOffset = 0; // millimetres, floored, not limited
    double VertOffset = 0;
};

// Step 3: scales from X and Y, offsets from A over X and B over Y, at the
// printer's resolutions. Each result is stored as a double before the next
// step reads it.
Corrections DeriveCorrections(std::int32_t dpiX, std::int32_t dpiY, const LengthValues& mm,
                              FloorStep floor);
// The same on the program's state: the measured lengths of adjustment and the
// resolutions of state, the results into state's derived corrections.
void DeriveCorrections(TMeasureState& state, const core::TPrintAdjustment& adjustment,
                       FloorStep floor);

// Steps 2 and 3 without a printer or the program's state.
struct Measurement
{
    AcceptedLengths Lengths;
    Corrections Derived;
};
Measurement Measure(const LengthTexts& utf8, std::int32_t dpiX, std::int32_t dpiY, FloorStep floor);
Measurement Measure(const LengthValues& mm, std::int32_t dpiX, std::int32_t dpiY, FloorStep floor);

// Steps 1 to 3 as the two buttons run them: the printer queried into state
// first (without a printer it throws before anything is stored), the lengths
// stored into adjustment, the corrections derived into state. Returns the
// accepted lengths, for the boxes or a notice of what was replaced.
AcceptedLengths TakeLengths(const LengthTexts& utf8, FloorStep floor, TMeasureState& state,
                            core::TPrintAdjustment& adjustment);

// Step 4: state's derived corrections as the adjustment dialog's controls.
ControlValues HandOver(const TMeasureState& state);

} // namespace calibration::model
