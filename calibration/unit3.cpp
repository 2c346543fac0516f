// The adjustment dialog (TForm3, unit Unit3): its controls, the page diagram and OK.
#include "unit3.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <algorithm>
#include <string>

#include "conversions.h"
#include "cp932.h"
#include "dots.h"
#include "handlerguard.h"
#include "numberedit.h"
#include "readablecolour.h"
#include "resources.h"
#include "unit2.h"
#include "windowplacement.h"

namespace calibration {

TForm3* Form3 = nullptr;

namespace {

// The edit boxes hold Unicode; the conversions read code page 932 bytes. The
// boxes have already turned full-width digits into ASCII (numberedit.h).
std::string Cp932Text(const QLineEdit* edit)
{
    return core::EncodeCp932(edit->text().toStdString());
}

// The diagram's edge for a position correction: one pixel per millimetre, at
// most five either way from the design position.
bool DiagramEdge(const QLineEdit* edit, int design, int& edge)
{
    double v = 0;
    if (!core::TryStrToFloat(Cp932Text(edit), v))
        return false;
    if (v <= -5)
        v = -5;
    else if (v >= 5)
        v = 5;
    edge = core::TruncToInt32(static_cast<long double>(design) + v);
    return true;
}

// The track bar's offset from its centre as the label shows it, and the label
// widened or narrowed to its text with its left edge in place.
void ShowOffset(QLabel* label, int offset)
{
    label->setText(QString::number(offset));
    label->resize(label->fontMetrics().horizontalAdvance(label->text()), label->height());
}

} // namespace

TForm3::TForm3(core::TPrintAdjustment& adjustment, QWidget* parent)
    : QDialog(parent), m_adjustment(adjustment)
{
    resources::Initialize(); // the page diagram
    m_ui.setupUi(this);
    resources::SetUpDialog(this);
    ApplyLook();
    SetUpNumberEdit(m_ui.Edit1);
    SetUpNumberEdit(m_ui.Edit2);
    ConnectHandlers();
    m_ui.Edit1->setFocus();
    FormCreate();
}

TForm3::~TForm3() = default;

void TForm3::ApplyLook()
{
    // The face that stands in for the Windows one runs wider here and there
    // ("(mm)"): a one-line label is never narrower than its text.
    for (QLabel* label : {m_ui.Label1, m_ui.Label8, m_ui.Label9, m_ui.Label3, m_ui.Label4,
                          m_ui.Label5, m_ui.Label6}) {
        const int text = label->fontMetrics().horizontalAdvance(label->text());
        label->resize(std::max(label->width(), text), label->height());
    }

    // A label paints with the role that contrasts with its background, the
    // dialog's button face here (button text): the note names its own role so
    // that its red is what the user sees.
    // On a dark face the red is lighter, to be read.
    QPalette note = m_ui.Label7->palette();
    note.setColor(QPalette::WindowText,
                  resources::ReadableOn(QColor(255, 0, 0), note.color(QPalette::Button)));
    m_ui.Label7->setPalette(note);
    m_ui.Label7->setForegroundRole(QPalette::WindowText);

    // The style draws the ticks a shade darker than the window colour: on a
    // dark face they would vanish, so there they are shaded from the text's.
    for (QSlider* track : {m_ui.TrackBar1, m_ui.TrackBar2}) {
        QPalette palette = track->palette();
        if (resources::IsDark(palette.color(QPalette::Button))) {
            palette.setColor(QPalette::Window, palette.color(QPalette::WindowText));
            track->setPalette(palette);
        }
    }

    // The sheet of paper under the diagram.
    QPalette paper = m_ui.Shape1->palette();
    paper.setColor(QPalette::Window, Qt::white);
    paper.setColor(QPalette::WindowText, Qt::black);
    m_ui.Shape1->setPalette(paper);
    m_ui.Shape1->setBackgroundRole(QPalette::Window);
    m_ui.Shape1->setAutoFillBackground(true);
    m_ui.Shape1->setLineWidth(1);
}

void TForm3::ConnectHandlers()
{
    connect(m_ui.TrackBar1, &QSlider::valueChanged, this, Guard(this, &TForm3::TrackBar1Change));
    connect(m_ui.TrackBar2, &QSlider::valueChanged, this, Guard(this, &TForm3::TrackBar2Change));
    // textChanged, not textEdited: the program's own changes move the diagram too.
    connect(m_ui.Edit1, &QLineEdit::textChanged, this, Guard(this, &TForm3::Edit1Change));
    connect(m_ui.Edit2, &QLineEdit::textChanged, this, Guard(this, &TForm3::Edit2Change));
    connect(m_ui.Button1, &QPushButton::clicked, this, Guard(this, &TForm3::Button1Click));
    connect(m_ui.Button2, &QPushButton::clicked, this, Guard(this, &TForm3::Button2Click));
    connect(m_ui.Button3, &QPushButton::clicked, this, Guard(this, &TForm3::Button3Click));
    // A label has no double-click signal.
    m_ui.Image1->installEventFilter(this);
}

void TForm3::LoadControls()
{
    ShowDerived(model::ControlsFor(m_adjustment.HorzScale, m_adjustment.VertScale,
                                   m_adjustment.HorzOffset, m_adjustment.VertOffset));
}

void TForm3::ShowDerived(const model::ControlValues& values)
{
    m_ui.TrackBar1->setValue(values.HorzTrack);
    m_ui.TrackBar2->setValue(values.VertTrack);
    m_ui.Edit1->setText(QString::fromLatin1(values.HorzOffsetText));
    m_ui.Edit2->setText(QString::fromLatin1(values.VertOffsetText));
}

void TForm3::ConnectMeasurement(TForm2& measurement)
{
    // exec() runs the measurement dialog's loop inside this handler: modal on
    // top of this dialog, its result not examined.
    connect(this, &TForm3::MeasurementRequested, &measurement, &TForm2::exec);
    connect(&measurement, &TForm2::CorrectionsDerived, this, &TForm3::ShowDerived);
}

void TForm3::FormCreate()
{
    LoadControls();
}

void TForm3::FormActivate()
{
    LoadControls();
}

void TForm3::TrackBar1Change()
{
    const int offset = m_ui.TrackBar1->value() - model::TrackCentre;
    ShowOffset(m_ui.Label8, offset);
    m_ui.Image1->resize(160 + offset / 2, m_ui.Image1->height());
}

void TForm3::TrackBar2Change()
{
    const int offset = m_ui.TrackBar2->value() - model::TrackCentre;
    ShowOffset(m_ui.Label9, offset);
    m_ui.Image1->resize(m_ui.Image1->width(), 190 + offset / 2);
}

void TForm3::Edit1Change()
{
    int left = 0;
    if (DiagramEdge(m_ui.Edit1, 48, left))
        m_ui.Image1->move(left, m_ui.Image1->y());
}

void TForm3::Edit2Change()
{
    int top = 0;
    if (DiagramEdge(m_ui.Edit2, 96, top))
        m_ui.Image1->move(m_ui.Image1->x(), top);
}

void TForm3::Image1DblClick()
{
    m_ui.TrackBar1->setValue(model::TrackCentre);
    m_ui.TrackBar2->setValue(model::TrackCentre);
    m_ui.Edit1->setText(QStringLiteral("0"));
    m_ui.Edit2->setText(QStringLiteral("0"));
}

void TForm3::Button1Click()
{
    const model::ControlValues controls{m_ui.TrackBar1->value(), m_ui.TrackBar2->value(),
                                        Cp932Text(m_ui.Edit1), Cp932Text(m_ui.Edit2)};
    const model::OffsetCheck check = model::ConfirmAdjustment(controls, m_adjustment);
    if (check.Problem != model::OffsetProblem::None) {
        ShowWarning(QString::fromUtf8(model::OffsetWarningText(check.Problem)));
        return;
    }
    accept();
}

void TForm3::Button2Click()
{
    reject();
}

void TForm3::Button3Click()
{
    // Whatever the measurement dialog hands over arrives through ShowDerived.
    emit MeasurementRequested();
}

void TForm3::ShowWarning(const QString& text)
{
    // No parent: the box is centred on the screen, not on the dialog.
    QMessageBox box(QMessageBox::Warning, QStringLiteral("警告"), text, QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.exec();
}

void TForm3::showEvent(QShowEvent* event)
{
    // A showing by the program, not the window manager restoring a minimised
    // window: centre and reload. The measurement dialog on top never hides
    // this one, so its closing reloads nothing.
    if (!event->spontaneous()) {
        resources::CentreOnScreen(this);
        RunHandler([this] { FormActivate(); });
    }
    QDialog::showEvent(event);
}

void TForm3::keyPressEvent(QKeyEvent* event)
{
    // Escape is the cancel button. Enter in an edit box finds no default
    // button, as every button has autoDefault off.
    if (event->matches(QKeySequence::Cancel)) {
        m_ui.Button2->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TForm3::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui.Image1 && event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        RunHandler([this] { Image1DblClick(); });
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace calibration
