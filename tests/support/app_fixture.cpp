#include "app_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <cstdlib>

namespace apptest {

ModalWatcher::ModalWatcher(std::function<void(QWidget*)> handle) : m_handle(std::move(handle))
{
    m_timer.setInterval(10);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
        // A mark on the widget itself: the next box may be made at the same
        // address as the last one.
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal->property("apptest-seen").toBool())
            return;
        modal->setProperty("apptest-seen", true);
        ++m_count;
        m_handle(modal);
    });
    m_timer.start();
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

QString ProgramTitle()
{
    return QStringLiteral("Kavenor OCR印刷 R3.2");
}

AppTest::AppTest() : m_tmpdir("TMPDIR", m_dir.Path())
{
    // The tests close main windows without running the program's loop; the
    // default would quit the loop of the next dialog they open.
    QApplication::setQuitOnLastWindowClosed(false);
    m_application.Title = ProgramTitle();
}

AppTest::~AppTest() = default;

} // namespace apptest
