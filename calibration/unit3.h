#pragma once

#include <QDialog>

#include "printadjustment.h"
#include "ui_unit3.h"

namespace calibration {

// The printer error adjustment dialog: the two scale corrections on track bars
// and the two position corrections in edit boxes. Created once at start-up,
// after the main window has loaded the corrections, and shown modally from the
// main window.
class TForm3 : public QDialog
{
    Q_OBJECT

public:
    // adjustment is the main window's PrintAdjustment; it outlives the dialog.
    explicit TForm3(core::TPrintAdjustment& adjustment, QWidget* parent = nullptr);
    ~TForm3() override;

    // Loads the controls from the corrections.
    void FormCreate();

    // A scale correction as a track bar position: trunc(scale * 2 + 20), kept
    // within 0..40.
    static int TrackPosition(double scale);

    // The controls, which the measurement dialog sets directly when it hands
    // over the corrections it derived.
    Ui::TForm3& Controls() { return m_ui; }

private:
    Ui::TForm3 m_ui;
    core::TPrintAdjustment& m_adjustment;
};

// The program's adjustment dialog while it exists.
extern TForm3* Form3;

} // namespace calibration
