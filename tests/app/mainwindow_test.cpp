// The main window as the user sees it: every control's place, caption and
// font read back from the live widgets, the tab order, the first focus, and
// what the four buttons and the title bar's close do.
#include <QAbstractButton>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "app_fixture.h"
#include "device.h"
#include "ocrtst.h"
#include "startup.h"
#include "tprinter.h"
#include "unit3.h"
#include "widgets.h"

namespace {

using apptest::AppTest;
using testutil::ControlRow;
using testutil::ModalWatcher;

const QString Gothic = QStringLiteral("ＭＳ Ｐゴシック");

const ControlRow Controls[] = {
    {"Bevel1", "QFrame", {24, 24, 537, 49}, nullptr, 12, false},
    {"msgLabel",
     "QLabel",
     {40, 40, 494, 15},
     "OCR申告書の印刷を行います。用紙をセットして「印刷」ボタンを押してください。",
     15,
     false},
    {"Label2",
     "QLabel",
     {40, 96, 260, 13},
     "※ 必要に応じて、以下の設定を行ってください。",
     13,
     false},
    {"Button3", "QPushButton", {32, 128, 113, 33}, "プリンタ設定", 15, false},
    {"Label1",
     "QLabel",
     {168, 136, 288, 15},
     "使用するプリンタの選択や、給紙の設定をする",
     15,
     false},
    {"Button4", "QPushButton", {32, 176, 113, 33}, "誤差調整", 15, false},
    {"Label6", "QLabel", {168, 184, 143, 15}, "印刷のずれを調整する", 15, false},
    {"Button1", "QPushButton", {128, 236, 177, 33}, "印 刷", 16, true},
    {"Button2", "QPushButton", {320, 236, 177, 33}, "終 了", 16, false},
};

class MainWindowControls : public AppTest, public ::testing::WithParamInterface<ControlRow>
{
};

TEST_P(MainWindowControls, MatchTheLayout)
{
    const ControlRow& row = GetParam();
    app::TForm1 form;
    QWidget* widget = testutil::RowControl(&form, row);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->geometry(), row.geometry);
    if (row.text) {
        EXPECT_EQ(testutil::Caption(widget).toStdString(), row.text);
    }
    EXPECT_EQ(widget->font().family(), Gothic);
    EXPECT_EQ(widget->font().pixelSize(), row.pixelSize);
    EXPECT_EQ(widget->font().bold(), row.bold);
    EXPECT_FALSE(widget->font().italic());
    // Only the buttons take the focus.
    const bool tabStop = (widget->focusPolicy() & Qt::TabFocus) != 0;
    EXPECT_EQ(tabStop, qobject_cast<QPushButton*>(widget) != nullptr);
}

INSTANTIATE_TEST_SUITE_P(TForm1, MainWindowControls, ::testing::ValuesIn(Controls),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AppTest, MainWindowIsAFixedFramedWindow)
{
    app::TForm1 form;
    EXPECT_EQ(form.objectName(), "TForm1");
    EXPECT_EQ(form.windowTitle(), QStringLiteral("OCR印刷 R3.2"));
    EXPECT_EQ(form.size(), QSize(589, 298));
    EXPECT_EQ(form.minimumSize(), QSize(589, 298));
    EXPECT_EQ(form.maximumSize(), QSize(589, 298));
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(form.font().family(), Gothic);
    EXPECT_EQ(form.font().pixelSize(), 12);
    EXPECT_FALSE(form.font().bold());
    EXPECT_TRUE(form.autoFillBackground());
    EXPECT_EQ(form.backgroundRole(), QPalette::Button);

    auto* bevel = form.findChild<QFrame*>("Bevel1");
    ASSERT_NE(bevel, nullptr);
    EXPECT_EQ(bevel->frameShape(), QFrame::Box);
    EXPECT_NE(bevel->frameShadow(), QFrame::Plain);
}

TEST_F(AppTest, TabOrderRunsThroughTheFourButtons)
{
    app::TForm1 form;
    // The chain of widgets that take the focus by Tab, starting at Button1.
    QWidget* start = form.findChild<QWidget*>("Button1");
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(testutil::TabChain(start), (QStringList{"Button1", "Button2", "Button3", "Button4"}));
}

TEST_F(AppTest, ButtonOneHasTheFocusAndTabMovesIt)
{
    app::TForm1 form;
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "Button1");

    QStringList visited;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited, (QStringList{"Button2", "Button3", "Button4", "Button1"}));
}

TEST_F(AppTest, MainWindowIsCentredWhenFirstShown)
{
    app::TForm1 form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QRect screen = form.screen()->availableGeometry();
    const QRect frame = form.frameGeometry();
    EXPECT_LE(std::abs(frame.center().x() - screen.center().x()), 1) << frame.x();
    EXPECT_LE(std::abs(frame.center().y() - screen.center().y()), 1) << frame.y();
}

TEST_F(AppTest, FormCreateLoadsTheSettingsFile)
{
    testutil::WriteFileBytes(SettingsFile(), "1.5\r\n-2\r\n3\r\n-4\r\n");
    app::TForm1 form;
    EXPECT_EQ(form.PrintAdjustment.HorzOffset, 1.5);
    EXPECT_EQ(form.PrintAdjustment.VertOffset, -2);
    EXPECT_EQ(form.PrintAdjustment.VertScale, 3);
    EXPECT_EQ(form.PrintAdjustment.HorzScale, -4);
    EXPECT_EQ(form.PrintAdjustment.MeasuredX, 150);
    EXPECT_EQ(form.PrintAdjustment.MeasuredB, 150);
    EXPECT_EQ(form.PrintAdjustment.PrinterDpiX, 300);
}

TEST_F(AppTest, ButtonTwoSavesAndCloses)
{
    app::TForm1 form;
    form.show();
    form.PrintAdjustment.HorzScale = 2.5;
    form.PrintAdjustment.VertScale = -1;
    form.PrintAdjustment.HorzOffset = 35; // saved as it is; limiting is the print job's
    QTest::mouseClick(form.findChild<QPushButton*>("Button2"), Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(testutil::ReadFileBytes(SettingsFile()),
              "35\r\n0\r\n-1\r\n2.5\r\n150\r\n200\r\n100\r\n150\r\n");
}

TEST_F(AppTest, ButtonTwoKeepsTheWindowOpenWhenTheFileCannotBeWritten)
{
    std::filesystem::create_directory(SettingsFile()); // in the way of the file
    app::TForm1 form;
    form.show();
    form.PrintAdjustment.HorzOffset = 7;
    QString text;
    {
        ModalWatcher watcher([&text](QWidget* w) {
            if (auto* box = qobject_cast<QMessageBox*>(w))
                text = box->text();
            w->close();
        });
        QTest::mouseClick(form.findChild<QPushButton*>("Button2"), Qt::LeftButton);
        QTest::qWait(50);
        // The start-up notice of the directory in the way, then the error box.
        EXPECT_EQ(watcher.Count(), 2);
    }
    EXPECT_TRUE(text.startsWith(QString::fromStdString(SettingsFile() + " に書き込めません: ")))
        << text.toStdString();
    EXPECT_GT(text.size(), QString::fromStdString(SettingsFile() + " に書き込めません: ").size())
        << "the reason is named";
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(std::filesystem::is_directory(SettingsFile()));

    // The cause removed, a second press saves and closes.
    std::filesystem::remove(SettingsFile());
    QTest::mouseClick(form.findChild<QPushButton*>("Button2"), Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(testutil::ReadFileBytes(SettingsFile()),
              "7\r\n0\r\n0\r\n0\r\n150\r\n200\r\n100\r\n150\r\n");
}

TEST_F(AppTest, ClosingThroughTheTitleBarDoesNotSave)
{
    const std::string old = "1\r\n2\r\n3\r\n4\r\n";
    testutil::WriteFileBytes(SettingsFile(), old);
    {
        app::TForm1 form;
        form.show();
        // Nothing changed: nothing to ask (a change asks first).
        EXPECT_TRUE(form.close());
        EXPECT_FALSE(form.isVisible());
    }
    EXPECT_EQ(testutil::ReadFileBytes(SettingsFile()), old);
}

TEST_F(AppTest, ClosingThroughTheTitleBarCreatesNoFile)
{
    {
        app::TForm1 form;
        form.show();
        form.close();
    }
    EXPECT_FALSE(std::filesystem::exists(SettingsFile()));
}

TEST_F(AppTest, ButtonFourShowsTheAdjustmentDialogModally)
{
    auto windows = app::StartUp(m_application);
    app::Form1->show();
    QWidget* seen = nullptr;
    bool modal = false;
    ModalWatcher watcher([&](QWidget* w) {
        seen = w;
        modal = w->isModal() && w->isVisible();
        calibration::Form3->reject();
    });
    QTest::mouseClick(app::Form1->findChild<QPushButton*>("Button4"), Qt::LeftButton);
    EXPECT_EQ(seen, calibration::Form3);
    EXPECT_TRUE(modal);
    EXPECT_EQ(watcher.Count(), 1);
    EXPECT_FALSE(calibration::Form3->isVisible());
    // The main window is still up and working.
    EXPECT_TRUE(app::Form1->isVisible());
}

// Without any printer a file can still be printed to: the dialog opens on
// that, where it used to refuse with "デフォルト プリンタが存在しません".
TEST_F(AppTest, ButtonThreeWithoutAPrinterOffersPrintingToAFile)
{
    // A scheduler that is not there: no printer, so no default printer either.
    testutil::ScopedEnv cups("CUPS_SERVER", Dir().File("no-cupsd.sock"));
    app::TForm1 form;
    form.show();
    const QString file = QString::fromStdString(Dir().File("chosen.pdf"));
    std::vector<std::string> shown;
    bool toFile = false;
    ModalWatcher watcher([&](QWidget* w) {
        shown.push_back(w->metaObject()->className());
        auto* dialog = qobject_cast<QPrintDialog*>(w);
        if (!dialog) {
            w->close();
            return;
        }
        toFile = dialog->printer()->outputFormat() == QPrinter::PdfFormat;
        if (auto* name = dialog->findChild<QLineEdit*>("filename"))
            name->setText(file);
        dialog->accept();
    });
    QTest::mouseClick(form.findChild<QPushButton*>("Button3"), Qt::LeftButton);
    ASSERT_EQ(shown, std::vector<std::string>{"QPrintDialog"});
    EXPECT_TRUE(toFile);
    surface::Device* chosen = surface::PrinterObject()->CurrentDevice();
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(chosen->Name(), "file:" + file.toStdString());
    EXPECT_GT(chosen->Caps().DpiX, 0);
    surface::PrinterObject()->SetDevice(nullptr);
    EXPECT_TRUE(form.isVisible());
}

} // namespace
