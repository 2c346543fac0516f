// The figure the measurement sheet and the test print draw.
#include <gtest/gtest.h>

#include "calibrationsequence.h"
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

// What the user measures is what the figure draws and what the lengths'
// rules take as nominal: X and Y the rectangle's width and height, A and B
// where the two lines through the cross mark run.
TEST(SheetFigure, DrawsTheNominalLengths)
{
    using calibration::model::LengthRules;
    using calibration::model::SheetStep;
    const auto& figure = calibration::model::SheetFigure();
    const SheetStep& rectangle = figure[1];
    ASSERT_EQ(rectangle.What, SheetStep::Rectangle);
    EXPECT_EQ(rectangle.Points[1].first - rectangle.Points[0].first, LengthRules[0].Nominal);
    EXPECT_EQ(rectangle.Points[1].second - rectangle.Points[0].second, LengthRules[1].Nominal);
    // The vertical line and the horizontal line, each with its arrowhead's tip
    // on the cross.
    const SheetStep& vertical = figure[11];
    const SheetStep& horizontal = figure[14];
    ASSERT_EQ(vertical.What, SheetStep::Polyline);
    ASSERT_EQ(horizontal.What, SheetStep::Polyline);
    EXPECT_EQ(vertical.Points[0].first, LengthRules[2].Nominal);
    EXPECT_EQ(vertical.Points[1].first, LengthRules[2].Nominal);
    EXPECT_EQ(horizontal.Points[0].second, LengthRules[3].Nominal);
    EXPECT_EQ(horizontal.Points[1].second, LengthRules[3].Nominal);
    for (const std::size_t tip : {12u, 15u}) {
        EXPECT_EQ(figure[tip].Points[1], std::make_pair(100, 150)) << tip;
    }
}

} // namespace
