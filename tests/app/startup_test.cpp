// Start-up: the main window loads the settings file before the two dialogs are
// created, and both dialogs copy the loaded values while they are created.
#include <QApplication>
#include <QFontInfo>
#include <QPointer>
#include <QSlider>

#include "app_fixture.h"
#include "ocrtst.h"
#include "startup.h"
#include "unit2.h"
#include "unit3.h"
#include "widgets.h"

namespace {

using apptest::AppTest;

using testutil::EditText;

int TrackPosition(QWidget* form, const char* name)
{
    auto* slider = testutil::Child<QSlider>(form, name);
    return slider ? slider->value() : -1;
}

TEST_F(AppTest, DialogsSeeTheValuesTheMainWindowLoaded)
{
    // Distinctive values on every line: none of them is a default.
    testutil::WriteFileBytes(SettingsFile(),
                             "3.5\r\n-4.25\r\n-2.5\r\n7\r\n151.5\r\n199.25\r\n101\r\n149.5\r\n");
    auto windows = app::StartUp(m_application);
    ASSERT_NE(windows, nullptr);

    ASSERT_EQ(app::Form1, windows->Main.get());
    ASSERT_EQ(calibration::Form2, windows->Measurement.get());
    ASSERT_EQ(calibration::Form3, windows->Adjustment.get());
    EXPECT_EQ(m_application.Title, apptest::ProgramTitle());

    const core::TPrintAdjustment& a = app::Form1->PrintAdjustment;
    EXPECT_EQ(a.HorzOffset, 3.5);
    EXPECT_EQ(a.VertOffset, -4.25);
    EXPECT_EQ(a.VertScale, -2.5);
    EXPECT_EQ(a.HorzScale, 7);

    // The measurement dialog: the four measured lengths, in order.
    EXPECT_EQ(EditText(calibration::Form2, "Edit1"), "151.5");
    EXPECT_EQ(EditText(calibration::Form2, "Edit2"), "199.25");
    EXPECT_EQ(EditText(calibration::Form2, "Edit3"), "101");
    EXPECT_EQ(EditText(calibration::Form2, "Edit4"), "149.5");

    // The adjustment dialog: scale x 2 + 20 on the track bars, the offsets in
    // the edit boxes.
    EXPECT_EQ(TrackPosition(calibration::Form3, "TrackBar1"), 34);
    EXPECT_EQ(TrackPosition(calibration::Form3, "TrackBar2"), 15);
    EXPECT_EQ(EditText(calibration::Form3, "Edit1"), "3.5");
    EXPECT_EQ(EditText(calibration::Form3, "Edit2"), "-4.25");

    // Nothing is shown before the program shows its main window.
    EXPECT_FALSE(app::Form1->isVisible());
    EXPECT_FALSE(calibration::Form2->isVisible());
    EXPECT_FALSE(calibration::Form3->isVisible());
}

// The program's own start: the main window is on the screen before the two
// dialogs are made, which still copy what it loaded and stay hidden; every
// window has the icon.
TEST_F(AppTest, TheProgramShowsTheMainWindowBeforeTheDialogs)
{
    testutil::WriteFileBytes(SettingsFile(),
                             "3.5\r\n-4.25\r\n-2.5\r\n7\r\n151.5\r\n199.25\r\n101\r\n149.5\r\n");
    auto windows = app::StartUp(m_application, app::ShowMainWindow::BeforeTheDialogs);
    EXPECT_TRUE(app::Form1->isVisible());
    EXPECT_FALSE(calibration::Form2->isVisible());
    EXPECT_FALSE(calibration::Form3->isVisible());
    EXPECT_EQ(EditText(calibration::Form2, "Edit1"), "151.5");
    EXPECT_EQ(TrackPosition(calibration::Form3, "TrackBar1"), 34);
    EXPECT_EQ(EditText(calibration::Form3, "Edit2"), "-4.25");
    for (QWidget* window :
         {static_cast<QWidget*>(app::Form1), static_cast<QWidget*>(calibration::Form2),
          static_cast<QWidget*>(calibration::Form3)}) {
        const QList<QSize> sizes = window->windowIcon().availableSizes();
        EXPECT_TRUE(sizes.contains(QSize(48, 48)) && sizes.contains(QSize(256, 256)))
            << window->objectName().toStdString();
    }
}

TEST_F(AppTest, WithoutASettingsFileTheDialogsShowTheDefaults)
{
    auto windows = app::StartUp(m_application);
    EXPECT_EQ(EditText(calibration::Form2, "Edit1"), "150");
    EXPECT_EQ(EditText(calibration::Form2, "Edit2"), "200");
    EXPECT_EQ(EditText(calibration::Form2, "Edit3"), "100");
    EXPECT_EQ(EditText(calibration::Form2, "Edit4"), "150");
    EXPECT_EQ(TrackPosition(calibration::Form3, "TrackBar1"), 20);
    EXPECT_EQ(TrackPosition(calibration::Form3, "TrackBar2"), 20);
    EXPECT_EQ(EditText(calibration::Form3, "Edit1"), "0");
    EXPECT_EQ(EditText(calibration::Form3, "Edit2"), "0");
}

TEST_F(AppTest, TheWindowsLeaveInReverseOrderAndTheReferencesAreCleared)
{
    auto windows = app::StartUp(m_application);
    QPointer<QWidget> main = app::Form1;
    QPointer<QWidget> measurement = calibration::Form2;
    QPointer<QWidget> adjustment = calibration::Form3;
    windows.reset();
    EXPECT_TRUE(main.isNull());
    EXPECT_TRUE(measurement.isNull());
    EXPECT_TRUE(adjustment.isNull());
    EXPECT_EQ(app::Form1, nullptr);
    EXPECT_EQ(calibration::Form2, nullptr);
    EXPECT_EQ(calibration::Form3, nullptr);
}

TEST_F(AppTest, StartUpInstallsTheJapaneseFaces)
{
    auto windows = app::StartUp(m_application);
    const QStringList faces = QFont::substitutes(QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_TRUE(faces.contains(QStringLiteral("IPAPGothic"), Qt::CaseInsensitive))
        << faces.join(',').toStdString();
    // The face the main window's texts are really drawn in.
    for (const char* name : {"msgLabel", "Button1", "Label2"}) {
        SCOPED_TRACE(name);
        auto* widget = app::Form1->findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(QFontInfo(widget->font()).family(), QStringLiteral("IPAPGothic"));
    }
}

} // namespace
