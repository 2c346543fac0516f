#include "surfacetest.h"

#include <QColor>

namespace surfacetest {

surface::FilePrinterOptions Options(const std::string& path, int dpiX, int dpiY, int offsetX,
                                    int offsetY, surface::PaperSize paper)
{
    surface::FilePrinterOptions o;
    o.OutputPath = path;
    o.DpiX = dpiX;
    o.DpiY = dpiY;
    o.OffsetX = offsetX;
    o.OffsetY = offsetY;
    o.Paper = paper;
    return o;
}

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
    return ReadGrey(m_path);
}

QImage ReadGrey(const std::string& path)
{
    return QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_Grayscale8);
}

bool Dark(const QImage& image, int x, int y)
{
    return image.valid(x, y) && qGray(image.pixel(x, y)) < 128;
}

int DarkInColumn(const QImage& image, int x, int y0, int y1)
{
    int n = 0;
    for (int y = y0; y < y1; ++y)
        n += Dark(image, x, y);
    return n;
}

int DarkInRow(const QImage& image, int y, int x0, int x1)
{
    int n = 0;
    for (int x = x0; x < x1; ++x)
        n += Dark(image, x, y);
    return n;
}

int DarkIn(const QImage& image, int x0, int y0, int x1, int y1)
{
    int n = 0;
    for (int y = y0; y < y1; ++y)
        n += DarkInRow(image, y, x0, x1);
    return n;
}

namespace {

template <typename IsDark> std::string Runs(int from, int to, IsDark isDark)
{
    std::string out;
    for (int i = from; i < to;) {
        if (!isDark(i)) {
            ++i;
            continue;
        }
        int j = i;
        while (j + 1 < to && isDark(j + 1))
            ++j;
        if (!out.empty())
            out += ',';
        out += std::to_string(i) + ".." + std::to_string(j);
        i = j + 1;
    }
    return out;
}

} // namespace

std::string DarkRowsAt(const QImage& image, int x, int y0, int y1)
{
    return Runs(y0, y1, [&](int y) { return Dark(image, x, y); });
}

std::string DarkColumnsAt(const QImage& image, int y, int x0, int x1)
{
    return Runs(x0, x1, [&](int x) { return Dark(image, x, y); });
}

} // namespace surfacetest
