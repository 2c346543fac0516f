#pragma once

#include <cstdint>
#include <string>

#include "printadjustment.h"

namespace calibration::model {

// The corrections' ranges: a position correction moves the print at most
// 20 mm either way, a scale correction changes the resolution by at most
// 10 dots per inch.
inline constexpr double OffsetLimitMm = 20;
inline constexpr double ScaleLimitDpi = 10;

// The adjustment dialog's track bars hold a scale correction in half-dpi
// steps: position 20 is no correction, 0 and 40 the limits.
inline constexpr int TrackMin = 0;
inline constexpr int TrackMax = 40;
inline constexpr int TrackCentre = 20;

// trunc(scale x 2 + 20), kept within TrackMin..TrackMax (a wild value from a
// hand-edited settings file cannot overflow).
int TrackPosition(double scale);
// (position - 20) x 0.5.
double ScaleOfTrackPosition(int position);

// A correction brought into its range: a value at or beyond a limit becomes
// that limit, NaN becomes 0 so that it never reaches the dot arithmetic.
double ClampOffset(double mm);
double ClampScale(double dpi);

// The print jobs' limits, in place, in this order: HorzOffset, VertOffset,
// HorzScale, VertScale.
void ClampCorrections(core::TPrintAdjustment& adjustment);

// How fine a derived position correction is: a multiple of 0.1 mm (the
// done button, so the adjustment dialog's box) or of 0.01 mm (the test print).
enum class FloorStep
{
    TenthMm,
    HundredthMm
};

// A derived position correction floored to a multiple of its step. A value a
// hair below a step goes to the step beneath it.
double FloorToStep(double value, FloorStep step);

// Which position box of the adjustment dialog holds a value outside the
// limits, or text that is not a number (which would be stored as 0).
enum class OffsetProblem
{
    None,
    Horizontal,
    Vertical,
    HorizontalNotANumber,
    VerticalNotANumber
};

// The warning box's text (UTF-8) for a problem other than None.
const char* OffsetWarningText(OffsetProblem problem);

// What the adjustment dialog's OK makes of its two position boxes: each text
// must be a number (the strict conversion: "1,5", "2.5mm" or an empty box is
// refused, not taken as 0) within the limits, the horizontal one checked
// first; the vertical one is not read once the horizontal one has failed.
struct OffsetCheck
{
    double Horz = 0;
    double Vert = 0;
    OffsetProblem Problem = OffsetProblem::None;
};
OffsetCheck CheckOffsets(const std::string& horzCp932, const std::string& vertCp932);

// What OK stores once the check has passed: the scales from the track bar
// positions, the offsets as checked.
void StoreCorrections(core::TPrintAdjustment& adjustment, int horzTrack, int vertTrack,
                      const OffsetCheck& offsets);

// What the measurement dialog hands to the adjustment dialog's controls: the
// track bar positions of the two scales and the texts of the two offsets.
struct ControlValues
{
    int HorzTrack = TrackCentre;
    int VertTrack = TrackCentre;
    std::string HorzOffsetText;
    std::string VertOffsetText;
};
ControlValues ControlsFor(double horzScale, double vertScale, double horzOffset, double vertOffset);

// The adjustment dialog's OK on what its controls hold (texts in code page
// 932): the offsets checked, and only when they pass all four corrections
// stored into adjustment. The dialog shows the warning of a problem; the
// command line reports it.
OffsetCheck ConfirmAdjustment(const ControlValues& controls, core::TPrintAdjustment& adjustment);

} // namespace calibration::model
