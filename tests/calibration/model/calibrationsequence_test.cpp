// The calibration sequence: the lengths measured on the sheet accepted or
// replaced, and the corrections derived from them.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "adjustmentrules.h"
#include "calibrationsequence.h"
#include "conversions.h"

namespace {

struct DeriveRow
{
    const char* name;
    int dpi;
    double x, y, a, b;
    calibration::model::FloorStep floor;
    double horzScale, vertScale;
    const char* horzOffset; // in the general number form, as the dialogs show it
    const char* vertOffset;
    int track1, track2;
};

class Derive : public ::testing::TestWithParam<DeriveRow>
{
};

TEST_P(Derive, ScalesOffsetsAndTrackPositions)
{
    const DeriveRow& r = GetParam();
    calibration::model::TMeasureState state;
    state.DpiX = state.DpiY = r.dpi;
    core::TPrintAdjustment adj;
    adj.MeasuredX = r.x;
    adj.MeasuredY = r.y;
    adj.MeasuredA = r.a;
    adj.MeasuredB = r.b;
    calibration::model::DeriveCorrections(state, adj, r.floor);
    EXPECT_DOUBLE_EQ(state.DerivedHorzScale, r.horzScale);
    EXPECT_DOUBLE_EQ(state.DerivedVertScale, r.vertScale);
    EXPECT_EQ(core::FloatToStr(state.DerivedHorzOffset), r.horzOffset);
    EXPECT_EQ(core::FloatToStr(state.DerivedVertOffset), r.vertOffset);
    EXPECT_EQ(calibration::model::TrackPosition(state.DerivedHorzScale), r.track1);
    EXPECT_EQ(calibration::model::TrackPosition(state.DerivedVertScale), r.track2);
}

constexpr calibration::model::FloorStep Tenth = calibration::model::FloorStep::TenthMm;
constexpr calibration::model::FloorStep Hundredth = calibration::model::FloorStep::HundredthMm;

INSTANTIATE_TEST_SUITE_P(
    Lengths, Derive,
    ::testing::Values(
        DeriveRow{"Nominal", 300, 150, 200, 100, 150, Tenth, 0, 0, "0", "0", 20, 20},
        DeriveRow{"WiderAt300", 300, 151, 200, 100, 150, Tenth, -2, 0, "0.6", "0", 16, 20},
        DeriveRow{"At600", 600, 150.5, 199, 100, 150, Tenth, -2, 3, "0.3", "-0.8", 16, 26},
        DeriveRow{"ScaleLimitedTo10", 300, 140, 200, 100, 150, Tenth, 10, 0, "-7.2", "0", 40, 20},
        DeriveRow{"ScaleLimitedToMinus10", 300, 160, 200, 100, 150, Tenth, -10, 0, "6.2", "0", 0,
                  20},
        DeriveRow{"HalfStepBelowNegative", 300, 152.27, 200, 100, 150, Tenth,
                  300 - 300 * 152.27 / 150, 0, "1.4", "0", 10, 20},
        DeriveRow{"HalfStepBelowPositive", 300, 147.73, 200, 100, 150, Tenth,
                  300 - 300 * 147.73 / 150, 0, "-1.6", "0", 29, 20},
        DeriveRow{"HairBelowATenth", 300, 150, 200, 99.7, 150, Tenth, 0, 0, "0.2", "0", 20, 20},
        DeriveRow{"SmallNegativeFloorsDown", 300, 150, 200, 100.04, 150, Tenth, 0, 0, "-0.1", "0",
                  20, 20},
        DeriveRow{"SmallPositiveFloorsToZero", 300, 150, 200, 99.96, 150, Tenth, 0, 0, "0", "0", 20,
                  20},
        DeriveRow{"ExtremeOffsets", 300, 100, 250, 80, 120, Tenth, 10, -10, "-20", "54", 40, 0},
        DeriveRow{"TestPrintHundredths", 300, 151, 199, 101, 149, Hundredth, -2, 1.5, "-0.34",
                  "0.25", 16, 23},
        DeriveRow{"DoneButtonTenths", 300, 151, 199, 101, 149, Tenth, -2, 1.5, "-0.4", "0.2", 16,
                  23},
        DeriveRow{"Limit600Wide", 600, 147.5, 200, 100, 150, Hundredth, 10, 0, "-1.7", "0", 40, 20},
        DeriveRow{"Limit600Narrow", 600, 152.5, 200, 100, 150, Hundredth, -10, 0, "1.63", "0", 0,
                  20}),
    [](const auto& info) { return std::string(info.param.name); });

struct AcceptRow
{
    const char* name;
    std::array<std::string, 4> texts;
    std::array<double, 4> stored;
    std::array<std::string, 4> shown;
};

class Accept : public ::testing::TestWithParam<AcceptRow>
{
};

TEST_P(Accept, StoresOrReplacesEachLength)
{
    const AcceptRow& r = GetParam();
    const calibration::model::AcceptedLengths accepted = calibration::model::AcceptLengths(r.texts);
    core::TPrintAdjustment adj;
    calibration::model::StoreLengths(accepted, adj);
    EXPECT_EQ(adj.MeasuredX, r.stored[0]);
    EXPECT_EQ(adj.MeasuredY, r.stored[1]);
    EXPECT_EQ(adj.MeasuredA, r.stored[2]);
    EXPECT_EQ(adj.MeasuredB, r.stored[3]);
    EXPECT_EQ(accepted.Shown, r.shown);
    for (std::size_t i = 0; i < r.texts.size(); ++i)
        EXPECT_EQ(accepted.Replaced[i], accepted.Shown[i] != r.texts[i]) << i;
    // A test print waits while a box shows something else than was typed.
    EXPECT_EQ(calibration::model::AnyReplaced(accepted), accepted.Shown != r.texts);
}

// Every length taken as typed.
AcceptRow Kept(const char* name, std::array<std::string, 4> texts, std::array<double, 4> stored)
{
    return {name, texts, stored, texts};
}

// Every length replaced by its nominal length, or typed as it.
AcceptRow Nominal(const char* name, std::array<std::string, 4> texts)
{
    return {name, texts, {150, 200, 100, 150}, {"150", "200", "100", "150"}};
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Accept,
    ::testing::Values(
        Kept("UpperBoundsAccepted", {"200", "250", "120", "180"}, {200, 250, 120, 180}),
        Kept("LowerBoundsAccepted", {"100", "150", "80", "120"}, {100, 150, 80, 120}),
        Nominal("JustOutsideReplaced", {"200.01", "250.5", "79.9", "180.1"}),
        Nominal("BelowReplaced", {"99.99", "149", "0", "-150"}),
        Nominal("EmptyAndLettersReplaced", {"", "abc", " ", "1,5"}),
        // The dialogs' boxes turn them into ASCII as they are
        // typed; the command line passes them on as they are.
        Nominal("FullWidthDigitsReplacedOnTheCommandLine", {"１５１", "200", "100", "150"}),
        Kept("BlanksAndExponentAccepted", {" 151 ", "2e2", "1.0e2", "+150"}, {151, 200, 100, 150})),
    [](const auto& info) { return std::string(info.param.name); });

// Lengths as numbers (a scan of the sheet, say) go through the same steps as
// typed ones: the same replacements, the same corrections.
struct NumbersRow
{
    const char* name;
    int dpi;
    std::array<double, 4> mm;
    std::array<bool, 4> replaced;
    const char* horzOffset = "0"; // done button: tenths
    const char* vertOffset = "0";
    double horzScale = 0, vertScale = 0;
};

class MeasureNumbers : public ::testing::TestWithParam<NumbersRow>
{
};

TEST_P(MeasureNumbers, AgreesWithTheTypedLengths)
{
    namespace m = calibration::model;
    const NumbersRow& r = GetParam();
    const m::Measurement measured = m::Measure(r.mm, r.dpi, r.dpi, m::DoneFloor);
    EXPECT_EQ(measured.Lengths.Replaced, r.replaced);
    EXPECT_EQ(core::FloatToStr(measured.Derived.HorzOffset), r.horzOffset);
    EXPECT_EQ(core::FloatToStr(measured.Derived.VertOffset), r.vertOffset);
    EXPECT_DOUBLE_EQ(measured.Derived.HorzScale, r.horzScale);
    EXPECT_DOUBLE_EQ(measured.Derived.VertScale, r.vertScale);

    // The same lengths typed: the same values stored and derived.
    m::LengthTexts typed;
    for (std::size_t i = 0; i < typed.size(); ++i)
        typed[i] = core::FloatToStr(r.mm[i]);
    const m::Measurement fromTexts = m::Measure(typed, r.dpi, r.dpi, m::DoneFloor);
    EXPECT_EQ(fromTexts.Lengths.Mm, measured.Lengths.Mm);
    EXPECT_EQ(fromTexts.Lengths.Replaced, measured.Lengths.Replaced);
    EXPECT_EQ(fromTexts.Derived.HorzOffset, measured.Derived.HorzOffset);
    EXPECT_EQ(fromTexts.Derived.VertOffset, measured.Derived.VertOffset);
    EXPECT_EQ(fromTexts.Derived.HorzScale, measured.Derived.HorzScale);
    EXPECT_EQ(fromTexts.Derived.VertScale, measured.Derived.VertScale);
}

INSTANTIATE_TEST_SUITE_P(
    Scan, MeasureNumbers,
    ::testing::Values(
        NumbersRow{"LongRectangle", 300, {151, 200, 100, 150}, {}, "0.6", "0", -2, 0},
        NumbersRow{"BothAxesAt600", 600, {150.5, 199, 100, 150}, {}, "0.3", "-0.8", -2, 3},
        NumbersRow{
            "OutOfRangeReplaced", 300, {99.99, 250.5, 79.9, 180.1}, {true, true, true, true}},
        NumbersRow{"NotANumberReplaced",
                   300,
                   {std::nan(""), 200, 100, std::numeric_limits<double>::infinity()},
                   {true, false, false, true}}),
    [](const auto& info) { return std::string(info.param.name); });

// The adjustment dialog's OK on what the controls hold: all four stored, or
// nothing and the box that is wrong.
struct ConfirmRow
{
    const char* name;
    calibration::model::ControlValues controls;
    calibration::model::OffsetProblem problem;
    std::array<double, 4> stored; // HorzScale, VertScale, HorzOffset, VertOffset
};

class Confirm : public ::testing::TestWithParam<ConfirmRow>
{
};

TEST_P(Confirm, StoresAllFourOrNothing)
{
    const ConfirmRow& r = GetParam();
    core::TPrintAdjustment adj;
    adj.HorzScale = 7;
    adj.VertScale = -7;
    adj.HorzOffset = 3;
    adj.VertOffset = -3;
    const calibration::model::OffsetCheck check =
        calibration::model::ConfirmAdjustment(r.controls, adj);
    EXPECT_EQ(check.Problem, r.problem);
    EXPECT_EQ((std::array<double, 4>{adj.HorzScale, adj.VertScale, adj.HorzOffset, adj.VertOffset}),
              r.stored);
}

using calibration::model::OffsetProblem;
constexpr std::array<double, 4> Untouched = {7, -7, 3, -3};

INSTANTIATE_TEST_SUITE_P(
    Controls, Confirm,
    ::testing::Values(
        ConfirmRow{"HandedOver", {16, 26, "0.3", "-0.8"}, OffsetProblem::None, {-2, 3, 0.3, -0.8}},
        ConfirmRow{"AtTheLimits", {0, 40, "-20", "20"}, OffsetProblem::None, {-10, 10, -20, 20}},
        ConfirmRow{"HorizontalNotANumber",
                   {20, 20, "2.5mm", "0"},
                   OffsetProblem::HorizontalNotANumber,
                   Untouched},
        ConfirmRow{
            "VerticalEmpty", {20, 20, "1", ""}, OffsetProblem::VerticalNotANumber, Untouched},
        ConfirmRow{"VerticalBeyond", {40, 0, "-20", "54"}, OffsetProblem::Vertical, Untouched},
        ConfirmRow{"BothBeyondSaysHorizontal",
                   {20, 20, "20.01", "-20.5"},
                   OffsetProblem::Horizontal,
                   Untouched}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OffsetWarningText, OnePerBox)
{
    using calibration::model::OffsetWarningText;
    EXPECT_STREQ(OffsetWarningText(OffsetProblem::Horizontal),
                 "横方向調整値に誤りがあります。(±20mmまで)");
    EXPECT_STREQ(OffsetWarningText(OffsetProblem::Vertical),
                 "縦方向調整値に誤りがあります。(±20mmまで)");
    EXPECT_STREQ(OffsetWarningText(OffsetProblem::HorizontalNotANumber),
                 "横方向調整値に誤りがあります。(数値で入力してください)");
    EXPECT_STREQ(OffsetWarningText(OffsetProblem::VerticalNotANumber),
                 "縦方向調整値に誤りがあります。(数値で入力してください)");
    EXPECT_STREQ(OffsetWarningText(OffsetProblem::None), "");
}

} // namespace
