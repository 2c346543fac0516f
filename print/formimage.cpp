#include "formimage.h"

#include <QCoreApplication>
#include <QFile>
#include <QImageReader>
#include <QString>

#include "pdfformplugin.h"
#include "plugin.h"

namespace print {

namespace {

// A scan that records no resolution, or one beyond any scanner's, is
// ambiguous: the user has to say.
constexpr double MinRecordedDpi = 10;
constexpr double MaxRecordedDpi = 10000;

bool IsPdf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.peek(5) == "%PDF-";
}

// The tool's own texts, translated with its other messages; the caller puts
// the path before them.
std::string Say(const char* text, const QString& detail = {})
{
    QString message = QCoreApplication::translate("ocrprint-cli", text);
    if (message.contains(QLatin1String("%1")))
        message = message.arg(detail);
    return message.toStdString();
}

// What Qt reports for an image that records no resolution: 96 dpi.
constexpr int UnrecordedDotsPerMeter = 3780;

} // namespace

bool CanReadPdfForms()
{
#ifdef OCRPRINT_HAVE_POPPLER
    return true;
#else
    return false;
#endif
}

std::string LoadFormImage(const std::string& path, double forcedDpi, int pdfDpi, FormImage& form)
{
    const QString file = QFile::decodeName(path.c_str());
    if (IsPdf(file)) {
#ifdef OCRPRINT_HAVE_POPPLER
        // poppler and its libraries come with the plugin, on the first PDF form.
        static core::Plugin plugin(PdfFormPluginFile);
        static const auto render = reinterpret_cast<PdfFormFunction>(plugin.Symbol(PdfFormEntry));
        if (!render)
            return Say(QT_TRANSLATE_NOOP("ocrprint-cli", "cannot load the PDF form reader: %1"),
                       QString::fromStdString(plugin.Reason()));
        switch (render(file, pdfDpi, form.Image)) {
        case PdfFormRender::Rendered:
            break;
        case PdfFormRender::Unreadable:
            return Say(QT_TRANSLATE_NOOP("ocrprint-cli", "cannot read the PDF form"));
        case PdfFormRender::Unrenderable:
            return Say(QT_TRANSLATE_NOOP("ocrprint-cli", "cannot render the PDF form"));
        }
        form.DpiX = form.DpiY = pdfDpi;
        return {};
#else
        return Say(QT_TRANSLATE_NOOP(
            "ocrprint-cli",
            "this ocrprint-cli was built without poppler-qt6 and cannot read a PDF form: "
            "give a PNG or JPEG scan"));
#endif
    }
    QImageReader reader(file);
    const QImage image = reader.read();
    if (image.isNull())
        return Say(QT_TRANSLATE_NOOP("ocrprint-cli", "cannot read the form: %1"),
                   reader.errorString());
    form.Image = image;
    if (forcedDpi > 0) {
        form.DpiX = form.DpiY = forcedDpi;
        return {};
    }
    form.DpiX = image.dotsPerMeterX() * 0.0254;
    form.DpiY = image.dotsPerMeterY() * 0.0254;
    if (image.dotsPerMeterX() == UnrecordedDotsPerMeter &&
        image.dotsPerMeterY() == UnrecordedDotsPerMeter)
        return Say(QT_TRANSLATE_NOOP("ocrprint-cli",
                                     "the form records no resolution: give it with --form-dpi"));
    if (!(form.DpiX >= MinRecordedDpi && form.DpiX <= MaxRecordedDpi &&
          form.DpiY >= MinRecordedDpi && form.DpiY <= MaxRecordedDpi))
        return Say(QT_TRANSLATE_NOOP("ocrprint-cli",
                                     "the form records no usable resolution: give it with "
                                     "--form-dpi"));
    return {};
}

} // namespace print
