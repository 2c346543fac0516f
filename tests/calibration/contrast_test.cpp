// The colours the layout gives (the blue done button, the red note) under the
// palette in use: as designed on a light one, lighter on a dark one until they
// read at 4.5:1 against the dialog's face, their hue kept; and the track bars'
// ticks stay visible.
#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <gtest/gtest.h>

#include "printadjustment.h"
#include "readablecolour.h"
#include "unit2.h"
#include "unit3.h"
#include "widgets.h"

namespace {

// A palette of the given face with text that contrasts, as a dark theme has.
QPalette PaletteWithFace(const QColor& face)
{
    QPalette palette = QApplication::style()->standardPalette();
    const bool dark = resources::RelativeLuminance(face) < 0.18;
    const QColor text = dark ? QColor(0xee, 0xee, 0xee) : Qt::black;
    for (const auto role : {QPalette::Window, QPalette::Button, QPalette::Base})
        palette.setColor(role, face);
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(role, text);
    return palette;
}

struct ColourRow
{
    const char* name;
    QColor face;   // the palette's window and button face; invalid: the style's own
    bool designed; // the colours stay as the layout gives them
};

void PrintTo(const ColourRow& row, std::ostream* os)
{
    *os << row.name;
}

class ColourTest : public ::testing::TestWithParam<ColourRow>
{
protected:
    void SetUp() override
    {
        m_saved = QApplication::palette();
        if (GetParam().face.isValid())
            QApplication::setPalette(PaletteWithFace(GetParam().face));
        else
            QApplication::setPalette(QApplication::style()->standardPalette());
    }
    void TearDown() override { QApplication::setPalette(m_saved); }

    QPalette m_saved;
    core::TPrintAdjustment m_adjustment;
};

// Each coloured text against its background: as designed, or readable with
// the designed hue.
void ExpectColour(const QColor& shown, const QColor& designed, const QColor& background,
                  bool asDesigned, const char* what)
{
    if (asDesigned) {
        EXPECT_EQ(shown.rgba(), designed.rgba()) << what;
        return;
    }
    EXPECT_GE(resources::ContrastRatio(shown, background), 4.5) << what;
    EXPECT_NEAR(shown.hslHueF(), designed.hslHueF(), 0.01) << what;
    EXPECT_GE(shown.lightness(), designed.lightness()) << what;
}

TEST_P(ColourTest, ColouredTextsReadAgainstTheFace)
{
    const ColourRow& row = GetParam();
    calibration::TForm2 measurement(m_adjustment);
    auto* done = testutil::Child<QPushButton>(&measurement, "Button3");
    ASSERT_NE(done, nullptr);
    ExpectColour(done->palette().color(QPalette::ButtonText), Qt::blue,
                 done->palette().color(QPalette::Button), row.designed, "設定完了");

    calibration::TForm3 adjustment(m_adjustment);
    auto* note = testutil::Child<QWidget>(&adjustment, "Label7");
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->foregroundRole(), QPalette::WindowText);
    ExpectColour(note->palette().color(QPalette::WindowText), QColor(255, 0, 0),
                 adjustment.palette().color(adjustment.backgroundRole()), row.designed, "※ note");
}

// The ticks are drawn in a colour that stands out from the face (3:1, what
// WCAG asks of a graphic), on dark faces too.
TEST_P(ColourTest, TrackBarTicksStayVisible)
{
    calibration::TForm3 adjustment(m_adjustment);
    adjustment.show();
    auto* track = testutil::Child<QSlider>(&adjustment, "TrackBar1");
    ASSERT_NE(track, nullptr);
    ASSERT_NE(track->tickPosition(), QSlider::NoTicks);
    const QImage picture = track->grab().toImage();
    const QColor face = adjustment.palette().color(adjustment.backgroundRole());
    // The ticks are the rows below (or above) the groove: the outermost rows
    // of the picture that hold anything other than the face.
    int visible = 0;
    for (int y = picture.height() - 6; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            visible += resources::ContrastRatio(picture.pixelColor(x, y), face) >= 3.0;
    EXPECT_GE(visible, track->maximum() / track->tickInterval());
}

INSTANTIATE_TEST_SUITE_P(
    Palettes, ColourTest,
    ::testing::Values(ColourRow{"StylesOwn", QColor(), true},
                      ColourRow{"LightGrey", QColor(0xef, 0xef, 0xef), true},
                      ColourRow{"White", QColor(Qt::white), true},
                      ColourRow{"DarkGrey", QColor(0x35, 0x35, 0x35), false},
                      ColourRow{"NearBlack", QColor(0x12, 0x12, 0x12), false},
                      ColourRow{"MidDarkGrey", QColor(0x5a, 0x5a, 0x5a), false},
                      ColourRow{"DarkBlue", QColor(0x1a, 0x23, 0x3a), false},
                      ColourRow{"DarkRed", QColor(0x40, 0x10, 0x10), false}),
    [](const ::testing::TestParamInfo<ColourRow>& info) { return std::string(info.param.name); });

TEST(ReadableOn, LeavesAColourThatAlreadyReads)
{
    const QColor yellow(255, 255, 0);
    EXPECT_EQ(resources::ReadableOn(yellow, QColor(0x20, 0x20, 0x20)).rgba(), yellow.rgba());
}

} // namespace
