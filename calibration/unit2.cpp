// The measurement dialog (TForm2, unit Unit2): its buttons and its look.
#include "unit2.h"

#include <QKeyEvent>
#include <algorithm>
#include <array>
#include <string>

#include "calibrationsequence.h"
#include "conversions.h"
#include "handlerguard.h"
#include "numberedit.h"
#include "sheetjobs.h"
#include "windowplacement.h"

namespace calibration {

TForm2* Form2 = nullptr;
model::TMeasureState MeasureState;

namespace {

QString NumberText(double value)
{
    return QString::fromLatin1(core::FloatToStr(value));
}

} // namespace

TForm2::TForm2(core::TPrintAdjustment& adjustment, QWidget* parent)
    : QDialog(parent), m_adjustment(adjustment)
{
    m_ui.setupUi(this);
    resources::SetUpDialog(this);
    ApplyColours();
    FitLabels();
    for (QLineEdit* edit : {m_ui.Edit1, m_ui.Edit2, m_ui.Edit3, m_ui.Edit4})
        SetUpNumberEdit(edit);
    m_ui.Button1->setFocus();

    connect(m_ui.Button1, &QPushButton::clicked, this, Guard(this, &TForm2::Button1Click));
    connect(m_ui.Button2, &QPushButton::clicked, this, Guard(this, &TForm2::Button2Click));
    connect(m_ui.Button3, &QPushButton::clicked, this, Guard(this, &TForm2::Button3Click));
    connect(m_ui.Button4, &QPushButton::clicked, this, Guard(this, &TForm2::Button4Click));

    FormCreate();
}

TForm2::~TForm2() = default;

void TForm2::ApplyColours()
{
    // The done button stands out in blue.
    QPalette palette = m_ui.Button3->palette();
    palette.setColor(QPalette::ButtonText, Qt::blue);
    m_ui.Button3->setPalette(palette);
}

// The designed label sizes are those of their texts in the designed faces. A
// substitute face that needs more room gets it to the right and below, as an
// auto-sized label would, instead of having its text cut off; no label
// becomes smaller than designed.
void TForm2::FitLabels()
{
    for (QLabel* label : findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        QSize size = label->size();
        if (label->wordWrap())
            size.setHeight(std::max(size.height(), label->heightForWidth(size.width())));
        else
            size = size.expandedTo(label->sizeHint());
        label->resize(size);
    }
}

void TForm2::showEvent(QShowEvent* event)
{
    // Centred on the screen at every showing by the program (not when the
    // window manager restores it).
    if (!event->spontaneous())
        resources::CentreOnScreen(this);
    QDialog::showEvent(event);
}

void TForm2::keyPressEvent(QKeyEvent* event)
{
    // Past QDialog: Escape must not cancel and Enter must not press a button.
    // Only the buttons and the close box end the dialog.
    QWidget::keyPressEvent(event);
}

void TForm2::FormCreate()
{
    m_ui.Edit1->setText(NumberText(m_adjustment.MeasuredX));
    m_ui.Edit2->setText(NumberText(m_adjustment.MeasuredY));
    m_ui.Edit3->setText(NumberText(m_adjustment.MeasuredA));
    m_ui.Edit4->setText(NumberText(m_adjustment.MeasuredB));
}

void TForm2::TakeEditLengths(model::FloorStep floor)
{
    QLineEdit* const edits[] = {m_ui.Edit1, m_ui.Edit2, m_ui.Edit3, m_ui.Edit4};
    model::LengthTexts texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = edits[i]->text().toStdString();
    const model::AcceptedLengths accepted =
        model::TakeLengths(texts, floor, MeasureState, m_adjustment);
    // Only a replaced length changes its box: the user's own text, "150.0"
    // say, stays as typed.
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (accepted.Replaced[i])
            edits[i]->setText(QString::fromStdString(accepted.Shown[i]));
    }
}

void TForm2::Button1Click()
{
    model::PrintMeasurementSheet(MeasureState);
}

void TForm2::Button2Click()
{
    TakeEditLengths(model::TestPrintFloor);
    model::PrintTestSheet(MeasureState);
}

void TForm2::Button3Click()
{
    // Without a printer the query throws before anything is stored or handed
    // over.
    TakeEditLengths(model::DoneFloor);
    // A dialog made on its own has nobody listening.
    emit CorrectionsDerived(model::HandOver(MeasureState));
    accept();
}

void TForm2::Button4Click()
{
    reject();
}

} // namespace calibration
