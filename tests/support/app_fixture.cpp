#include "app_fixture.h"

#include <QApplication>
#include <filesystem>

namespace apptest {

QString ProgramTitle()
{
    return QStringLiteral("Kavenor OCR印刷 R3.2");
}

AppTest::AppTest()
    : m_tmpdir("TMPDIR", m_dir.Path()), m_configHome("XDG_CONFIG_HOME", m_dir.File(".config")),
      m_cacheHome("XDG_CACHE_HOME", m_dir.File(".cache"))
{
    std::filesystem::create_directories(m_dir.File(".config/ocrprint"));
    // The tests close main windows without running the program's loop; the
    // default would quit the loop of the next dialog they open.
    QApplication::setQuitOnLastWindowClosed(false);
    m_application.Title = ProgramTitle();
}

AppTest::~AppTest() = default;

} // namespace apptest
