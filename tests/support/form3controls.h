#pragma once

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QWidget>

namespace testutil {

// The adjustment dialog's controls, found by their names as a user's script
// or an accessibility tool would: the dialog hands out nothing of its own.
struct Form3Controls
{
    explicit Form3Controls(const QWidget& form)
        : TrackBar1(Find<QSlider>(form, "TrackBar1")), TrackBar2(Find<QSlider>(form, "TrackBar2")),
          Edit1(Find<QLineEdit>(form, "Edit1")), Edit2(Find<QLineEdit>(form, "Edit2")),
          Button1(Find<QPushButton>(form, "Button1")), Button2(Find<QPushButton>(form, "Button2")),
          Button3(Find<QPushButton>(form, "Button3")), Image1(Find<QLabel>(form, "Image1")),
          Label2(Find<QLabel>(form, "Label2")), Label7(Find<QLabel>(form, "Label7")),
          Label8(Find<QLabel>(form, "Label8")), Label9(Find<QLabel>(form, "Label9")),
          Shape1(Find<QFrame>(form, "Shape1"))
    {}

    QSlider* TrackBar1;
    QSlider* TrackBar2;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QLabel* Image1;
    QLabel* Label2;
    QLabel* Label7;
    QLabel* Label8;
    QLabel* Label9;
    QFrame* Shape1;

private:
    template <typename T> static T* Find(const QWidget& form, const char* name)
    {
        return form.findChild<T*>(QString::fromLatin1(name));
    }
};

} // namespace testutil
