#include "unit3.h"

#include <algorithm>

#include "conversions.h"
#include "dots.h"

namespace calibration {

TForm3* Form3 = nullptr;

TForm3::TForm3(core::TPrintAdjustment& adjustment, QWidget* parent)
    : QDialog(parent), m_adjustment(adjustment)
{
    m_ui.setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    FormCreate();
}

TForm3::~TForm3() = default;

int TForm3::TrackPosition(double scale)
{
    // TruncToInt32 saturates, so a wild value from the file cannot overflow.
    const std::int32_t position = core::TruncToInt32(static_cast<long double>(scale) * 2 + 20);
    return std::clamp<std::int32_t>(position, 0, 40);
}

void TForm3::FormCreate()
{
    m_ui.TrackBar1->setValue(TrackPosition(m_adjustment.HorzScale));
    m_ui.TrackBar2->setValue(TrackPosition(m_adjustment.VertScale));
    m_ui.Edit1->setText(QString::fromLatin1(core::FloatToStr(m_adjustment.HorzOffset)));
    m_ui.Edit2->setText(QString::fromLatin1(core::FloatToStr(m_adjustment.VertOffset)));
}

} // namespace calibration
