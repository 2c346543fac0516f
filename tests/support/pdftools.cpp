#include "pdftools.h"

#include "cupsscheduler.h"
#include "testutil.h"

#include <cstdlib>
#include <regex>
#include <sstream>
#include <unistd.h>

namespace cupstest {

namespace {

// pdftotext writes the words as XHTML.
std::string Unescape(std::string text)
{
    const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto& [from, to] : entities) {
        for (std::size_t at = text.find(from); at != std::string::npos;
             at = text.find(from, at + 1))
            text.replace(at, std::char_traits<char>::length(from), to);
    }
    return text;
}

} // namespace

bool HavePoppler()
{
    for (const char* tool : {"/usr/bin/pdfinfo", "/usr/bin/pdftotext", "/usr/bin/pdftoppm"}) {
        if (::access(tool, X_OK) != 0)
            return false;
    }
    return true;
}

PdfInfo ReadPdfInfo(const std::string& path)
{
    PdfInfo info;
    const std::string out = RunProgram({"pdfinfo", path}, info.Ok);
    std::istringstream lines(out);
    std::string line;
    std::smatch m;
    while (std::getline(lines, line)) {
        if (std::regex_match(line, m, std::regex(R"(Title:\s*(.*?)\s*)")))
            info.Title = m[1];
        else if (std::regex_match(line, m, std::regex(R"(Pages:\s*(\d+)\s*)")))
            info.Pages = std::stoi(m[1]);
        else if (std::regex_search(line, m,
                                   std::regex(R"(^Page size:\s*([\d.]+) x ([\d.]+) pts)"))) {
            info.WidthPt = std::stod(m[1]);
            info.HeightPt = std::stod(m[2]);
        } else if (std::regex_match(line, m, std::regex(R"(Page rot:\s*(\d+)\s*)")))
            info.Rotate = std::stoi(m[1]);
    }
    return info;
}

std::vector<PdfWord> ReadPdfWords(const std::string& path, bool& ok)
{
    const std::string out = RunProgram({"pdftotext", "-bbox", "-f", "1", "-l", "1", path, "-"}, ok);
    std::vector<PdfWord> words;
    const std::regex word(
        R"re(<word xMin="([-\d.]+)" yMin="([-\d.]+)" xMax="([-\d.]+)" yMax="([-\d.]+)">([^<]*)</word>)re");
    for (auto it = std::sregex_iterator(out.begin(), out.end(), word); it != std::sregex_iterator();
         ++it) {
        const std::smatch& m = *it;
        words.push_back(
            {std::stod(m[1]), std::stod(m[2]), std::stod(m[3]), std::stod(m[4]), Unescape(m[5])});
    }
    return words;
}

GrayImage RenderGray(const std::string& path, int dpi, int left, int top, int width, int height)
{
    testutil::TempDir dir;
    const std::string prefix = dir.File("page");
    bool ok = false;
    RunProgram({"pdftoppm",    "-gray",
                "-aa",         "no",
                "-aaVector",   "no",
                "-r",          std::to_string(dpi),
                "-f",          "1",
                "-l",          "1",
                "-x",          std::to_string(left),
                "-y",          std::to_string(top),
                "-W",          std::to_string(width),
                "-H",          std::to_string(height),
                "-singlefile", path,
                prefix},
               ok);
    GrayImage image;
    if (!ok)
        return image;
    // Binary PGM: "P5" width height maxval, one byte per pixel.
    const std::string bytes = testutil::ReadFileBytes(prefix + ".pgm");
    std::istringstream in(bytes);
    std::string magic;
    int maxval = 0;
    in >> magic >> image.Width >> image.Height >> maxval;
    in.get();
    const std::size_t size = static_cast<std::size_t>(image.Width) * image.Height;
    const auto offset = static_cast<std::size_t>(in.tellg());
    if (magic != "P5" || maxval != 255 || !in || bytes.size() < offset + size)
        return GrayImage();
    image.Pixels.assign(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                        bytes.begin() + static_cast<std::ptrdiff_t>(offset + size));
    return image;
}

} // namespace cupstest
