#pragma once
// The measurement dialog (TForm2, unit Unit2): prints the measurement sheet,
// takes the four lengths measured on it and derives the corrections.

#include <QDialog>
#include <QImage>
#include <QMessageBox>
#include <functional>
#include <string>

#include "adjustmentrules.h"
#include "measurestate.h"
#include "printadjustment.h"
#include "ui_unit2.h"

class QDragEnterEvent;
class QDropEvent;
class QKeyEvent;
class QShowEvent;

namespace calibration {

// The printer error measurement dialog: the user prints the measurement sheet,
// types the four lengths measured on it, optionally prints the adjusted test
// sheet, and the done button hands the derived corrections to the adjustment
// dialog. Created once at start-up, after the main window has loaded the
// corrections, and shown modally from the adjustment dialog.
class TForm2 : public QDialog
{
    Q_OBJECT

public:
    // adjustment is the main window's PrintAdjustment; it outlives the dialog.
    explicit TForm2(core::TPrintAdjustment& adjustment, QWidget* parent = nullptr);
    ~TForm2() override;

    // Fills the edit boxes with the measured lengths; runs once, at creation.
    void FormCreate();
    // "測定用紙の印刷": the measurement sheet, without correction.
    void Button1Click();
    // "テスト印刷": accepts the lengths, derives the corrections to 0.01 mm and
    // prints the adjusted test sheet; the dialog stays open.
    void Button2Click();
    // "設定完了": accepts the lengths, derives the corrections to 0.1 mm, hands
    // them over (CorrectionsDerived) and closes.
    void Button3Click();
    // "キャンセル": closes; nothing is checked or stored.
    void Button4Click();
    // A scan of the printed sheet dropped onto the dialog: the four boxes get
    // the lengths measured on it, to 0.1 mm as a user types them, and the
    // dialog says the skew (or why the scan cannot be measured) in a box of
    // its own. The buttons then work on them as on typed lengths.
    void DropScan(const QString& path);

    // Reads the first page of a PDF scan with its resolution, or says why it
    // cannot. The PDF reader is print/'s, below which this dialog stands, so
    // start-up hands it in; without one a PDF scan is refused.
    using PdfScanReader =
        std::function<std::string(const std::string& path, QImage& page, double& dpi)>;
    void SetPdfScanReader(PdfScanReader reader) { m_pdfScanReader = std::move(reader); }

signals:
    // The done button's corrections, as the adjustment dialog's controls
    // show them. The corrections reach PrintAdjustment only through that
    // dialog's OK.
    void CorrectionsDerived(const calibration::model::ControlValues& values);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void ApplyColours();
    void FitLabels();
    // The buttons' steps from the four boxes to the derived corrections;
    // whether a length was replaced (its box now shows the nominal length).
    bool TakeEditLengths(model::FloorStep floor);
    void Say(QMessageBox::Icon icon, const QString& text);

    Ui::TForm2 m_ui;
    core::TPrintAdjustment& m_adjustment;
    PdfScanReader m_pdfScanReader;
};

// The program's measurement dialog while it exists.
extern TForm2* Form2;

// The printer values and derived corrections of the dialog's three buttons.
extern model::TMeasureState MeasureState;

} // namespace calibration
