#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <functional>

class QAbstractButton;

namespace calibration {

// The print buttons' one rule: a double-click prints one form. A press within
// the platform's double-click interval of the press that started a job is
// swallowed without a word, and a key held down on a focused button does not
// repeat the print. While a document is open the press goes through, so the
// printer refuses it as ever. Each button keeps its own last press.
class PrintPress : public QObject
{
public:
    // Connects button's clicks to print, run through RunHandler. The filter
    // lives as the button's child.
    static void Connect(QAbstractButton* button, std::function<void()> print);

    // A box the user answered during a press stands for that press: the
    // double-click interval starts again from the answer, so that the second
    // click of a double-click on the box's button starts no job. Does nothing
    // outside a press.
    static void Answered();

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit PrintPress(QAbstractButton* button);
    bool WithinDoubleClick() const;

    // When the last press that started a job came; invalid before the first.
    QElapsedTimer m_lastStart;
    // The last key released on the button, and when (the event's time stamp).
    int m_releasedKey = 0;
    quint64 m_releasedAt = 0;
};

} // namespace calibration
