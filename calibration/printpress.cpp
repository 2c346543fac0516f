#include "printpress.h"

#include <QAbstractButton>

#include <QGuiApplication>
#include <QKeyEvent>
#include <QStyleHints>
#include <utility>

#include "handlerguard.h"
#include "tprinter.h"

namespace calibration {

namespace {

// The press whose print is running.
PrintPress* g_running = nullptr;

} // namespace

PrintPress::PrintPress(QAbstractButton* button) : QObject(button)
{
    button->installEventFilter(this);
}

void PrintPress::Connect(QAbstractButton* button, std::function<void()> print)
{
    auto* press = new PrintPress(button);
    connect(button, &QAbstractButton::clicked, press, [press, print = std::move(print)] {
        RunHandler([press, &print] {
            // An open document is the printer's to refuse, with its message.
            const bool starts = !surface::PrinterObject()->Printing();
            if (starts) {
                if (press->WithinDoubleClick())
                    return;
                press->m_lastStart.start();
            }
            PrintPress* const outer = std::exchange(g_running, press);
            try {
                print();
                g_running = outer;
            } catch (...) {
                g_running = outer;
                // Nothing was printed, and the error box stood between this
                // press and the next: that one is a retry.
                if (starts)
                    press->m_lastStart.invalidate();
                throw;
            }
        });
    });
}

void PrintPress::Answered()
{
    if (g_running)
        g_running->m_lastStart.start();
}

bool PrintPress::WithinDoubleClick() const
{
    return m_lastStart.isValid() &&
           m_lastStart.elapsed() < QGuiApplication::styleHints()->mouseDoubleClickInterval();
}

bool PrintPress::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return QObject::eventFilter(watched, event);
    // Enter on a dialog's button clicks on every repeated key press.
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->isAutoRepeat())
        return true;
    // The X server repeats a held key as a release and a press at the same
    // moment, which is not always recognised as a repeat: no hand is that fast.
    if (event->type() == QEvent::KeyRelease) {
        m_releasedKey = key->key();
        m_releasedAt = key->timestamp();
        return QObject::eventFilter(watched, event);
    }
    if (key->key() == m_releasedKey && key->timestamp() - m_releasedAt <= 1)
        return true;
    return QObject::eventFilter(watched, event);
}

} // namespace calibration
