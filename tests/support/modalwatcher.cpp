#include "modalwatcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

#include <gtest/gtest.h>

namespace testutil {

namespace {

constexpr int WaitLimitMs = 10000;

QByteArray NextMark()
{
    static int watchers = 0;
    return "modalwatcher-seen-" + QByteArray::number(++watchers);
}

} // namespace

ModalWatcher::ModalWatcher(std::function<void(QWidget*)> handle)
    : m_handle(std::move(handle)), m_mark(NextMark())
{
    m_timer.setInterval(10);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { Look(); });
    m_timer.start();
}

ModalWatcher::ModalWatcher(std::function<bool(QWidget*)> isIt, std::function<void(QWidget*)> handle)
    : ModalWatcher(std::move(handle))
{
    m_isIt = std::move(isIt);
    m_waiting.start();
}

ModalWatcher::ModalWatcher(QWidget* window, std::function<void(QWidget*)> handle)
    : ModalWatcher([window](QWidget* w) { return w == window; }, std::move(handle))
{}

void ModalWatcher::Look()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal->isVisible() && !modal->property(m_mark.constData()).toBool() &&
        (!m_isIt || m_isIt(modal))) {
        modal->setProperty(m_mark.constData(), true);
        m_waiting.invalidate();
        ++m_count;
        m_handle(modal);
        return;
    }
    if (m_waiting.isValid() && m_waiting.hasExpired(WaitLimitMs)) {
        m_waiting.invalidate();
        ADD_FAILURE() << "the expected modal window did not come up";
        if (modal)
            modal->close();
    }
}

bool IsMessageBox(QWidget* w)
{
    return qobject_cast<QMessageBox*>(w) != nullptr;
}

BoxSeen ReadAndCloseBox(QWidget* w)
{
    BoxSeen seen;
    auto* box = qobject_cast<QMessageBox*>(w);
    if (!box) {
        ADD_FAILURE() << "the modal window is not a message box: " << w->metaObject()->className();
        w->close();
        return seen;
    }
    seen.Title = box->windowTitle();
    seen.Text = box->text();
    seen.Icon = box->icon();
    const auto buttons = box->buttons();
    seen.ButtonCount = static_cast<int>(buttons.size());
    if (!buttons.isEmpty()) {
        seen.ButtonText = buttons.front()->text();
        seen.OkButton = box->standardButton(buttons.front()) == QMessageBox::Ok;
        buttons.front()->click();
    } else {
        box->close();
    }
    return seen;
}

} // namespace testutil
