#pragma once
// The main window (TForm1, unit Ocrtst): prints the declaration, sets up the
// printer, opens the adjustment dialog, keeps the corrections.

#include <QWidget>

#include "loadedsettings.h"
#include "printadjustment.h"
#include "printercalibrationchoice.h"
#include "ui_ocrtst.h"

namespace app {

// The main window: one line of instructions and four buttons (print, exit,
// printer setup, error adjustment). It owns the printer correction state for
// the whole run; the dialogs and the print jobs work on its PrintAdjustment.
class TForm1 : public QWidget
{
    Q_OBJECT

public:
    // Builds the window and runs FormCreate, so the settings are loaded before
    // any other window exists.
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    core::TPrintAdjustment PrintAdjustment;

    // Defaults, then the calibration of the printer in use over them.
    void FormCreate();
    // "印 刷": prints the declaration.
    void Button1Click();
    // "終 了": saves the settings and closes the window; a failed save shows
    // the error box and the window stays. A file that was there but not
    // loaded is replaced only when the user says so (AskToSave).
    void Button2Click();
    // "プリンタ設定": the printer setup dialog; a confirmed choice becomes the
    // printer of the rest of the run.
    void Button3Click();
    // "誤差調整": the adjustment dialog, modally.
    void Button4Click();

    // The answers to the question before values that were not saved go.
    enum class Answer
    {
        SaveAndEnd,
        EndWithoutSaving,
        Cancel
    };
    // "保存して終了" / "保存しないで終了" / "キャンセル".
    Answer AskToSave();

protected:
    void showEvent(QShowEvent* event) override;
    // The close box ends without saving; after a change it asks first.
    void closeEvent(QCloseEvent* event) override;

private:
    void RunDeclarationJob();
    // Saves; a failure is shown in the error box and returns false.
    bool Save();
    void ShowLoadNotice();

    LoadedSettings m_settings;
    bool m_ending = false; // the run ends: the close asks nothing more

    Ui::TForm1 m_ui;
    bool m_placed = false;
    PrinterCalibrationChoice m_calibration; // whose calibration PrintAdjustment is
};

// The program's main window while it exists.
extern TForm1* Form1;

} // namespace app
