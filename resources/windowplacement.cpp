#include "windowplacement.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>

#include "enterkey.h"
#include "pixelfonts.h"

namespace resources {

void SetUpDialog(QWidget* dialog)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    ApplyWindowLook(dialog);
}

void SetFixedWindowFrame(QWidget* window)
{
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint);
}

void ApplyWindowLook(QWidget* window)
{
    window->setBackgroundRole(QPalette::Button);
    ApplyPixelFonts(window);
    EnterKey::Install(window);
}

void CentreOnScreen(QWidget* window)
{
    if (const QScreen* screen = window->screen())
        window->move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter,
                                         window->frameGeometry().size(),
                                         screen->availableGeometry())
                         .topLeft());
}

} // namespace resources
