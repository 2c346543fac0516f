#pragma once
// Modal windows met while a test runs a dialog's or a message box's exec():
// each new one handed to the test, and message boxes read and closed.

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace testutil {

// Looks for a modal window while the event loops run and hands each new one
// to handle, which must close it; it runs from the nested event loop of that
// window's exec(). A window counts as new to each watcher once: a window
// shown again is met again only by a watcher made after it was handled.
class ModalWatcher
{
public:
    // Every modal window that comes up while the watcher lives.
    explicit ModalWatcher(std::function<void(QWidget*)> handle);
    // Only the modal windows isIt accepts, one of which the test waits for:
    // if none has come up ten seconds on, the test fails and whatever modal
    // window is up is closed, so that the test ends.
    ModalWatcher(std::function<bool(QWidget*)> isIt, std::function<void(QWidget*)> handle);
    // That window only, as above.
    ModalWatcher(QWidget* window, std::function<void(QWidget*)> handle);
    ModalWatcher(const ModalWatcher&) = delete;
    ModalWatcher& operator=(const ModalWatcher&) = delete;

    int Count() const { return m_count; }

private:
    void Look();

    std::function<bool(QWidget*)> m_isIt; // empty: any window
    std::function<void(QWidget*)> m_handle;
    // A mark on the window itself, of this watcher's own: the next box may be
    // made at the same address as the last one.
    QByteArray m_mark;
    QElapsedTimer m_waiting; // valid while the window waited for has not come
    QTimer m_timer;
    int m_count = 0;
};

// Whether w is a message box.
bool IsMessageBox(QWidget* w);

// What a message box showed.
struct BoxSeen
{
    QString Title;
    QString Text;
    int Icon = -1;
    int ButtonCount = 0;
    QString ButtonText;
    bool OkButton = false;
};
// Reads the message box w, then presses its button.
BoxSeen ReadAndCloseBox(QWidget* w);

} // namespace testutil
