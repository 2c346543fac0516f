#include "enterkey.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace resources {

EnterKey::EnterKey(QObject* parent) : QObject(parent) {}

void EnterKey::Install(QWidget* window)
{
    auto* filter = new EnterKey(window);
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        button->installEventFilter(filter);
}

bool EnterKey::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
        (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return QObject::eventFilter(watched, event);
    // Sent again as Space, through the button's other filters (the print
    // buttons' guard against a held key sees it as Space too).
    QKeyEvent space(key->type(), Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "),
                    key->isAutoRepeat(), key->count());
    space.setTimestamp(key->timestamp());
    QCoreApplication::sendEvent(watched, &space);
    event->setAccepted(space.isAccepted());
    return true;
}

} // namespace resources
