#include "pixelfonts.h"

#include <QFont>
#include <QString>
#include <QVariant>
#include <QWidget>

namespace resources {

void ApplyPixelFonts(QWidget* window)
{
    QFont base = window->font();
    base.setPixelSize(window->property("pixelHeight").toInt());
    window->setFont(base);
    for (QWidget* control : window->findChildren<QWidget*>()) {
        const QVariant pixels = control->property("pixelHeight");
        if (!pixels.isValid())
            continue;
        QFont font = base;
        font.setPixelSize(pixels.toInt());
        font.setBold(control->property("pixelBold").toBool());
        const QString family = control->property("pixelFamily").toString();
        if (!family.isEmpty())
            font.setFamily(family);
        control->setFont(font);
    }
}

} // namespace resources
