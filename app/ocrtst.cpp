// The main window (TForm1, unit Ocrtst): the four buttons and the settings at start and exit.
#include "ocrtst.h"
#include "askbox.h"

#include <QCloseEvent>
#include <QMessageBox>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <memory>

#include "escape.h"
#include "exception.h"
#include "outputwriteerror.h"
#include "printcheck.h"
#include "printerdevice.h"
#include "printererror.h"
#include "printpress.h"
#include "printtofile.h"
#include "qprintersetup.h"
#include "queuefacts.h"
#include "settingsfile.h"
#include "tapplication.h"
#include "tprinter.h"
#include "unit3.h"
#include "version.h"
#include "windowplacement.h"

namespace app {

TForm1* Form1 = nullptr;

TForm1::TForm1(QWidget* parent) : QWidget(parent)
{
    m_ui.setupUi(this);
    setWindowTitle(QString::fromUtf8(core::MainWindowCaption));
    resources::SetFixedWindowFrame(this);
    setFixedSize(589, 298);
    resources::ApplyWindowLook(this);
    m_ui.Button1->setFocus();

    calibration::PrintPress::Connect(m_ui.Button1, [this] { Button1Click(); });
    connect(m_ui.Button2, &QPushButton::clicked, this,
            TApplication::Guard(this, &TForm1::Button2Click));
    connect(m_ui.Button3, &QPushButton::clicked, this,
            TApplication::Guard(this, &TForm1::Button3Click));
    connect(m_ui.Button4, &QPushButton::clicked, this,
            TApplication::Guard(this, &TForm1::Button4Click));

    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::showEvent(QShowEvent* event)
{
    // Centred on the screen the first time only; the user may move it later.
    if (!m_placed) {
        m_placed = true;
        resources::CentreOnScreen(this);
        // Once, over the window, as soon as the run's events are handled.
        if (!m_settings.Notice().isEmpty())
            QTimer::singleShot(0, this, &TForm1::ShowLoadNotice);
    }
    QWidget::showEvent(event);
}

void TForm1::ShowLoadNotice()
{
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(core::ProgramTitle),
                    m_settings.Notice(), QMessageBox::Ok, this);
    box.exec();
}

void TForm1::FormCreate()
{
    m_settings.Load(PrintAdjustment);
    m_calibration.Load(this, PrintAdjustment);
    m_settings.Rebase(PrintAdjustment);
}

void TForm1::Button1Click()
{
    RunDeclarationJob();
}

void TForm1::RunDeclarationJob()
{
    // The data file is judged before anything is sent; the printer values and
    // the clamped corrections are kept in PrintAdjustment either way.
    if (!m_calibration.ConfirmPrint(this, PrintAdjustment))
        return;
    PrintCheck(this, PrintAdjustment).Run();
}

void TForm1::Button2Click()
{
    // A file that was not loaded holds a calibration of its own: it stays
    // unless there is something to save and the user says to replace it.
    if (m_settings.KeepsFile()) {
        const Answer answer =
            m_settings.Changed(PrintAdjustment) ? AskToSave() : Answer::EndWithoutSaving;
        if (answer == Answer::Cancel)
            return;
        if (answer == Answer::EndWithoutSaving) {
            m_ending = true;
            close();
            return;
        }
    }
    // A failed save keeps the window open, so that the user can make room or
    // put the directory right and press again; the calibration is not lost.
    if (!Save())
        return;
    m_ending = true;
    close();
}

bool TForm1::Save()
{
    try {
        // The printer's own file and ocrprn2.ini; a file that was not loaded
        // only here, where the user said to replace it.
        if (!m_calibration.Store(PrintAdjustment) || m_settings.KeepsFile()) {
            std::string reason;
            if (!settings::SaveSettings(PrintAdjustment, &reason))
                throw core::Exception(
                    surface::OutputWriteMessage(settings::SettingsFilePath(), reason));
        }
    } catch (const core::Exception& e) {
        TApplication::HandleException(e);
        return false;
    }
    return true;
}

TForm1::Answer TForm1::AskToSave()
{
    const QString text =
        m_settings.KeepsFile()
            ? QStringLiteral(
                  "調整値が変更されています。\n保存すると、読み込まなかった %1 を置き換えます。")
                  .arg(QString::fromStdString(core::EscapeControlChars(m_settings.KeptFile())))
            : QStringLiteral("調整値が変更されています。保存しますか?");
    switch (resources::Ask(this, QMessageBox::Question, QString::fromUtf8(core::ProgramTitle), text,
                           {{QStringLiteral("保存して終了"), QMessageBox::AcceptRole},
                            {QStringLiteral("保存しないで終了"), QMessageBox::DestructiveRole},
                            {QStringLiteral("キャンセル"), QMessageBox::RejectRole}})) {
    case 0:
        return Answer::SaveAndEnd;
    case 1:
        return Answer::EndWithoutSaving;
    default:
        return Answer::Cancel;
    }
}

void TForm1::closeEvent(QCloseEvent* event)
{
    if (m_ending || !m_settings.Changed(PrintAdjustment)) {
        QWidget::closeEvent(event);
        return;
    }
    switch (AskToSave()) {
    case Answer::SaveAndEnd:
        if (!Save()) {
            event->ignore();
            return;
        }
        break;
    case Answer::EndWithoutSaving:
        break;
    case Answer::Cancel:
        event->ignore();
        return;
    }
    m_ending = true;
    QWidget::closeEvent(event);
}

void TForm1::Button3Click()
{
    surface::TPrinter* printer = surface::PrinterObject();
    // The dialog opens on the printer in use; before the first choice on the
    // default printer, and where CUPS names none, on the first queue, so that
    // a queue that exists can be chosen. With no queue at all it still offers
    // printing to a file.
    surface::PrinterSetup current;
    if (auto* device = dynamic_cast<surface::PrinterDevice*>(printer->CurrentDevice()))
        current = device->Setup();
    else if (const std::string first = surface::FirstChoicePrinter(); !first.empty())
        current = surface::PrinterDevice(first).Setup();
    // The dialog works on a QPrinter of its own; only the choice it confirms
    // reaches the print surface.
    QPrinter chosen(QPrinter::HighResolution);
    SetUpQPrinter(current, chosen);
    QPrintDialog dialog(&chosen, this);
    if (current.Printer.empty() && !dialog.testOption(QAbstractPrintDialog::PrintToFile))
        surface::ThrowPrinterError(surface::MsgNoDefaultPrinter);
    LabelAsChoosing(dialog);
    ShowPrintToFile(dialog, current.OutputFile);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const surface::PrinterSetup setup = SetupFromQPrinter(chosen, current);
    // A refused file leaves the printer in use as it was.
    RefusePrintToFileOntoInputs(setup.OutputFile);
    printer->SetDevice(std::make_unique<surface::PrinterDevice>(setup));
    m_calibration.Follow(this, PrintAdjustment);
    m_settings.Rebase(PrintAdjustment);
    if (setup.Orientation == QPageLayout::Landscape)
        QMessageBox::information(this, windowTitle(), QString::fromUtf8(LandscapeNote));
}

void TForm1::Button4Click()
{
    if (calibration::Form3->exec() == QDialog::Accepted && m_calibration.Store(PrintAdjustment))
        m_settings.Rebase(PrintAdjustment);
}

} // namespace app
