#pragma once
// What the program and the PDF form plugin (pdfform.cpp, with poppler-qt6)
// agree on: the module's file and its one entry point, which draws the first
// page of a PDF at a resolution.

#include <QImage>
#include <QString>

namespace print {

enum class PdfFormRender
{
    Rendered,
    Unreadable,   // no PDF poppler can open, locked, or without pages
    Unrenderable, // the page gave no picture
};

inline constexpr const char* PdfFormPluginFile = "ocrprint-pdfform.so";
inline constexpr const char* PdfFormEntry = "ocrprint_render_pdf_form";
using PdfFormFunction = PdfFormRender (*)(const QString& path, int dpi, QImage& image);

} // namespace print
