#include "printpress.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QStyleHints>

#include "handlerguard.h"
#include "tprinter.h"

namespace calibration {

namespace {

// When the last press that was let through came; invalid before the first.
QElapsedTimer g_lastStart;

bool WithinDoubleClick()
{
    return g_lastStart.isValid() &&
           g_lastStart.elapsed() < QGuiApplication::styleHints()->mouseDoubleClickInterval();
}

} // namespace

PrintPress::PrintPress(QAbstractButton* button) : QObject(button)
{
    button->installEventFilter(this);
}

void PrintPress::Connect(QAbstractButton* button, std::function<void()> print)
{
    new PrintPress(button);
    connect(button, &QAbstractButton::clicked, button, [print = std::move(print)] {
        RunHandler([&print] {
            // An open document is the printer's to refuse, with its message.
            const bool starts = !surface::PrinterObject()->Printing();
            if (starts) {
                if (WithinDoubleClick())
                    return;
                g_lastStart.start();
            }
            try {
                print();
            } catch (...) {
                // Nothing was printed, and the error box stood between this
                // press and the next: that one is a retry.
                if (starts)
                    g_lastStart.invalidate();
                throw;
            }
        });
    });
}

bool PrintPress::eventFilter(QObject* watched, QEvent* event)
{
    // Enter on a dialog's button clicks on every repeated key press.
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
        static_cast<QKeyEvent*>(event)->isAutoRepeat())
        return true;
    return QObject::eventFilter(watched, event);
}

} // namespace calibration
