#include "muldiv.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cstdint>
#include <limits>

namespace {

constexpr std::int32_t Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t Min = std::numeric_limits<std::int32_t>::min();

struct MulDivRow
{
    const char* name;
    std::int32_t a;
    std::int32_t b;
    std::int32_t c;
    std::int32_t expected;
};

// Names the row in test listings instead of dumping its bytes.
void PrintTo(const MulDivRow& row, std::ostream* os)
{
    *os << row.name;
}

class MulDivRows : public testing::TestWithParam<MulDivRow>
{
};

TEST_P(MulDivRows, Computes)
{
    const MulDivRow& row = GetParam();
    EXPECT_EQ(core::MulDiv(row.a, row.b, row.c), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MulDivRows,
    testing::Values(
        // Font sizes to device heights at common resolutions.
        MulDivRow{"Size12At600", 12, 600, 72, 100}, MulDivRow{"Size14At300", 14, 300, 72, 58},
        MulDivRow{"Size14At600", 14, 600, 72, 117}, MulDivRow{"Size9At300HalfUp", 9, 300, 72, 38},
        MulDivRow{"Size9At96", 9, 96, 72, 12}, MulDivRow{"Size10At96", 10, 96, 72, 13},
        MulDivRow{"NegativeHalfAwayFromZero", -9, 300, 72, -38},
        MulDivRow{"NegativeMultiplierHalf", 9, -300, 72, -38},
        MulDivRow{"BothNegativeHalf", -9, -300, 72, 38},
        MulDivRow{"NegativeDivisorHalf", 9, 300, -72, -38},
        MulDivRow{"AllNegativeHalf", -9, -300, -72, -38},
        MulDivRow{"BelowHalfRoundsDown", 1, 1, 3, 0}, MulDivRow{"AboveHalfRoundsUp", 2, 1, 3, 1},
        MulDivRow{"NegativeBelowHalf", -1, 1, 3, 0}, MulDivRow{"NegativeAboveHalf", -2, 1, 3, -1},
        MulDivRow{"ExactHalfOfOne", 1, 1, 2, 1}, MulDivRow{"NegativeExactHalfOfOne", -1, 1, 2, -1},
        MulDivRow{"HeightBackToPoints", -100, 72, 600, -12},
        MulDivRow{"ZeroProduct", 0, 300, 72, 0}, MulDivRow{"ZeroDivisor", 12, 600, 0, -1},
        MulDivRow{"ZeroDivisorZeroProduct", 0, 0, 0, -1},
        MulDivRow{"IntermediateBeyond32Bits", 100000, 100000, 100000, 100000},
        MulDivRow{"ResultMax", Max, 1, 1, Max}, MulDivRow{"ResultMinusMax", -Max, 1, 1, -Max},
        MulDivRow{"ResultMinIsOverflow", Min, 1, 1, -1}, MulDivRow{"ResultAboveMax", Max, 2, 1, -1},
        MulDivRow{"ResultBelowMinusMax", Max, -2, 1, -1},
        MulDivRow{"MinTimesMinOverMin", Min, Min, Min, -1},
        MulDivRow{"MinTimesMinusOneOverMinusOne", Min, -1, -1, -1},
        MulDivRow{"MinOverMinusOne", Min, 1, -1, -1},
        MulDivRow{"MinTimesMinOverMax", Min, Min, Max, -1},
        MulDivRow{"MinTimesMaxOverMin", Min, Max, Min, Max},
        MulDivRow{"MinOverTwoExact", Min, 1, 2, -1073741824},
        MulDivRow{"MinOverMinDivisor", Min, 1, Min, 1},
        MulDivRow{"MinDivisorHalfAwayFromZero", 3, 1 << 30, Min, -2},
        MulDivRow{"HugeQuotientFitsAfterDivision", Max, Max, Max, Max}),
    [](const testing::TestParamInfo<MulDivRow>& info) { return info.param.name; });

} // namespace
