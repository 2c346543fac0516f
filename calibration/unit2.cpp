#include "unit2.h"

#include "conversions.h"

namespace calibration {

TForm2* Form2 = nullptr;

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
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    FormCreate();
}

TForm2::~TForm2() = default;

void TForm2::FormCreate()
{
    m_ui.Edit1->setText(NumberText(m_adjustment.MeasuredX));
    m_ui.Edit2->setText(NumberText(m_adjustment.MeasuredY));
    m_ui.Edit3->setText(NumberText(m_adjustment.MeasuredA));
    m_ui.Edit4->setText(NumberText(m_adjustment.MeasuredB));
}

} // namespace calibration
