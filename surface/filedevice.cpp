#include "filedevice.h"

#include "cp932.h"
#include "dots.h"
#include "outputfiledevice.h"
#include "printererror.h"

#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <unordered_map>

namespace surface {

namespace {

const PaperSize Papers[] = {
    {"A4", 210, 297}, {"A3", 297, 420},         {"B4", 257, 364},
    {"B5", 182, 257}, {"Letter", 215.9, 279.4}, {"Legal", 215.9, 355.6},
};

// The margin is shaded so that a PNG shows where the printer cannot print.
constexpr int PaperGrey = 255;
constexpr int MarginGrey = 224;

bool EqualsIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

int DotsPerMeter(int dpi)
{
    return std::max(1, static_cast<int>(std::lround(std::max(dpi, 1) / 0.0254)));
}

// Moves and stretches what is drawn in paper dots the way the printer errs.
void Misalign(QPainter& painter, const Misalignment& error, int dpiX, int dpiY)
{
    if (error.None())
        return;
    painter.translate(error.ShiftX / core::MmPerInch * dpiX, error.ShiftY / core::MmPerInch * dpiY);
    painter.scale(1 + error.StretchX / 100, 1 + error.StretchY / 100);
}

bool Plausible(const Misalignment& error)
{
    for (double v : {error.StretchX, error.StretchY, error.ShiftX, error.ShiftY})
        if (!std::isfinite(v))
            return false;
    return error.StretchX > -100 && error.StretchY > -100;
}

// A colour page of few colours as an 8-bit palette image, or a null image when
// it has more than 256. A palette PNG holds a byte a pixel and is written
// without the filters a true-colour one is tried with: a preview page is saved
// in a fraction of the time.
QImage ToPalette(const QImage& page)
{
    QImage out(page.size(), QImage::Format_Indexed8);
    if (out.isNull())
        return {};
    QList<QRgb> table;
    std::unordered_map<QRgb, uchar> index;
    QRgb last = 0;
    uchar lastIndex = 0;
    bool any = false;
    const int width = page.width();
    const int height = page.height();
    for (int y = 0; y < height; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(page.constScanLine(y));
        uchar* row = out.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const QRgb colour = in[x] | 0xFF000000u;
            if (!any || colour != last) {
                auto found = index.find(colour);
                if (found == index.end()) {
                    if (table.size() == 256)
                        return {};
                    found = index.emplace(colour, static_cast<uchar>(table.size())).first;
                    table.push_back(colour);
                }
                last = colour;
                lastIndex = found->second;
                any = true;
            }
            row[x] = lastIndex;
        }
    }
    out.setColorTable(table);
    return out;
}

// The blank form under the page, scaled from its resolution to the page's.
void DrawForm(QPainter& painter, const FilePrinterOptions& options)
{
    if (options.Form.isNull() || !(options.FormDpiX > 0) || !(options.FormDpiY > 0))
        return;
    const QRectF target(0, 0, options.Form.width() * options.DpiX / options.FormDpiX,
                        options.Form.height() * options.DpiY / options.FormDpiY);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, options.Form);
    painter.restore();
}

} // namespace

std::string OutputFormat(const FilePrinterOptions& options)
{
    std::string format = options.Format;
    if (format.empty()) {
        const std::string& path = options.OutputPath;
        const std::size_t dot = path.rfind('.');
        const std::size_t slash = path.rfind('/');
        if (path == "-")
            format = "pdf";
        else if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
            format = path.substr(dot + 1);
    }
    for (char& c : format)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return format;
}

bool FindPaperSize(const std::string& name, PaperSize& paper)
{
    for (const PaperSize& p : Papers) {
        if (EqualsIgnoringCase(p.Name, name)) {
            paper = p;
            return true;
        }
    }
    return false;
}

struct FileDevice::Impl
{
    enum class Kind
    {
        None,
        Pdf,
        Png
    };

    QImage Measure;
    Kind Open = Kind::None;
    std::unique_ptr<OutputFileDevice> File;
    std::unique_ptr<QPdfWriter> Pdf;
    QImage Page;
    std::unique_ptr<QPainter> Painter;

    // Ends the painting and drops the document; commit writes it out first
    // and throws, the file at the path untouched, when it cannot.
    void Finish(bool commit, int dpiX, int dpiY)
    {
        if (Painter)
            Painter->end();
        std::unique_ptr<OutputFileDevice> file = std::move(File);
        const Kind kind = Open;
        Painter.reset();
        Pdf.reset(); // writes the PDF's end
        Open = Kind::None;
        if (commit && file) {
            if (kind == Kind::Png) {
                QImage page = Page.format() == QImage::Format_RGB32 ? ToPalette(Page) : Page;
                if (page.isNull())
                    page = Page;
                page.setDotsPerMeterX(DotsPerMeter(dpiX));
                page.setDotsPerMeterY(DotsPerMeter(dpiY));
                // A failed write shows in the commit, with its reason.
                (void)page.save(file.get(), "PNG");
            }
            Page = QImage();
            file->CommitOrThrow();
        }
        Page = QImage();
    }
};

bool HasPrintableArea(const FilePrinterOptions& options)
{
    const std::int64_t paperW = core::PaperDots(options.Paper.WidthMm, options.DpiX);
    const std::int64_t paperH = core::PaperDots(options.Paper.HeightMm, options.DpiY);
    return options.OffsetX >= 0 && options.OffsetY >= 0 && 2 * options.OffsetX < paperW &&
           2 * options.OffsetY < paperH;
}

FileDevice::FileDevice(FilePrinterOptions options)
    : m_options(std::move(options)), m_impl(std::make_unique<Impl>())
{}

FileDevice::~FileDevice()
{
    m_impl->Finish(false, m_options.DpiX, m_options.DpiY);
}

std::string FileDevice::Name() const
{
    return "file:" + m_options.OutputPath;
}

PrinterCaps FileDevice::Caps()
{
    return {m_options.DpiX, m_options.DpiY, m_options.OffsetX, m_options.OffsetY};
}

PageArea FileDevice::Area()
{
    const int paperW = core::PaperDots(m_options.Paper.WidthMm, m_options.DpiX);
    const int paperH = core::PaperDots(m_options.Paper.HeightMm, m_options.DpiY);
    return {paperW,
            paperH,
            m_options.OffsetX,
            m_options.OffsetY,
            paperW - m_options.OffsetX,
            paperH - m_options.OffsetY};
}

QPaintDevice* FileDevice::MeasureDevice()
{
    // A tiny image at the output's resolution: text measured on it has the
    // metrics of the page, never those of a screen.
    if (m_impl->Measure.isNull()) {
        m_impl->Measure = QImage(1, 1, QImage::Format_Grayscale8);
        m_impl->Measure.setDotsPerMeterX(DotsPerMeter(m_options.DpiX));
        m_impl->Measure.setDotsPerMeterY(DotsPerMeter(m_options.DpiY));
        m_impl->Measure.fill(PaperGrey);
    }
    return &m_impl->Measure;
}

QPainter* FileDevice::StartDocument(const std::string& titleCp932)
{
    m_impl->Finish(false, m_options.DpiX, m_options.DpiY);

    const std::string suffix = OutputFormat(m_options);
    const int dpiX = m_options.DpiX;
    const int dpiY = m_options.DpiY;
    const int paperW = core::PaperDots(m_options.Paper.WidthMm, dpiX);
    const int paperH = core::PaperDots(m_options.Paper.HeightMm, dpiY);
    const int printW = paperW - 2 * m_options.OffsetX;
    const int printH = paperH - 2 * m_options.OffsetY;
    const bool valid = (suffix == "pdf" || suffix == "png") && dpiX > 0 && dpiY > 0 &&
                       HasPrintableArea(m_options) && Plausible(m_options.Error);
    if (!valid)
        ThrowPrinterError(MsgInvalidPrinter);

    auto file = std::make_unique<OutputFileDevice>(m_options.OutputPath);
    file->OpenOrThrow();

    auto painter = std::make_unique<QPainter>();
    if (suffix == "pdf") {
        auto pdf = std::make_unique<QPdfWriter>(file.get());
        pdf->setResolution(dpiX);
        pdf->setTitle(QString::fromStdU16String(core::DecodeCp932(titleCp932)));
        pdf->setCreator(QStringLiteral("ocrprint"));
        const QPageSize size(QSizeF(m_options.Paper.WidthMm, m_options.Paper.HeightMm),
                             QPageSize::Millimeter, QString::fromStdString(m_options.Paper.Name));
        // No margins: Qt's PDF engine would round them to whole points, four
        // dots at 600 dpi. The painter is moved to the printable corner instead.
        if (!pdf->setPageLayout(
                QPageLayout(size, QPageLayout::Portrait, QMarginsF(), QPageLayout::Point)) ||
            !painter->begin(pdf.get()))
            ThrowPrinterError(MsgPageSetup);
        // The writer has one resolution; y is scaled so that one unit is one
        // dot of the vertical resolution.
        if (dpiY != dpiX)
            painter->scale(1.0, static_cast<double>(dpiX) / dpiY);
        m_impl->Pdf = std::move(pdf);
        m_impl->Open = Impl::Kind::Pdf;
    } else {
        QImage& page = m_impl->Page;
        page = QImage(paperW, paperH,
                      m_options.Colour ? QImage::Format_RGB32 : QImage::Format_Grayscale8);
        if (page.isNull())
            ThrowPrinterError(MsgPageSetup);
        page.fill(MarginGrey);
        if (!painter->begin(&page)) {
            page = QImage();
            ThrowPrinterError(MsgPageSetup);
        }
        painter->fillRect(m_options.OffsetX, m_options.OffsetY, printW, printH,
                          QColor(PaperGrey, PaperGrey, PaperGrey));
        m_impl->Open = Impl::Kind::Png;
    }
    DrawForm(*painter, m_options);
    // What falls outside the printable area is cut off, as on a printer. The
    // clip is fixed in paper dots here, so the misalignment set after it moves
    // the drawing but not the margins.
    painter->setClipRect(QRectF(m_options.OffsetX, m_options.OffsetY, printW, printH));
    Misalign(*painter, m_options.Error, dpiX, dpiY);
    painter->translate(m_options.OffsetX, m_options.OffsetY);
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setRenderHint(QPainter::TextAntialiasing, false);
    m_impl->File = std::move(file);
    m_impl->Painter = std::move(painter);
    return m_impl->Painter.get();
}

DocumentOutput FileDevice::EndDocument()
{
    DocumentOutput output;
    output.File = m_options.OutputPath;
    if (m_impl->Open != Impl::Kind::None) {
        m_impl->Finish(true, m_options.DpiX, m_options.DpiY);
        output.Delivered = true;
    }
    return output;
}

void FileDevice::AbortDocument()
{
    m_impl->Finish(false, m_options.DpiX, m_options.DpiY);
}

} // namespace surface
