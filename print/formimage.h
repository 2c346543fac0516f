#pragma once

#include <QImage>
#include <string>

namespace print {

// A picture of the blank pre-printed form and how many of its pixels make an
// inch.
struct FormImage
{
    QImage Image;
    double DpiX = 0;
    double DpiY = 0;
};

// Whether PDF forms can be read: this build has the PDF renderer.
bool CanReadPdfForms();

// Reads a scan of the form: a PNG or JPEG at the resolution it records, or
// the first page of a PDF rendered at pdfDpi. forcedDpi > 0 overrides the
// file's resolution. Returns an empty string, or why the form cannot be used
// (UTF-8, without the path: the caller names it).
std::string LoadFormImage(const std::string& path, double forcedDpi, int pdfDpi, FormImage& form);

} // namespace print
