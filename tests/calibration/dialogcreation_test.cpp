// The two dialogs as start-up creates them: captions, sizes, and the values
// they copy out of the corrections while they are created.
#include <QSlider>

#include <gtest/gtest.h>

#include "unit2.h"
#include "unit3.h"
#include "widgets.h"

namespace {

using testutil::Child;
using testutil::EditText;

TEST(MeasurementDialog, CopiesTheMeasuredLengthsWhenCreated)
{
    core::TPrintAdjustment adjustment;
    adjustment.MeasuredX = 151.5;
    adjustment.MeasuredY = 0.1;
    adjustment.MeasuredA = -7.2;
    adjustment.MeasuredB = 1e-5;
    calibration::TForm2 form(adjustment);
    EXPECT_EQ(EditText(&form, "Edit1"), "151.5");
    EXPECT_EQ(EditText(&form, "Edit2"), "0.1");
    EXPECT_EQ(EditText(&form, "Edit3"), "-7.2");
    EXPECT_EQ(EditText(&form, "Edit4"), "1E-5");
    // Only read: the record is left as it was.
    EXPECT_EQ(adjustment.MeasuredX, 151.5);
}

TEST(MeasurementDialog, CaptionAndSize)
{
    core::TPrintAdjustment adjustment;
    calibration::TForm2 form(adjustment);
    EXPECT_EQ(form.objectName(), "TForm2");
    EXPECT_EQ(form.windowTitle(), QStringLiteral("プリンタ誤差測定"));
    EXPECT_EQ(form.size(), QSize(466, 450));
    EXPECT_TRUE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(form.font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(EditText(&form, "Edit1"), "150"); // the defaults
    EXPECT_EQ(EditText(&form, "Edit4"), "150");
}

TEST(AdjustmentDialog, LoadsTheCorrectionsWhenCreated)
{
    core::TPrintAdjustment adjustment;
    adjustment.HorzScale = 7;
    adjustment.VertScale = -2.5;
    adjustment.HorzOffset = 3.5;
    adjustment.VertOffset = -35; // loaded as it is; only OK checks the range
    calibration::TForm3 form(adjustment);
    ASSERT_NE(Child<QSlider>(&form, "TrackBar1"), nullptr);
    ASSERT_NE(Child<QSlider>(&form, "TrackBar2"), nullptr);
    EXPECT_EQ(Child<QSlider>(&form, "TrackBar1")->value(), 34);
    EXPECT_EQ(Child<QSlider>(&form, "TrackBar2")->value(), 15);
    EXPECT_EQ(EditText(&form, "Edit1"), "3.5");
    EXPECT_EQ(EditText(&form, "Edit2"), "-35");
}

TEST(AdjustmentDialog, CaptionSizeAndTrackBars)
{
    core::TPrintAdjustment adjustment;
    calibration::TForm3 form(adjustment);
    EXPECT_EQ(form.objectName(), "TForm3");
    EXPECT_EQ(form.windowTitle(), QStringLiteral("プリンタ誤差調整"));
    EXPECT_EQ(form.size(), QSize(446, 415));
    for (const char* name : {"TrackBar1", "TrackBar2"}) {
        SCOPED_TRACE(name);
        QSlider* slider = Child<QSlider>(&form, name);
        ASSERT_NE(slider, nullptr);
        EXPECT_EQ(slider->minimum(), 0);
        EXPECT_EQ(slider->maximum(), 40);
        EXPECT_EQ(slider->value(), 20);
        EXPECT_EQ(slider->tickInterval(), 1);
    }
    EXPECT_EQ(Child<QSlider>(&form, "TrackBar1")->orientation(), Qt::Horizontal);
    EXPECT_EQ(Child<QSlider>(&form, "TrackBar2")->orientation(), Qt::Vertical);
    // 0 at the top, 40 at the bottom.
    EXPECT_TRUE(Child<QSlider>(&form, "TrackBar2")->invertedAppearance());
    EXPECT_EQ(EditText(&form, "Edit1"), "0");
    EXPECT_EQ(EditText(&form, "Edit2"), "0");
}

} // namespace
