#pragma once

#include <string>
#include <vector>

namespace cupstest {

// What poppler's tools say about a PDF file. Each throws nothing: a tool that
// is missing or fails leaves Ok false.
struct PdfInfo
{
    bool Ok = false;
    std::string Title;
    int Pages = 0;
    double WidthPt = 0;
    double HeightPt = 0;
    int Rotate = 0; // the first page's /Rotate, degrees
};
PdfInfo ReadPdfInfo(const std::string& path);

// The words of the first page with their boxes in points from the top-left
// corner (pdftotext -bbox).
struct PdfWord
{
    double XMin = 0;
    double YMin = 0;
    double XMax = 0;
    double YMax = 0;
    std::string Text; // UTF-8
};
std::vector<PdfWord> ReadPdfWords(const std::string& path, bool& ok);

// A part of the first page rendered in grey without anti-aliasing at dpi, one
// pixel per dot: the pixel (x, y) of the page is At(x - left, y - top).
struct GrayImage
{
    int Width = 0;
    int Height = 0;
    std::vector<unsigned char> Pixels;
    unsigned char At(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
};
GrayImage RenderGray(const std::string& path, int dpi, int left, int top, int width, int height);

// True when the poppler tools are installed.
bool HavePoppler();

} // namespace cupstest
