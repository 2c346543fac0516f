#include "pixelfonts.h"

#include <QFont>
#include <QString>
#include <QWidget>

namespace resources {

void ApplyPixelFonts(QWidget* window, int basePixels, std::initializer_list<PixelFont> controls)
{
    QFont base = window->font();
    base.setPixelSize(basePixels);
    window->setFont(base);
    for (const PixelFont& control : controls) {
        QFont font = base;
        font.setPixelSize(control.Pixels);
        font.setBold(control.Bold);
        if (control.Family)
            font.setFamily(QString::fromUtf16(control.Family));
        control.Widget->setFont(font);
    }
}

} // namespace resources
