// The adjustment dialog's track bar positions for a scale correction.
#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <string>

#include "adjustmentrules.h"

namespace {

struct TrackRow
{
    const char* name;
    double scale;
    int position;
};

void PrintTo(const TrackRow& row, std::ostream* os)
{
    *os << row.name;
}

class TrackPositionTable : public ::testing::TestWithParam<TrackRow>
{
};

TEST_P(TrackPositionTable, IsTruncatedAndKeptInRange)
{
    EXPECT_EQ(calibration::model::TrackPosition(GetParam().scale), GetParam().position);
}

INSTANTIATE_TEST_SUITE_P(
    AdjustmentDialog, TrackPositionTable,
    ::testing::Values(TrackRow{"Zero", 0, 20}, TrackRow{"HalfSteps", 2.5, 25},
                      TrackRow{"NegativeHalfSteps", -1, 18}, TrackRow{"Lowest", -10, 0},
                      TrackRow{"Highest", 10, 40},
                      // 17.4 and 22.6 truncate toward zero.
                      TrackRow{"NegativeFractionTruncates", -1.3, 17},
                      TrackRow{"PositiveFractionTruncates", 1.3, 22},
                      TrackRow{"AboveRangeIsForty", 30, 40}, TrackRow{"BelowRangeIsZero", -30, 0},
                      TrackRow{"JustBelowZeroIsZero", -10.4, 0},
                      TrackRow{"HugeValueIsForty", 1e300, 40},
                      TrackRow{"HugeNegativeIsZero", -1e300, 0},
                      TrackRow{"NotANumberIsZero", std::numeric_limits<double>::quiet_NaN(), 0}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
