#include "adjustmentrules.h"

#include <algorithm>
#include <cmath>

#include "conversions.h"
#include "dots.h"

namespace calibration::model {

namespace {

double Clamp(double value, double limit)
{
    if (std::isnan(value))
        return 0;
    return std::min(std::max(value, -limit), limit);
}

} // namespace

int TrackPosition(double scale)
{
    const std::int32_t position = core::TruncToInt32(static_cast<long double>(scale) * 2 + 20);
    return std::clamp<std::int32_t>(position, TrackMin, TrackMax);
}

double ScaleOfTrackPosition(int position)
{
    return (position - TrackCentre) * 0.5;
}

double ClampOffset(double mm)
{
    return Clamp(mm, OffsetLimitMm);
}

double ClampScale(double dpi)
{
    return Clamp(dpi, ScaleLimitDpi);
}

void ClampCorrections(core::TPrintAdjustment& adjustment)
{
    adjustment.HorzOffset = ClampOffset(adjustment.HorzOffset);
    adjustment.VertOffset = ClampOffset(adjustment.VertOffset);
    adjustment.HorzScale = ClampScale(adjustment.HorzScale);
    adjustment.VertScale = ClampScale(adjustment.VertScale);
}

double FloorToStep(double value, FloorStep step)
{
    // The step is multiplied at extended precision: floor(v x 10) x 0.1.
    struct Floor
    {
        int PerMm;
        long double Mm;
    };
    const Floor floor = step == FloorStep::TenthMm ? Floor{10, 0.1L} : Floor{100, 0.01L};
    const long double floored = std::floor(static_cast<long double>(value) * floor.PerMm);
    return static_cast<double>(floored * floor.Mm);
}

const char* OffsetWarningText(OffsetProblem problem)
{
    switch (problem) {
    case OffsetProblem::Horizontal:
        return "横方向調整値に誤りがあります。(±20mmまで)";
    case OffsetProblem::Vertical:
        return "縦方向調整値に誤りがあります。(±20mmまで)";
    case OffsetProblem::HorizontalNotANumber:
        return "横方向調整値に誤りがあります。(数値で入力してください)";
    case OffsetProblem::VerticalNotANumber:
        return "縦方向調整値に誤りがあります。(数値で入力してください)";
    case OffsetProblem::None:
        break;
    }
    return "";
}

OffsetCheck CheckOffsets(const std::string& horzCp932, const std::string& vertCp932)
{
    OffsetCheck check;
    if (!core::TryStrToFloat(horzCp932, check.Horz)) {
        check.Horz = 0;
        check.Problem = OffsetProblem::HorizontalNotANumber;
        return check;
    }
    if (check.Horz < -OffsetLimitMm || check.Horz > OffsetLimitMm) {
        check.Problem = OffsetProblem::Horizontal;
        return check;
    }
    if (!core::TryStrToFloat(vertCp932, check.Vert)) {
        check.Vert = 0;
        check.Problem = OffsetProblem::VerticalNotANumber;
        return check;
    }
    if (check.Vert < -OffsetLimitMm || check.Vert > OffsetLimitMm)
        check.Problem = OffsetProblem::Vertical;
    return check;
}

void StoreCorrections(core::TPrintAdjustment& adjustment, int horzTrack, int vertTrack,
                      const OffsetCheck& offsets)
{
    adjustment.HorzScale = ScaleOfTrackPosition(horzTrack);
    adjustment.VertScale = ScaleOfTrackPosition(vertTrack);
    adjustment.HorzOffset = offsets.Horz;
    adjustment.VertOffset = offsets.Vert;
}

ControlValues ControlsFor(double horzScale, double vertScale, double horzOffset, double vertOffset)
{
    return {TrackPosition(horzScale), TrackPosition(vertScale), core::FloatToStr(horzOffset),
            core::FloatToStr(vertOffset)};
}

OffsetCheck ConfirmAdjustment(const ControlValues& controls, core::TPrintAdjustment& adjustment)
{
    const OffsetCheck check = CheckOffsets(controls.HorzOffsetText, controls.VertOffsetText);
    if (check.Problem == OffsetProblem::None)
        StoreCorrections(adjustment, controls.HorzTrack, controls.VertTrack, check);
    return check;
}

} // namespace calibration::model
