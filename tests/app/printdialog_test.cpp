// The printer setup button against a private CUPS scheduler: confirming the
// dialog makes the chosen printer the program's printer, cancelling changes
// nothing.
#include <QApplication>
#include <QComboBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTest>

#include "apptest.h"
#include "cupsfixture.h"
#include "device.h"
#include "ocrtst.h"
#include "printerdevice.h"
#include "tprinter.h"

namespace {

using apptest::ModalWatcher;

class PrintDialogTest : public cupstest::CupsTest
{
protected:
    void SetUp() override
    {
        cupstest::CupsTest::SetUp();
        if (IsSkipped())
            return;
        QApplication::setQuitOnLastWindowClosed(false);
        m_application.Title = apptest::ProgramTitle();
        surface::PrinterObject()->SetDevice(nullptr);
        m_form = std::make_unique<app::TForm1>();
        m_form->show();
    }

    void TearDown() override
    {
        m_form.reset();
        if (!IsSkipped())
            surface::PrinterObject()->SetDevice(nullptr);
    }

    // Presses "プリンタ設定" and lets act handle the print dialog.
    void RunPrinterSetup(const std::function<void(QPrintDialog*)>& act)
    {
        ModalWatcher watcher([&](QWidget* w) {
            auto* dialog = qobject_cast<QPrintDialog*>(w);
            if (!dialog) {
                ADD_FAILURE() << "not the print dialog: " << w->metaObject()->className();
                w->close();
                return;
            }
            ++m_dialogs;
            act(dialog);
        });
        QTest::mouseClick(m_form->findChild<QPushButton*>("Button3"), Qt::LeftButton);
    }

    static surface::PrinterDevice* Current()
    {
        return dynamic_cast<surface::PrinterDevice*>(surface::PrinterObject()->CurrentDevice());
    }

    testutil::TempDir m_dir;
    apptest::ScopedEnv m_tmpdir{"TMPDIR", m_dir.Path()};
    app::TApplication m_application;
    std::unique_ptr<app::TForm1> m_form;
    int m_dialogs = 0;
};

TEST_F(PrintDialogTest, CancelLeavesThePrinterUnchosen)
{
    RunPrinterSetup([](QPrintDialog* dialog) { dialog->reject(); });
    EXPECT_EQ(m_dialogs, 1);
    EXPECT_EQ(surface::PrinterObject()->CurrentDevice(), nullptr);
}

TEST_F(PrintDialogTest, ConfirmingMakesTheDefaultPrinterCurrent)
{
    RunPrinterSetup([](QPrintDialog* dialog) {
        EXPECT_EQ(dialog->printer()->printerName(), "ocrtest");
        dialog->accept();
    });
    ASSERT_EQ(m_dialogs, 1);
    ASSERT_NE(Current(), nullptr);
    EXPECT_EQ(Current()->Name(), "ocrtest");
    EXPECT_EQ(Current()->Caps().DpiX, 600);
}

TEST_F(PrintDialogTest, ConfirmingAnotherPrinterMakesItCurrent)
{
    RunPrinterSetup([](QPrintDialog* dialog) {
        QComboBox* printers = nullptr;
        for (QComboBox* combo : dialog->findChildren<QComboBox*>()) {
            if (combo->findText("ocr300") >= 0)
                printers = combo;
        }
        if (!printers) {
            ADD_FAILURE() << "no printer list in the dialog";
            dialog->reject();
            return;
        }
        printers->setCurrentIndex(printers->findText("ocr300"));
        dialog->accept();
    });
    ASSERT_NE(Current(), nullptr);
    EXPECT_EQ(Current()->Name(), "ocr300");
    EXPECT_EQ(Current()->Caps().DpiX, 300);
}

TEST_F(PrintDialogTest, TheNextDialogWorksOnTheChosenPrinter)
{
    RunPrinterSetup([](QPrintDialog* dialog) { dialog->accept(); });
    surface::PrinterDevice* chosen = Current();
    ASSERT_NE(chosen, nullptr);

    QString shown;
    RunPrinterSetup([&](QPrintDialog* dialog) {
        shown = dialog->printer()->printerName();
        dialog->reject();
    });
    EXPECT_EQ(m_dialogs, 2);
    EXPECT_EQ(shown.toStdString(), chosen->Setup().Printer);
    EXPECT_EQ(Current(), chosen); // cancelled: the same device, untouched
}

} // namespace
