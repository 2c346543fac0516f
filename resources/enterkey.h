#pragma once

#include <QObject>

class QWidget;

namespace resources {

// Enter (Return or the keypad's) on a focused button presses it as Space
// does: down on the press, clicked on the release, a held key clicks once.
// A window's buttons get it from ApplyWindowLook().
class EnterKey : public QObject
{
public:
    // Every button of window, made so far.
    static void Install(QWidget* window);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit EnterKey(QObject* parent);
};

} // namespace resources
