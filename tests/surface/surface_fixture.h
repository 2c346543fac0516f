#pragma once
// Shared pieces of the surface tests: a printer object of their own on a file
// printer in a temporary directory, with its trace captured in memory.

#include "cp932.h"
#include "eprinter.h"
#include "filedevice.h"
#include "fileprinter.h"
#include "rastermeasure.h"
#include "testutil.h"
#include "tprinter.h"
#include "tprintercanvas.h"
#include "tracewriter.h"

#include <QImage>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace surfacetest {

// The surface tests read their rasters back with these.
using testutil::Dark;
using testutil::DarkColumnsAt;
using testutil::DarkIn;
using testutil::DarkInColumn;
using testutil::DarkInRow;
using testutil::DarkRowsAt;
using testutil::ReadGrey;

// A small sheet keeps the rasters of the drawing tests quick to write and read.
inline const surface::PaperSize SmallPaper{"Test", 40, 30};

// A file printer's options on the small sheet unless told.
inline surface::FilePrinterOptions Options(const std::string& path, int dpiX = 600, int dpiY = 600,
                                           int offsetX = 0, int offsetY = 0,
                                           surface::PaperSize paper = SmallPaper)
{
    return testutil::FileOptions(path, dpiX, dpiY, offsetX, offsetY, paper);
}

// A printer object of its own with a file printer, writing into a temporary
// directory, with its trace captured.
class FilePrinter
{
public:
    explicit FilePrinter(const std::string& file = "out.png", int dpiX = 600, int dpiY = 600,
                         int offsetX = 0, int offsetY = 0, surface::PaperSize paper = SmallPaper);
    ~FilePrinter();

    surface::TPrinter& Printer() { return *m_printer; }
    surface::TPrinterCanvas& Canvas() { return *m_printer->PageCanvas(); }
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_dir.File(name); }

    // Everything traced so far, one string per line.
    std::vector<std::string> TraceLines();
    // Closes the document and reads the PNG back as grey levels.
    QImage CloseAndRead();

private:
    testutil::TempDir m_dir;
    std::string m_path;
    std::FILE* m_traceFile = nullptr;
    std::unique_ptr<surface::TraceWriter> m_trace;
    std::unique_ptr<surface::TPrinter> m_printer;
};

// Code page 932 bytes of a UTF-8 literal.
inline std::string Sjis(const char* utf8)
{
    return core::EncodeCp932(utf8);
}

// Runs f and returns "EPrinter:" and the message it throws, as UTF-8, after
// checking that the message is the code page 932 form; "" if nothing is thrown.
template <typename F> std::string PrinterError(F f)
{
    try {
        f();
    } catch (const core::EPrinter& e) {
        const std::string utf8 = core::Cp932ToUtf8(e.Message());
        if (core::EncodeCp932(utf8) != e.Message() || utf8 == e.Message())
            return "EPrinter with a message not in code page 932: " + e.Message();
        return "EPrinter:" + utf8;
    } catch (const std::exception& e) {
        return std::string("other exception: ") + e.what();
    }
    return "";
}

} // namespace surfacetest
