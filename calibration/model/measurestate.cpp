#include "measurestate.h"

#include "adjustmentrules.h"
#include "conversions.h"
#include "cp932.h"
#include "printercaps.h"

namespace calibration::model {

std::array<std::string, 4> AcceptLengths(const std::array<std::string, 4>& texts,
                                         core::TPrintAdjustment& adjustment)
{
    double* const fields[] = {&adjustment.MeasuredX, &adjustment.MeasuredY, &adjustment.MeasuredA,
                              &adjustment.MeasuredB};
    const LengthRule* const rules[] = {&RuleX, &RuleY, &RuleA, &RuleB};
    std::array<std::string, 4> shown = texts;
    for (std::size_t i = 0; i < 4; ++i) {
        // Full-width digits have no ASCII form in code page 932, so they do
        // not convert: a length typed that way counts as 0, out of range.
        *fields[i] = core::StrToFloatDef0(core::EncodeCp932(texts[i]));
        if (*fields[i] < rules[i]->Low || *fields[i] > rules[i]->High) {
            *fields[i] = rules[i]->Nominal;
            shown[i] = rules[i]->NominalText;
        }
    }
    return shown;
}

void QueryPrinter(TMeasureState& state)
{
    const surface::PrinterCaps caps = surface::QueryPrinterCaps();
    state.DpiX = caps.DpiX;
    state.DpiY = caps.DpiY;
    state.PhysOffsetX = caps.OffsetX;
    state.PhysOffsetY = caps.OffsetY;
}

namespace {

// Scale correction: dpi - dpi x measured x (1 / nominal), the reciprocal held
// at extended precision, stored as a double.
double DeriveScale(std::int32_t dpi, double measured, long double inverseNominal)
{
    const long double d = static_cast<long double>(dpi);
    return static_cast<double>(d - d * static_cast<long double>(measured) * inverseNominal);
}

// Offset correction: nominalPosition - nominalLength x position / length, a
// true division, stored as a double.
double DeriveOffset(double nominalPosition, double nominalLength, double position, double length)
{
    const long double scaled = static_cast<long double>(nominalLength) *
                               static_cast<long double>(position) /
                               static_cast<long double>(length);
    return static_cast<double>(static_cast<long double>(nominalPosition) - scaled);
}

} // namespace

void DeriveCorrections(TMeasureState& state, const core::TPrintAdjustment& adjustment,
                       int stepsPerMm)
{
    state.DerivedHorzScale = DeriveScale(state.DpiX, adjustment.MeasuredX, 1.0L / 150);
    state.DerivedVertScale = DeriveScale(state.DpiY, adjustment.MeasuredY, 1.0L / 200);
    state.DerivedHorzScale = ClampScale(state.DerivedHorzScale);
    state.DerivedVertScale = ClampScale(state.DerivedVertScale);
    state.DerivedHorzOffset = DeriveOffset(100, 150, adjustment.MeasuredA, adjustment.MeasuredX);
    state.DerivedVertOffset = DeriveOffset(150, 200, adjustment.MeasuredB, adjustment.MeasuredY);
    state.DerivedHorzOffset = FloorToStep(state.DerivedHorzOffset, stepsPerMm);
    state.DerivedVertOffset = FloorToStep(state.DerivedVertOffset, stepsPerMm);
}

} // namespace calibration::model
