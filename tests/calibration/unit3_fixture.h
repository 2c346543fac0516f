#pragma once

#include <QDialog>
#include <QScreen>
#include <QTimer>
#include <functional>
#include <vector>

#include "app_fixture.h"
#include "modalwatcher.h"
#include "unit3.h"
#include "widgets.h"

namespace form3test {

// The settings directory and the application object of the app tests, with
// the application prepared as start-up does it: the faces, the pictures and
// the dialogs' handlers running through the error guard.
class Form3Test : public apptest::AppTest
{
protected:
    Form3Test() { m_application.Initialize(); }
};

// Runs dialog.exec() and, once it is up, whileOpen(). A dialog still open
// afterwards is cancelled, so the test never hangs in it.
inline int ExecWith(QDialog& dialog, const std::function<void()>& whileOpen)
{
    QTimer::singleShot(0, &dialog, [&] {
        whileOpen();
        if (dialog.isVisible())
            dialog.reject();
    });
    return dialog.exec();
}

// A message box as it was shown, with where it stood.
struct Box
{
    testutil::BoxSeen Seen;
    QPoint Centre;
    QPoint ScreenCentre;
};

// Reads and closes every message box shown while it lives; other modal
// windows are left alone.
class BoxReader
{
public:
    BoxReader()
        : m_watcher([this](QWidget* w) {
              if (!testutil::IsMessageBox(w))
                  return;
              Box box;
              box.Centre = w->frameGeometry().center();
              box.ScreenCentre = w->screen()->availableGeometry().center();
              box.Seen = testutil::ReadAndCloseBox(w);
              Boxes.push_back(box);
          })
    {}
    std::vector<Box> Boxes;

private:
    testutil::ModalWatcher m_watcher;
};

} // namespace form3test
