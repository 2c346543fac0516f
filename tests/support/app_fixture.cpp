#include "app_fixture.h"

#include <QApplication>
#include <QDir>
#include <filesystem>

#include "ocrtst.h"
#include "printerdevice.h"
#include "tprinter.h"
#include "unit2.h"

namespace apptest {

QString ProgramTitle()
{
    return QStringLiteral("Kavenor OCR印刷 R3.2");
}

PrintingProgram::PrintingProgram()
    : m_tmp("TMPDIR", m_dir.Path()), m_home("HOME", m_dir.Path()),
      m_config("XDG_CONFIG_HOME", m_dir.File(".config"))
{}

QPushButton* PrintingProgram::Start(bool measurement, const char* button)
{
    QApplication::setQuitOnLastWindowClosed(false);
    QDir().mkpath(QString::fromStdString(m_dir.File("Documents")));
    testutil::WriteFileBytes(
        m_dir.File("Documents/ocrdat.prn"),
        testutil::ReadFileBytes(testutil::SourceDir() + "/examples/ocrdat.prn"));
    // The queue has a calibration of its own (no correction), so that printing
    // on it asks nothing.
    QDir().mkpath(QString::fromStdString(m_dir.File(".config/ocrprint/printers")));
    testutil::WriteFileBytes(m_dir.File(".config/ocrprint/printers/ocrtest.ini"),
                             "0\r\n0\r\n0\r\n0\r\n150\r\n200\r\n100\r\n150\r\n");
    m_application.Title = ProgramTitle();
    surface::PrinterObject()->SetDevice(std::make_unique<surface::PrinterDevice>("ocrtest"));
    m_windows = app::StartUp(m_application);
    m_window =
        measurement ? static_cast<QWidget*>(m_windows->Measurement.get()) : m_windows->Main.get();
    m_window->show();
    return m_window->findChild<QPushButton*>(button);
}

void PrintingProgram::Stop()
{
    const bool started = m_windows != nullptr;
    m_windows.reset();
    if (started)
        surface::PrinterObject()->SetDevice(nullptr);
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
