#include "dots.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cstdint>
#include <limits>

namespace {

constexpr std::int32_t Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t Min = std::numeric_limits<std::int32_t>::min();

TEST(InvMmPerInch, IsTheReciprocalOfTheDoubleNearest254)
{
    const long double reciprocal = 1.0L / static_cast<long double>(25.4);
    EXPECT_EQ(core::InvMmPerInch, reciprocal);
    // Not the reciprocal of the exact 25.4: the two differ in the last bits.
    EXPECT_NE(core::InvMmPerInch, 10.0L / 254.0L);
}

struct TruncRow
{
    const char* name;
    long double value;
    std::int32_t expected;
};

// Names the row in test listings instead of dumping its bytes.
void PrintTo(const TruncRow& row, std::ostream* os)
{
    *os << row.name;
}

class TruncToInt32Rows : public testing::TestWithParam<TruncRow>
{
};

TEST_P(TruncToInt32Rows, Truncates)
{
    EXPECT_EQ(core::TruncToInt32(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TruncToInt32Rows,
    testing::Values(TruncRow{"PositiveFraction", 2.9L, 2}, TruncRow{"NegativeFraction", -2.9L, -2},
                    TruncRow{"NegativeBelowOne", -0.5L, 0}, TruncRow{"Whole", 1081.0L, 1081},
                    TruncRow{"HugePositive", 1e308L, Max}, TruncRow{"HugeNegative", -1e308L, Min},
                    TruncRow{"NaN", std::numeric_limits<long double>::quiet_NaN(), 0},
                    TruncRow{"Infinity", std::numeric_limits<long double>::infinity(), Max},
                    TruncRow{"NegativeInfinity", -std::numeric_limits<long double>::infinity(),
                             Min},
                    TruncRow{"JustAboveMax", 2147483647.9L, Max},
                    TruncRow{"JustBelowMin", -2147483648.9L, Min},
                    TruncRow{"OneAboveMax", 2147483648.0L, Max},
                    TruncRow{"MaxMinusFraction", 2147483646.5L, 2147483646},
                    TruncRow{"MinPlusFraction", -2147483647.5L, -2147483647}),
    [](const testing::TestParamInfo<TruncRow>& info) { return info.param.name; });

struct CorrectedRow
{
    const char* name;
    double mm;
    double correction;
    std::int32_t dpi;
    double scale;
    std::int64_t shift;
    std::int32_t offset;
    std::int32_t expected;
};

void PrintTo(const CorrectedRow& row, std::ostream* os)
{
    *os << row.name;
}

class CorrectedDotRows : public testing::TestWithParam<CorrectedRow>
{
};

TEST_P(CorrectedDotRows, Maps)
{
    const CorrectedRow& r = GetParam();
    EXPECT_EQ(core::CorrectedDot(r.mm, r.correction, r.dpi, r.scale, r.shift, r.offset),
              r.expected);
}

// The rows near a whole dot were worked out with exact rational arithmetic
// rounded to a 64-bit mantissa at every step.
INSTANTIATE_TEST_SUITE_P(
    Rows, CorrectedDotRows,
    testing::Values(
        CorrectedRow{"NoCorrection", 50, 0, 600, 0, 0, 100, 1081},
        CorrectedRow{"OffsetScaleAndCentred", 50, 1.5, 600, -2, 150, 100, 962},
        CorrectedRow{"RightAligned", 30, -1, 600, 3.5, 120, 118, 451},
        CorrectedRow{"LeftOfPrintableAreaTruncatesTowardZero", 2, 0, 600, 0, 0, 100, -52},
        CorrectedRow{"ExactDoubleReciprocalGivesWholeDot", 114.3, 0, 300, 0, 0, 0, 1350},
        CorrectedRow{"ExtendedPrecisionUpToWholeDot", 124.46, 0, 300, -10, 0, 0, 1421},
        CorrectedRow{"ExtendedPrecisionStaysBelowWholeDot", 231.14, 0, 300, -10, 0, 0, 2638},
        CorrectedRow{"HugeShiftSaturates", 10, 0, 600, 0, std::int64_t{1} << 40, 0, Min},
        CorrectedRow{"HugeNegativeShiftSaturates", 10, 0, 600, 0, -(std::int64_t{1} << 40), 0, Max},
        CorrectedRow{"HugePositionSaturates", 1e300, 0, 600, 0, 0, 0, Max}),
    [](const testing::TestParamInfo<CorrectedRow>& info) { return info.param.name; });

struct LengthRow
{
    const char* name;
    std::int32_t dpi;
    long double mm;
    std::int32_t expected;
};

void PrintTo(const LengthRow& row, std::ostream* os)
{
    *os << row.name;
}

class LengthDotsRows : public testing::TestWithParam<LengthRow>
{
};

TEST_P(LengthDotsRows, Truncates)
{
    EXPECT_EQ(core::LengthDots(GetParam().dpi, GetParam().mm), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LengthDotsRows,
    testing::Values(LengthRow{"FramePen300", 300, 0.3L, 3}, LengthRow{"FramePen600", 600, 0.3L, 7},
                    LengthRow{"FramePen1200", 1200, 0.3L, 14},
                    LengthRow{"Corner300", 300, 1.5L, 17}, LengthRow{"Corner600", 600, 1.5L, 35},
                    LengthRow{"Corner1200", 1200, 1.5L, 70}, LengthRow{"ThickPen300", 300, 0.2L, 2},
                    LengthRow{"ThickPen600", 600, 0.2L, 4},
                    LengthRow{"ThickPen1200", 1200, 0.2L, 9},
                    LengthRow{"ThinPen300", 300, 0.07L, 0}, LengthRow{"ThinPen600", 600, 0.07L, 1},
                    LengthRow{"ThinPen1200", 1200, 0.07L, 3}),
    [](const testing::TestParamInfo<LengthRow>& info) { return info.param.name; });

struct SheetRow
{
    const char* name;
    std::int32_t dpi;
    double factor;
    std::int32_t offset;
    std::int32_t expected;
};

void PrintTo(const SheetRow& row, std::ostream* os)
{
    *os << row.name;
}

class SheetDotRows : public testing::TestWithParam<SheetRow>
{
};

TEST_P(SheetDotRows, Maps)
{
    const SheetRow& r = GetParam();
    EXPECT_EQ(core::SheetDot(r.dpi, r.factor, r.offset), r.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SheetDotRows,
    testing::Values(SheetRow{"TwentyMillimetres", 600, 20.0 / 25.4, 0, 472},
                    SheetRow{"WithOffset", 600, 20.0 / 25.4, 100, 372},
                    SheetRow{"NegativeTruncatesTowardZero", 600, 2.0 / 25.4, 100, -52},
                    SheetRow{"OneInch", 300, 25.4 / 25.4, 0, 300},
                    SheetRow{"CrossMark", 600, 100.0 / 25.4, 50, 2312},
                    SheetRow{"HugeFactorSaturates", 600, 1e300, 0, Max}),
    [](const testing::TestParamInfo<SheetRow>& info) { return info.param.name; });

} // namespace
