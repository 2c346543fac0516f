#include "calibrationsequence.h"

#include "conversions.h"
#include "cp932.h"

namespace calibration::model {

namespace {

constexpr std::size_t X = static_cast<std::size_t>(Length::X);
constexpr std::size_t Y = static_cast<std::size_t>(Length::Y);
constexpr std::size_t A = static_cast<std::size_t>(Length::A);
constexpr std::size_t B = static_cast<std::size_t>(Length::B);

bool InRange(double mm, const LengthRule& rule)
{
    return mm >= rule.Low && mm <= rule.High;
}

// Scale correction: dpi - dpi x measured x (1 / nominal), the reciprocal held
// at extended precision, stored as a double.
double DeriveScale(std::int32_t dpi, double measured, int nominal)
{
    const long double d = static_cast<long double>(dpi);
    const long double inverseNominal = 1.0L / nominal;
    return static_cast<double>(d - d * static_cast<long double>(measured) * inverseNominal);
}

// Offset correction: nominalPosition - nominalLength x position / length, a
// true division, stored as a double.
double DeriveOffset(int nominalPosition, int nominalLength, double position, double length)
{
    const long double scaled = static_cast<long double>(nominalLength) *
                               static_cast<long double>(position) /
                               static_cast<long double>(length);
    return static_cast<double>(static_cast<long double>(nominalPosition) - scaled);
}

} // namespace

AcceptedLengths AcceptLengths(const LengthTexts& utf8)
{
    AcceptedLengths accepted;
    accepted.Shown = utf8;
    for (std::size_t i = 0; i < LengthCount; ++i) {
        const double mm = core::StrToFloatDef0(core::EncodeCp932(utf8[i]));
        accepted.Replaced[i] = !InRange(mm, LengthRules[i]);
        accepted.Mm[i] = accepted.Replaced[i] ? LengthRules[i].Nominal : mm;
        if (accepted.Replaced[i])
            accepted.Shown[i] = core::FloatToStr(LengthRules[i].Nominal);
    }
    return accepted;
}

AcceptedLengths AcceptLengths(const LengthValues& mm)
{
    AcceptedLengths accepted;
    for (std::size_t i = 0; i < LengthCount; ++i) {
        accepted.Replaced[i] = !InRange(mm[i], LengthRules[i]);
        accepted.Mm[i] = accepted.Replaced[i] ? LengthRules[i].Nominal : mm[i];
        accepted.Shown[i] = core::FloatToStr(accepted.Mm[i]);
    }
    return accepted;
}

bool AnyReplaced(const AcceptedLengths& lengths)
{
    for (const bool replaced : lengths.Replaced)
        if (replaced)
            return true;
    return false;
}

void StoreLengths(const AcceptedLengths& lengths, core::TPrintAdjustment& adjustment)
{
    adjustment.MeasuredX = lengths.Mm[X];
    adjustment.MeasuredY = lengths.Mm[Y];
    adjustment.MeasuredA = lengths.Mm[A];
    adjustment.MeasuredB = lengths.Mm[B];
}

Corrections DeriveCorrections(std::int32_t dpiX, std::int32_t dpiY, const LengthValues& mm,
                              FloorStep floor)
{
    using G = SheetGeometry;
    Corrections c;
    c.HorzScale = ClampScale(DeriveScale(dpiX, mm[X], G::Width));
    c.VertScale = ClampScale(DeriveScale(dpiY, mm[Y], G::Height));
    c.HorzOffset = FloorToStep(DeriveOffset(G::CrossX, G::Width, mm[A], mm[X]), floor);
    c.VertOffset = FloorToStep(DeriveOffset(G::CrossY, G::Height, mm[B], mm[Y]), floor);
    return c;
}

void DeriveCorrections(TMeasureState& state, const core::TPrintAdjustment& adjustment,
                       FloorStep floor)
{
    const Corrections c = DeriveCorrections(
        state.DpiX, state.DpiY,
        {adjustment.MeasuredX, adjustment.MeasuredY, adjustment.MeasuredA, adjustment.MeasuredB},
        floor);
    state.DerivedHorzScale = c.HorzScale;
    state.DerivedVertScale = c.VertScale;
    state.DerivedHorzOffset = c.HorzOffset;
    state.DerivedVertOffset = c.VertOffset;
}

Measurement Measure(const LengthTexts& utf8, std::int32_t dpiX, std::int32_t dpiY, FloorStep floor)
{
    Measurement m{AcceptLengths(utf8), {}};
    m.Derived = DeriveCorrections(dpiX, dpiY, m.Lengths.Mm, floor);
    return m;
}

Measurement Measure(const LengthValues& mm, std::int32_t dpiX, std::int32_t dpiY, FloorStep floor)
{
    Measurement m{AcceptLengths(mm), {}};
    m.Derived = DeriveCorrections(dpiX, dpiY, m.Lengths.Mm, floor);
    return m;
}

AcceptedLengths TakeLengths(const LengthTexts& utf8, FloorStep floor, TMeasureState& state,
                            core::TPrintAdjustment& adjustment)
{
    QueryPrinter(state);
    const AcceptedLengths accepted = AcceptLengths(utf8);
    StoreLengths(accepted, adjustment);
    DeriveCorrections(state, adjustment, floor);
    return accepted;
}

ControlValues HandOver(const TMeasureState& state)
{
    return ControlsFor(state.DerivedHorzScale, state.DerivedVertScale, state.DerivedHorzOffset,
                       state.DerivedVertOffset);
}

} // namespace calibration::model
