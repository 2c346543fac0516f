#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>
#include <vector>

#include "app_fixture.h"
#include "unit3.h"

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

// Replaces the edit box's text key by key, as the user types it; characters
// beyond ASCII arrive as an input method delivers them.
inline void TypeText(QLineEdit* edit, const char* utf8)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    for (const QChar c : QString::fromUtf8(utf8)) {
        if (c.unicode() < 0x80)
            QTest::keyClick(edit, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// A message box as it was shown, with where it stood.
struct Box
{
    apptest::BoxSeen Seen;
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
              if (!qobject_cast<QMessageBox*>(w))
                  return;
              Box box;
              box.Centre = w->frameGeometry().center();
              box.ScreenCentre = w->screen()->availableGeometry().center();
              box.Seen = apptest::ReadAndCloseBox(w);
              Boxes.push_back(box);
          })
    {}
    std::vector<Box> Boxes;

private:
    apptest::ModalWatcher m_watcher;
};

} // namespace form3test
