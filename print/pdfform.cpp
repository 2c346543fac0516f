// The PDF form plugin: poppler draws the form's first page. Only a preview on
// a PDF form loads it, and poppler's libraries with it.
#include <memory>
#include <poppler-qt6.h>
#include <type_traits>

#include "pdfformplugin.h"

extern "C" __attribute__((visibility("default"))) print::PdfFormRender
ocrprint_render_pdf_form(const QString& path, int dpi, QImage& image)
{
    using print::PdfFormRender;
    const std::unique_ptr<Poppler::Document> document = Poppler::Document::load(path);
    if (!document || document->isLocked() || document->numPages() < 1)
        return PdfFormRender::Unreadable;
    const std::unique_ptr<Poppler::Page> page = document->page(0);
    if (!page)
        return PdfFormRender::Unreadable;
    document->setRenderHint(Poppler::Document::Antialiasing, true);
    // Drawn at the page's own resolution: nothing is scaled twice.
    image = page->renderToImage(dpi, dpi);
    return image.isNull() ? PdfFormRender::Unrenderable : PdfFormRender::Rendered;
}

static_assert(std::is_same_v<decltype(&ocrprint_render_pdf_form), print::PdfFormFunction>);
