#pragma once

#include <QDialog>

#include "printadjustment.h"
#include "ui_unit2.h"

namespace calibration {

// The printer error measurement dialog: the user types the four lengths
// measured on the printed measurement sheet. Created once at start-up, after
// the main window has loaded the corrections, and shown modally from the
// adjustment dialog.
class TForm2 : public QDialog
{
    Q_OBJECT

public:
    // adjustment is the main window's PrintAdjustment; it outlives the dialog.
    explicit TForm2(core::TPrintAdjustment& adjustment, QWidget* parent = nullptr);
    ~TForm2() override;

    // Fills the edit boxes with the measured lengths; runs once, at creation.
    void FormCreate();

private:
    Ui::TForm2 m_ui;
    core::TPrintAdjustment& m_adjustment;
};

// The program's measurement dialog while it exists.
extern TForm2* Form2;

} // namespace calibration
