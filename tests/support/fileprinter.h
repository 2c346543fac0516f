#pragma once
// The program's printer object on a file printer for one test, with a trace
// of what it printed.

#include <QJsonObject>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "filedevice.h"
#include "tracewriter.h"

namespace testutil {

// A file printer's options: where it writes, its resolution, its physical
// offsets in dots and its paper (A4 unless told).
surface::FilePrinterOptions
FileOptions(const std::string& path, int dpiX = 600, int dpiY = 600, int offsetX = 0,
            int offsetY = 0, surface::PaperSize paper = surface::FilePrinterOptions{}.Paper);

// Selects a file printer for the program's printer object and traces every
// operation to tracePath as it happens; the trace is unhooked with the
// object.
class TracedFilePrinter
{
public:
    TracedFilePrinter(const surface::FilePrinterOptions& options, std::string tracePath);
    ~TracedFilePrinter();
    TracedFilePrinter(const TracedFilePrinter&) = delete;
    TracedFilePrinter& operator=(const TracedFilePrinter&) = delete;

    const std::string& Output() const { return m_output; }

    // The operations traced so far, of one kind or all.
    std::vector<QJsonObject> Ops(const char* op = nullptr) const;

private:
    std::string m_output;
    std::string m_tracePath;
    std::FILE* m_stream = nullptr;
    std::unique_ptr<surface::TraceWriter> m_trace;
};

} // namespace testutil
