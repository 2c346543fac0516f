#include "app_fixture.h"

#include <QApplication>

namespace apptest {

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
