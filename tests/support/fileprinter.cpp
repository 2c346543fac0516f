#include "fileprinter.h"

#include "testutil.h"
#include "tprinter.h"

namespace testutil {

surface::FilePrinterOptions FileOptions(const std::string& path, int dpiX, int dpiY, int offsetX,
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

TracedFilePrinter::TracedFilePrinter(const surface::FilePrinterOptions& options,
                                     std::string tracePath)
    : m_output(options.OutputPath), m_tracePath(std::move(tracePath)),
      // A stream of the test's own, flushed line by line: the file printer's
      // trace file would appear only once the writer finishes.
      m_stream(std::fopen(m_tracePath.c_str(), "w")),
      m_trace(std::make_unique<surface::TraceWriter>(m_stream))
{
    surface::PrinterObject()->SetDevice(std::make_unique<surface::FileDevice>(options));
    surface::PrinterObject()->SetTrace(m_trace.get());
}

TracedFilePrinter::~TracedFilePrinter()
{
    surface::PrinterObject()->SetTrace(nullptr);
    m_trace.reset();
    if (m_stream)
        std::fclose(m_stream);
}

std::vector<QJsonObject> TracedFilePrinter::Ops(const char* op) const
{
    return TraceOps(ReadTrace(m_tracePath), op);
}

} // namespace testutil
