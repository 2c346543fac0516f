// Draws what the scan measurement found over the scan: the paper's edges in
// blue, the rectangle's sides in red, the cross's lines in green, and the
// four lengths. For the picture in docs/calibration.md (scripts/pictures).
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <cstdio>
#include <string>

#include "scanmeasure.h"

namespace model = calibration::model;

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: scan_picture SCAN OUT.png\n");
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    std::string reason;
    const QImage scan =
        file.open(QIODevice::ReadOnly) ? model::ReadScanImage(file, reason) : QImage();
    const std::optional<model::ScanSettings> settings = model::RecordedResolution(scan);
    if (scan.isNull() || !settings) {
        std::fprintf(stderr, "scan_picture: %s: no scan with a resolution %s\n", argv[1],
                     reason.c_str());
        return 1;
    }
    const model::ScanResult result = model::MeasureScan(scan, *settings);
    if (result.Problem != model::ScanProblem::None) {
        std::fprintf(stderr, "scan_picture: %s\n", model::ScanProblemText(result).c_str());
        return 1;
    }
    const model::ScanMeasurement& m = result.Measurement;
    QImage out = scan.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&out);
    painter.setRenderHint(QPainter::Antialiasing);
    const double width = settings->DpiX / 100;
    const auto draw = [&](const QLineF& line, QColor colour) {
        painter.setPen(QPen(colour, width));
        painter.drawLine(line);
    };
    for (const QLineF& edge : m.PaperEdges)
        draw(edge, QColor(40, 90, 230));
    for (const QLineF& side : m.Rectangle)
        draw(side, QColor(220, 30, 30));
    for (const QLineF& line : m.Cross)
        draw(line, QColor(20, 160, 40));
    QFont font = painter.font();
    font.setPixelSize(static_cast<int>(settings->DpiX / 7));
    font.setBold(true);
    painter.setFont(font);
    const auto label = [&](const QPointF& at, const QString& text, QColor colour) {
        painter.setPen(colour);
        painter.drawText(at, text);
    };
    const QPointF topLeft = m.Rectangle[0].p1(), bottomRight = m.Rectangle[1].p2();
    const QPointF cross = m.Cross[0].pointAt(0.5);
    label(QPointF((topLeft.x() + bottomRight.x()) / 2 - font.pixelSize() * 2,
                  topLeft.y() + font.pixelSize() * 1.5),
          QStringLiteral("X %1 mm").arg(m.X, 0, 'f', 2), QColor(220, 30, 30));
    label(QPointF(bottomRight.x() - font.pixelSize() * 6, (topLeft.y() + bottomRight.y()) / 2),
          QStringLiteral("Y %1 mm").arg(m.Y, 0, 'f', 2), QColor(220, 30, 30));
    label(QPointF(m.PaperEdges[0].p1().x() + font.pixelSize(),
                  m.Cross[1].p1().y() + font.pixelSize() * 1.4),
          QStringLiteral("A %1 mm").arg(m.A, 0, 'f', 2), QColor(20, 160, 40));
    label(QPointF(cross.x() + font.pixelSize() * 0.5,
                  m.PaperEdges[1].p1().y() + font.pixelSize() * 2.5),
          QStringLiteral("B %1 mm").arg(m.B, 0, 'f', 2), QColor(20, 160, 40));
    label(QPointF(m.PaperEdges[0].p1().x() + font.pixelSize(), out.height() - font.pixelSize()),
          QStringLiteral("skew %1°, residual %2 mm")
              .arg(calibration::model::SkewText(m.SkewDegrees))
              .arg(m.ResidualMm, 0, 'f', 3),
          QColor(40, 90, 230));
    painter.end();
    if (!out.save(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "scan_picture: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
