#include "measurecommand.h"

#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QTemporaryFile>
#include <cstdio>
#include <optional>

#include "argumentcodec.h"
#include "datainput.h"
#include "diagnostics.h"
#include "formimage.h"
#include "scanmeasure.h"
#include "standardstream.h"

namespace cli {

namespace {

namespace model = calibration::model;

// What the measuring says about a scan, through the tool's one writer.
void SayAbout(const std::string& path, const QString& text)
{
    ReportAbout(core::InputName(path), text);
}

// The scan as an image with its resolution: --scan-dpi, else what the file
// records. Nothing, with the reason said, where it cannot be had.
std::optional<std::pair<QImage, model::ScanSettings>> LoadScan(const CommandLine& line,
                                                               const std::string& path)
{
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) {
        SayAbout(path, QCoreApplication::translate("ocrprint-cli", "cannot read the scan"));
        return std::nullopt;
    }
    QImage image;
    std::optional<model::ScanSettings> settings;
    if (bytes.compare(0, 5, "%PDF-") == 0) {
        // The PDF reader wants a file; standard input is put into one.
        QTemporaryFile copy;
        std::string file = path;
        if (path == StandardStream) {
            if (!copy.open() ||
                copy.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
                    static_cast<qint64>(bytes.size()) ||
                !copy.flush()) {
                SayAbout(path, QCoreApplication::translate("ocrprint-cli", "cannot read the scan"));
                return std::nullopt;
            }
            file = copy.fileName().toStdString();
        }
        print::FormImage page;
        if (const std::string why = print::LoadFormImage(file, 0, model::PdfScanDpi, page);
            !why.empty()) {
            SayAbout(path, QString::fromStdString(why));
            return std::nullopt;
        }
        image = page.Image;
        settings = model::ScanSettings{page.DpiX, page.DpiY};
    } else {
        QByteArray data = QByteArray::fromStdString(bytes);
        bytes.clear();
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        std::string reason;
        image = model::ReadScanImage(buffer, reason);
        if (image.isNull()) {
            SayAbout(path, QCoreApplication::translate(
                               "ocrprint-cli", "cannot read the scan (%1): save it as PNG, JPEG, "
                                               "TIFF or PDF")
                               .arg(QString::fromStdString(reason)));
            return std::nullopt;
        }
        settings = model::RecordedResolution(image);
    }
    if (line.ScanDpi > 0)
        settings = model::ScanSettings{line.ScanDpi, line.ScanDpi};
    if (!settings) {
        SayAbout(path, QCoreApplication::translate(
                           "ocrprint-cli", "the scan records no resolution: give the one it was "
                                           "scanned at with --scan-dpi N"));
        return std::nullopt;
    }
    settings->StretchX = line.ScanStretchX;
    settings->StretchY = line.ScanStretchY;
    return std::make_pair(std::move(image), *settings);
}

// The lengths of a scan, its warning said; nothing where it is refused.
std::optional<model::ScanMeasurement> MeasureFile(const CommandLine& line, const std::string& path)
{
    const std::optional<std::pair<QImage, model::ScanSettings>> scan = LoadScan(line, path);
    if (!scan)
        return std::nullopt;
    const model::ScanResult result = model::MeasureScan(scan->first, scan->second);
    if (result.Problem != model::ScanProblem::None) {
        SayAbout(path, QString::fromStdString(model::ScanProblemText(result)));
        return std::nullopt;
    }
    if (const std::string warning = model::CrookedFeedWarning(result.Measurement); !warning.empty())
        SayAbout(path, QString::fromStdString(warning));
    return result.Measurement;
}

// A length as the user would type it, to a hundredth of a millimetre.
std::string Length(double mm)
{
    return QString::number(mm, 'f', 2).toStdString();
}

} // namespace

int RunMeasure(const CommandLine& line)
{
    const std::optional<model::ScanMeasurement> m = MeasureFile(line, line.Arguments[0]);
    if (!m)
        return 1;
    std::printf("X %s\nY %s\nA %s\nB %s\nSkew %s\nResidual %s\n", Length(m->X).c_str(),
                Length(m->Y).c_str(), Length(m->A).c_str(), Length(m->B).c_str(),
                model::SkewText(m->SkewDegrees).toStdString().c_str(),
                QString::number(m->ResidualMm, 'f', 3).toStdString().c_str());
    return 0;
}

int WithScannedLengths(const CommandLine& line, int (*run)(const CommandLine&))
{
    const std::optional<model::ScanMeasurement> m = MeasureFile(line, *line.Scan);
    if (!m)
        return 1;
    CommandLine typed = line;
    typed.Arguments = {Length(m->X), Length(m->Y), Length(m->A), Length(m->B)};
    return run(typed);
}

} // namespace cli
