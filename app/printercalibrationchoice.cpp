#include "printercalibrationchoice.h"

#include <QAbstractButton>
#include <QMessageBox>

#include "askbox.h"
#include "device.h"
#include "exception.h"
#include "outputwriteerror.h"
#include "printercalibrations.h"
#include "printpress.h"
#include "queuefacts.h"
#include "settingsfile.h"
#include "tprinter.h"

namespace app {

namespace {

// The queue the next job prints on: the one chosen, else the default one
// (the printer object finds it only when it first prints). Empty when there
// is none, and for printing to a file, which keeps the one settings file as
// the command line's file printer does.
std::string PrinterInUse()
{
    std::string key;
    if (const surface::Device* device = surface::PrinterObject()->CurrentDevice()) {
        key = settings::PrinterKey(device->Name());
    } else {
        try {
            key = settings::PrinterKey(surface::ListPrinters().Default);
        } catch (const core::EPrinter&) {
        }
    }
    return key == settings::FilePrinterKey ? std::string() : key;
}

QString Shown(const std::string& key)
{
    return QString::fromLocal8Bit(key);
}

} // namespace

void PrinterCalibrationChoice::Load(QWidget* window, core::TPrintAdjustment& adjustment)
{
    const std::string key = PrinterInUse();
    if (key.empty()) {
        settings::LoadSettings(adjustment);
        m_loaded = false;
        m_key.clear();
        return;
    }
    LoadFor(window, key, adjustment);
}

void PrinterCalibrationChoice::Follow(QWidget* window, core::TPrintAdjustment& adjustment)
{
    const std::string key = PrinterInUse();
    if (!key.empty() && (!m_loaded || key != m_key))
        LoadFor(window, key, adjustment);
}

void PrinterCalibrationChoice::LoadFor(QWidget* window, const std::string& key,
                                       core::TPrintAdjustment& adjustment)
{
    const settings::PrinterCalibrationLoad load = settings::LoadPrinterCalibration(key, adjustment);
    m_key = key;
    m_loaded = true;
    m_calibrated = load.Source != settings::PrinterCalibrationSource::None;
    if (load.Source != settings::PrinterCalibrationSource::Adopted)
        return;
    QMessageBox box(
        QMessageBox::Information, QString::fromUtf8("情報"),
        QString::fromUtf8("これまでの誤差調整（%1）を、プリンタ %2 の誤差調整として"
                          "引き継ぎました。\n以後、誤差調整はプリンタごとに保存されます。")
            .arg(QString::fromLocal8Bit(load.Path), Shown(key)),
        QMessageBox::Ok, window);
    box.setObjectName(QStringLiteral("adoptedCalibration"));
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.exec();
}

bool PrinterCalibrationChoice::ConfirmPrint(QWidget* window, core::TPrintAdjustment& adjustment)
{
    Follow(window, adjustment);
    if (PrinterInUse().empty() || !m_loaded || m_calibrated || m_asked.contains(m_key))
        return true;
    const int answer = resources::Ask(
        window, QMessageBox::Question, QString::fromUtf8("確認"),
        QString::fromUtf8("プリンタ %1 には誤差調整がありません。\n"
                          "補正なしで印刷しますか？（キャンセルして「誤差調整」で"
                          "調整できます）")
            .arg(Shown(m_key)),
        {{QString::fromUtf8("補正なしで印刷"), QMessageBox::AcceptRole, "printUncorrected"},
         {QString::fromUtf8("キャンセル"), QMessageBox::RejectRole, "cancel"}},
        "uncalibratedPrinter");
    calibration::PrintPress::Answered();
    if (answer != 0)
        return false;
    m_asked.insert(m_key);
    return true;
}

bool PrinterCalibrationChoice::Store(const core::TPrintAdjustment& adjustment)
{
    // Confirmed while printing to a file: kept in ocrprn2.ini by 終 了 only.
    if (!m_loaded || PrinterInUse() != m_key)
        return false;
    std::string reason;
    std::string path;
    if (!settings::SavePrinterCalibration(m_key, adjustment, &reason, &path))
        throw core::Exception(surface::OutputWriteMessage(path, reason));
    m_calibrated = true;
    return true;
}

} // namespace app
