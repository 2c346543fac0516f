// The pieces under the scan measurement: a line fitted through points with
// strays among them, and a dark line's centre on a profile across it.
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

#include "scanfit.h"
#include "scangrey.h"

namespace {

using calibration::model::CrossLine;
using calibration::model::FitLine;

struct FitRow
{
    const char* name;
    bool steep;
    double slope, intercept; // u = intercept + slope w
    int strays;              // points far off the line, every 10th
    std::size_t points;
    bool found;
};

void PrintTo(const FitRow& row, std::ostream* os)
{
    *os << row.name;
}

class LineFit : public ::testing::TestWithParam<FitRow>
{
};

TEST_P(LineFit, FindsTheLineThroughTheStrays)
{
    const FitRow& row = GetParam();
    std::vector<QPointF> points;
    for (std::size_t i = 0; i < row.points; ++i) {
        const double w = static_cast<double>(i) * 0.5;
        // A small even ripple, as of pixels, and the strays well off it.
        double u = row.intercept + row.slope * w + ((i % 2) != 0 ? 0.01 : -0.01);
        if (row.strays > 0 && i % 10 == 3 && static_cast<int>(i / 10) < row.strays)
            u += 1.5;
        points.push_back(row.steep ? QPointF(u, w) : QPointF(w, u));
    }
    const auto line = FitLine(points, row.steep, 30);
    ASSERT_EQ(line.has_value(), row.found);
    if (!line)
        return;
    // Where the line is at w = 0 and at w = 100, across it.
    for (double w : {0.0, 100.0}) {
        const QPointF on = row.steep ? QPointF(row.intercept + row.slope * w, w)
                                     : QPointF(w, row.intercept + row.slope * w);
        EXPECT_NEAR(line->Distance(on), 0, 0.002) << "at " << w;
    }
    EXPECT_NEAR(line->RmsMm, 0.01 / std::sqrt(1 + row.slope * row.slope), 0.002);
    EXPECT_EQ(static_cast<std::size_t>(line->Samples), row.points - row.strays);
}

INSTANTIATE_TEST_SUITE_P(Fits, LineFit,
                         ::testing::Values(FitRow{"Steep", true, 0.02, 10, 0, 400, true},
                                           FitRow{"Flat", false, -0.03, 150, 0, 400, true},
                                           FitRow{"StraysLeftOut", true, 0.01, 100, 12, 400, true},
                                           FitRow{"TooFewPoints", false, 0, 10, 0, 20, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// A dark line on paper as a scanner takes it, blurred by its optics and
// averaged over each pixel's area: its centre comes out wherever it falls
// between pixel centres, to a hundredth of a pixel.
TEST(LineCentre, AtAnyPhaseOfThePixels)
{
    constexpr double Sigma = 0.8; // the blur, in pixels
    for (double centre : {20.0, 20.25, 20.5, 20.8}) {
        for (double width : {0.4, 2.0}) {
            std::vector<double> profile(40);
            for (int k = 0; k < 40; ++k) {
                // Sample k covers [k - 0.5, k + 0.5): integrated finely.
                double ink = 0;
                constexpr int Steps = 200;
                for (int s = 0; s < Steps; ++s) {
                    const double x = k - 0.5 + (s + 0.5) / Steps;
                    const double a = (x - centre + width / 2) / (Sigma * std::sqrt(2.0));
                    const double b = (x - centre - width / 2) / (Sigma * std::sqrt(2.0));
                    ink += (std::erf(a) - std::erf(b)) / 2 / Steps;
                }
                profile[k] = 240 - 200 * ink;
            }
            const auto found = CrossLine(profile, 21, 8, 4, 10);
            SCOPED_TRACE(testing::Message() << "centre " << centre << ", width " << width);
            ASSERT_TRUE(found);
            EXPECT_NEAR(found->Position, centre, 0.01);
            EXPECT_FALSE(found->Doubled);
        }
    }
}

TEST(LineCentre, TwoLinesAreDoubledAndPaperIsNone)
{
    std::vector<double> doubled(40, 240), blank(40, 240);
    doubled[18] = doubled[23] = 60;
    const auto two = CrossLine(doubled, 20, 8, 3, 10);
    ASSERT_TRUE(two);
    EXPECT_TRUE(two->Doubled);
    blank[20] = 236; // below the least depth
    EXPECT_FALSE(CrossLine(blank, 20, 8, 3, 10));
}

} // namespace
