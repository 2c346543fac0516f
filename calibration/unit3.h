#pragma once
// The adjustment dialog (TForm3, unit Unit3): the four corrections on track
// bars and edit boxes over a page diagram; OK stores them.

#include <QDialog>
#include <QString>

#include "adjustmentrules.h"
#include "printadjustment.h"
#include "ui_unit3.h"

namespace calibration {

class TForm2;

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
    // "調整値の測定": asks for the measurement dialog (MeasurementRequested),
    // which start-up has wired to show it modally.
    void Button3Click();

    // Puts corrections handed over by the measurement dialog into the
    // controls, set like the user's own changes so that the change handlers
    // update the labels and the diagram.
    void ShowDerived(const model::ControlValues& values);
    // Wires the measurement dialog to this one, as start-up does for the
    // program's two: "調整値の測定" shows it modally, its done button's
    // corrections come back through ShowDerived.
    void ConnectMeasurement(TForm2& measurement);

    // The warning box for an invalid entry: caption "警告", the warning icon,
    // text and one "OK" button, centred on the screen. Returns when closed.
    static void ShowWarning(const QString& text);

signals:
    // "調整値の測定" was pressed: the measurement dialog is wanted, modally.
    void MeasurementRequested();

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
