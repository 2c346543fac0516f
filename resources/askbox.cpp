#include "askbox.h"

#include <QPushButton>
#include <vector>

namespace resources {

int Ask(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
        std::initializer_list<AskButton> buttons, const char* boxName)
{
    QMessageBox box(icon, title, text, QMessageBox::NoButton, parent);
    if (boxName)
        box.setObjectName(QString::fromLatin1(boxName));
    std::vector<QPushButton*> added;
    int reject = 0;
    for (const AskButton& button : buttons) {
        QPushButton* pushButton = box.addButton(button.Text, button.Role);
        if (button.ObjectName)
            pushButton->setObjectName(QString::fromLatin1(button.ObjectName));
        if (button.Role == QMessageBox::RejectRole) {
            reject = static_cast<int>(added.size());
            box.setDefaultButton(pushButton);
            box.setEscapeButton(pushButton);
        }
        added.push_back(pushButton);
    }
    box.exec();
    for (std::size_t i = 0; i < added.size(); ++i)
        if (box.clickedButton() == added[i])
            return static_cast<int>(i);
    return reject;
}

} // namespace resources
