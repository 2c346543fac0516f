// The yardstick for the window's start-up: the least a Qt Widgets program
// does to put a window of the main window's size on the screen.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.setFixedSize(589, 298);
    window.show();
    return QApplication::exec();
}
