#include "surface_fixture.h"

namespace surfacetest {

FilePrinter::FilePrinter(const std::string& file, int dpiX, int dpiY, int offsetX, int offsetY,
                         surface::PaperSize paper)
    : m_path(m_dir.File(file)), m_traceFile(std::tmpfile()),
      m_trace(std::make_unique<surface::TraceWriter>(m_traceFile)),
      m_printer(std::make_unique<surface::TPrinter>())
{
    m_printer->SetDevice(std::make_unique<surface::FileDevice>(
        Options(m_path, dpiX, dpiY, offsetX, offsetY, paper)));
    m_printer->SetTrace(m_trace.get());
}

FilePrinter::~FilePrinter()
{
    m_printer.reset();
    m_trace.reset();
    if (m_traceFile)
        std::fclose(m_traceFile);
}

std::vector<std::string> FilePrinter::TraceLines()
{
    std::vector<std::string> lines;
    std::fflush(m_traceFile);
    std::rewind(m_traceFile);
    std::string line;
    for (int c = std::fgetc(m_traceFile); c != EOF; c = std::fgetc(m_traceFile)) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += static_cast<char>(c);
        }
    }
    if (!line.empty())
        lines.push_back(line);
    std::fseek(m_traceFile, 0, SEEK_END);
    return lines;
}

QImage FilePrinter::CloseAndRead()
{
    m_printer->CloseDocument();
    return testutil::ReadGrey(m_path);
}

} // namespace surfacetest
