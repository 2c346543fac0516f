#include "widgets.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

namespace testutil {

QString EditText(const QWidget* form, const char* name)
{
    const QLineEdit* edit = Child<QLineEdit>(form, name);
    return edit ? edit->text() : QStringLiteral("<missing>");
}

QString Caption(const QWidget* widget)
{
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (auto* edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text();
    return {};
}

void PrintTo(const ControlRow& row, std::ostream* os)
{
    *os << row.name;
}

QWidget* RowControl(const QWidget* form, const ControlRow& row)
{
    auto* widget = Child<QWidget>(form, row.name);
    if (!widget)
        return nullptr;
    EXPECT_STREQ(widget->metaObject()->className(), row.className);
    EXPECT_EQ(widget->parentWidget(), form);
    return widget;
}

QStringList TabChain(const QWidget* start)
{
    // Bounded, should the chain not come back to start.
    constexpr int MostWidgets = 100;
    QStringList chain{start->objectName()};
    for (const QWidget* w = start->nextInFocusChain(); w != start && chain.size() < MostWidgets;
         w = w->nextInFocusChain()) {
        if (w->focusPolicy() & Qt::TabFocus)
            chain << w->objectName();
    }
    return chain;
}

QPushButton* ButtonCaptioned(const QWidget* form, const QString& caption)
{
    for (QPushButton* button : form->findChildren<QPushButton*>()) {
        if (button->text() == caption)
            return button;
    }
    return nullptr;
}

bool Click(QWidget* form, const QString& caption)
{
    QPushButton* button = ButtonCaptioned(form, caption);
    if (!button) {
        ADD_FAILURE() << "no button " << caption.toStdString() << " in "
                      << form->objectName().toStdString();
        form->close();
        return false;
    }
    Click(button);
    return true;
}

void Click(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

void TypeText(QLineEdit* edit, const QString& text)
{
    ASSERT_NE(edit, nullptr);
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Backspace);
    for (const QChar c : text) {
        if (c.unicode() < 0x100) {
            QTest::keyClick(edit, c.toLatin1());
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(QString(c));
            QApplication::sendEvent(edit, &commit);
        }
    }
    // The dialogs' numeric boxes take full-width digits, point and minus as
    // their ASCII forms.
    QString shown = text;
    for (QChar& c : shown) {
        if (c >= QChar(0xFF10) && c <= QChar(0xFF19))
            c = QChar(u'0' + (c.unicode() - 0xFF10));
        else if (c == QChar(0xFF0E))
            c = u'.';
        else if (c == QChar(0xFF0D))
            c = u'-';
    }
    ASSERT_EQ(edit->text(), shown) << "typing did not reach the edit box";
}

} // namespace testutil
