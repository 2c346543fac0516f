// The figure the measurement sheet and the test print draw.
#include <gtest/gtest.h>

#include "cp932.h"
#include "sheetfigure.h"

namespace {

TEST(SheetFigure, TwentySevenStepsFortyOnePoints)
{
    const auto& figure = calibration::model::SheetFigure();
    ASSERT_EQ(figure.size(), 27u);
    std::size_t points = 0;
    for (const auto& step : figure)
        points += step.Points.size();
    EXPECT_EQ(points, 41u);
    // Ideographic space, and an ASCII space after it in steps 10 and 23.
    EXPECT_EQ(core::EncodeCp932(figure[9].SheetText).substr(0, 3), "\x81\x40 ");
    EXPECT_EQ(core::EncodeCp932(figure[22].TestText).substr(0, 3), "\x81\x40 ");
}

} // namespace
