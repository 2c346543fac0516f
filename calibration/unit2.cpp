// The measurement dialog (TForm2, unit Unit2): its buttons and its look.
#include "unit2.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>
#include <algorithm>
#include <array>
#include <string>

#include "calibrationsequence.h"
#include "conversions.h"
#include "escape.h"
#include "handlerguard.h"
#include "numberedit.h"
#include "printpress.h"
#include "readablecolour.h"
#include "scanmeasure.h"
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
    setAcceptDrops(true);

    PrintPress::Connect(m_ui.Button1, [this] { Button1Click(); });
    PrintPress::Connect(m_ui.Button2, [this] { Button2Click(); });
    connect(m_ui.Button3, &QPushButton::clicked, this, Guard(this, &TForm2::Button3Click));
    connect(m_ui.Button4, &QPushButton::clicked, this, Guard(this, &TForm2::Button4Click));

    FormCreate();
}

TForm2::~TForm2() = default;

void TForm2::ApplyColours()
{
    // The done button stands out in blue, a lighter one on a dark face.
    QPalette palette = m_ui.Button3->palette();
    palette.setColor(QPalette::ButtonText,
                     resources::ReadableOn(Qt::blue, palette.color(QPalette::Button)));
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
    // Escape is the cancel button. Past QDialog: Enter in
    // an edit box presses no button (Enter on a button presses that one).
    if (event->matches(QKeySequence::Cancel)) {
        m_ui.Button4->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

namespace {

// The first local file of a drag, or an empty string.
QString DroppedFile(const QMimeData* mime)
{
    if (mime == nullptr)
        return {};
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile())
            return url.toLocalFile();
    return {};
}

} // namespace

void TForm2::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TForm2::dropEvent(QDropEvent* event)
{
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    DropScan(path);
}

void TForm2::Say(QMessageBox::Icon icon, const QString& text)
{
    // Not modal to the application: the dialog goes on as before.
    auto* box = new QMessageBox(icon, windowTitle(), text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->open();
}

// The window's own texts are Japanese, as the rest of it; what the
// measurement refuses a scan for is said in the model's words.
void TForm2::DropScan(const QString& dropped)
{
    // A file name reaches the box with its control bytes escaped, as in every
    // message of the program.
    const QString path =
        QString::fromStdString(core::EscapeControlChars(QFile::encodeName(dropped).toStdString()));
    QFile file(dropped);
    const bool opened = file.open(QIODevice::ReadOnly);
    std::string reason;
    QImage scan;
    std::optional<model::ScanSettings> settings;
    if (opened && file.peek(5) == "%PDF-") {
        double dpi = 0;
        reason = m_pdfScanReader
                     ? m_pdfScanReader(QFile::encodeName(dropped).toStdString(), scan, dpi)
                     : std::string("PDF");
        if (!reason.empty())
            scan = QImage();
        else
            settings = model::ScanSettings{dpi, dpi};
    } else if (opened) {
        scan = model::ReadScanImage(file, reason);
        if (!scan.isNull())
            settings = model::RecordedResolution(scan);
    }
    if (scan.isNull()) {
        Say(QMessageBox::Warning,
            QStringLiteral("%1: スキャンを読み込めません (%2)。PNG、JPEG、TIFF、PDF "
                           "のいずれかで保存してください。")
                .arg(path, reason.empty() ? file.errorString() : QString::fromStdString(reason)));
        return;
    }
    if (!settings) {
        Say(QMessageBox::Warning, QStringLiteral("%1: スキャンに解像度が記録されていません。PNG か "
                                                 "TIFF でスキャンし直してください。")
                                      .arg(path));
        return;
    }
    const model::ScanResult result = model::MeasureScan(scan, *settings);
    if (result.Problem != model::ScanProblem::None) {
        Say(QMessageBox::Warning,
            path + QStringLiteral(": ") + QString::fromStdString(model::ScanProblemText(result)));
        return;
    }
    const model::ScanMeasurement& m = result.Measurement;
    QLineEdit* const edits[] = {m_ui.Edit1, m_ui.Edit2, m_ui.Edit3, m_ui.Edit4};
    const double lengths[] = {m.X, m.Y, m.A, m.B};
    for (std::size_t i = 0; i < 4; ++i)
        edits[i]->setText(QString::number(lengths[i], 'f', 1));
    const std::string warning = model::CrookedFeedWarning(m);
    Say(warning.empty() ? QMessageBox::Information : QMessageBox::Warning,
        QStringLiteral("X %1  Y %2  A %3  B %4 mm、傾き %5°")
                .arg(m.X, 0, 'f', 2)
                .arg(m.Y, 0, 'f', 2)
                .arg(m.A, 0, 'f', 2)
                .arg(m.B, 0, 'f', 2)
                .arg(model::SkewText(m.SkewDegrees)) +
            (warning.empty() ? QString() : QStringLiteral("\n") + QString::fromStdString(warning)));
}

void TForm2::FormCreate()
{
    m_ui.Edit1->setText(NumberText(m_adjustment.MeasuredX));
    m_ui.Edit2->setText(NumberText(m_adjustment.MeasuredY));
    m_ui.Edit3->setText(NumberText(m_adjustment.MeasuredA));
    m_ui.Edit4->setText(NumberText(m_adjustment.MeasuredB));
}

bool TForm2::TakeEditLengths(model::FloorStep floor)
{
    QLineEdit* const edits[] = {m_ui.Edit1, m_ui.Edit2, m_ui.Edit3, m_ui.Edit4};
    model::LengthTexts texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = edits[i]->text().toStdString();
    const model::AcceptedLengths accepted =
        model::TakeLengths(texts, floor, MeasureState, m_adjustment);
    // Only a replaced length changes its box: the user's own text, "150.0"
    // say, stays as typed.
    // Painted at once, so that a replaced length is on the screen before
    // the sheet that uses it goes out.
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (accepted.Replaced[i]) {
            edits[i]->setText(QString::fromStdString(accepted.Shown[i]));
            edits[i]->repaint();
        }
    }
    return model::AnyReplaced(accepted);
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
