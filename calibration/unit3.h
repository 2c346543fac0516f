#pragma once

#include <QDialog>
#include <QString>

#include "printadjustment.h"
#include "ui_unit3.h"

namespace calibration {

// The printer error adjustment dialog: the two scale corrections on track bars
// and the two position corrections in edit boxes, with a page diagram that
// stretches and shifts as they change. Created once at start-up, after the main
// window has loaded the corrections, and shown modally from the main window.
// Nothing reaches the corrections before OK.
class TForm3 : public QDialog
{
    Q_OBJECT

public:
    // adjustment is the main window's PrintAdjustment; it outlives the dialog.
    explicit TForm3(core::TPrintAdjustment& adjustment, QWidget* parent = nullptr);
    ~TForm3() override;

    // Both load the controls from the corrections: FormCreate once, at
    // creation; FormActivate each time the dialog is shown.
    void FormCreate();
    void FormActivate();

    // Relabel and resize the diagram.
    void TrackBar1Change();
    void TrackBar2Change();
    // Move the diagram; text that is not a number leaves it where it is.
    void Edit1Change();
    void Edit2Change();
    // Back to no correction, in the controls only.
    void Image1DblClick();
    // "Ｏ Ｋ": checks the position corrections, stores all four and closes.
    void Button1Click();
    // "キャンセル": closes without storing.
    void Button2Click();
    // "調整値の測定": the measurement dialog, modally.
    void Button3Click();

    // A scale correction as a track bar position: trunc(scale * 2 + 20), kept
    // within 0..40.
    static int TrackPosition(double scale);

    // The warning box for an invalid entry: caption "警告", the warning icon,
    // text and one "OK" button, centred on the screen. Returns when closed.
    static void ShowWarning(const QString& text);

    // The controls, which the measurement dialog sets directly when it hands
    // over the corrections it derived.
    Ui::TForm3& Controls() { return m_ui; }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyLook();
    void ConnectHandlers();
    void LoadControls();

    Ui::TForm3 m_ui;
    core::TPrintAdjustment& m_adjustment;
};

// The program's adjustment dialog while it exists.
extern TForm3* Form3;

} // namespace calibration
