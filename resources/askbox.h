#pragma once
// A question box with buttons of its own.

#include <QMessageBox>
#include <QString>
#include <initializer_list>

namespace resources {

struct AskButton
{
    QString Text;
    QMessageBox::ButtonRole Role;
    const char* ObjectName = nullptr; // for the tests that press it
};

// Shows the box modally and returns the index of the button pressed. The
// button with RejectRole is the default and Esc's, so that Enter held over from
// the press that opened the box changes nothing; closing the box answers it.
int Ask(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
        std::initializer_list<AskButton> buttons, const char* boxName = nullptr);

} // namespace resources
