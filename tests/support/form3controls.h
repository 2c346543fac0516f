#pragma once

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QWidget>

#include "widgets.h"

namespace testutil {

// The adjustment dialog's controls, found by their names as a user's script
// or an accessibility tool would: the dialog hands out nothing of its own.
struct Form3Controls
{
    explicit Form3Controls(const QWidget& form)
        : TrackBar1(Child<QSlider>(&form, "TrackBar1")),
          TrackBar2(Child<QSlider>(&form, "TrackBar2")), Edit1(Child<QLineEdit>(&form, "Edit1")),
          Edit2(Child<QLineEdit>(&form, "Edit2")), Button1(Child<QPushButton>(&form, "Button1")),
          Button2(Child<QPushButton>(&form, "Button2")),
          Button3(Child<QPushButton>(&form, "Button3")), Image1(Child<QLabel>(&form, "Image1")),
          Label2(Child<QLabel>(&form, "Label2")), Label7(Child<QLabel>(&form, "Label7")),
          Label8(Child<QLabel>(&form, "Label8")), Label9(Child<QLabel>(&form, "Label9")),
          Shape1(Child<QFrame>(&form, "Shape1"))
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
};

} // namespace testutil
