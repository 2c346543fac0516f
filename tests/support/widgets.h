#pragma once
// What the tests do to the windows as a user does: find a control by its name
// or a button by its caption, click, and type into an edit box.

#include <QLineEdit>
#include <QPushButton>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <ostream>

namespace testutil {

// The form's control of that name, as a user's script or an accessibility
// tool finds it; nullptr when there is none of that type.
template <typename T = QWidget> T* Child(const QWidget* form, const char* name)
{
    return form->findChild<T*>(QString::fromLatin1(name));
}

// The text of the form's edit box of that name; "<missing>" without one.
QString EditText(const QWidget* form, const char* name);

// What a label, a button or an edit box shows.
QString Caption(const QWidget* widget);

// A row of a window's layout table: a control by name, its class, where it
// stands, its caption (nullptr: none), its font's pixel size and weight; and,
// where the window has them, whether the face is "MS UI Gothic" instead of
// the window's own and whether a label wraps its text.
struct ControlRow
{
    const char* name;
    const char* className;
    QRect geometry;
    const char* text;
    int pixelSize;
    bool bold;
    bool uiGothic = false;
    bool wordWrap = false;
};

// Names the row in test listings.
void PrintTo(const ControlRow& row, std::ostream* os);

// The form's control that the row names, checked to be of the row's class
// and to sit directly on the form; nullptr without one.
QWidget* RowControl(const QWidget* form, const ControlRow& row);

// The names of the widgets the Tab key visits, in its order, from start
// round to the widget before it.
QStringList TabChain(const QWidget* start);

QPushButton* ButtonCaptioned(const QWidget* form, const QString& caption);

// Clicks the button with that caption. Without one the test fails and the
// window is closed, so that a modal loop waiting for the click still ends.
bool Click(QWidget* form, const QString& caption);
void Click(QAbstractButton* button);

// Replaces the edit box's text by typing: a click into it, select all,
// delete, then the text key by key. Text beyond Latin-1 (full-width digits)
// arrives as an input method commits it. Fails the test if the box does not
// end up holding the text, its full-width digits, point and minus in ASCII as
// the numeric boxes show them.
void TypeText(QLineEdit* edit, const QString& text);

} // namespace testutil
