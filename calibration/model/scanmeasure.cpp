#include "scanmeasure.h"

#include "dots.h"
#include "scanfigure.h"
#include "scanfit.h"
#include "scangrey.h"

#include <QCoreApplication>
#include <QImageReader>
#include <QString>
#include <cmath>

namespace calibration::model {

namespace {

// What a resolution has to be to be a scanner's: Qt's 96 dpi for "none",
// and a JPEG's 72, are below it.
constexpr double MinScanDpi = 100;
constexpr double MaxScanDpi = 10000;
// A colour A4 scan at 600 dpi is some 160 MB decoded; Qt refuses more than
// 128 MB unless told.
constexpr int MaxDecodedMegabytes = 256;

ScanResult Refused(ScanProblem problem, double degrees = 0)
{
    ScanResult result;
    result.Problem = problem;
    result.Degrees = degrees;
    return result;
}

QLineF ToPixels(const ScanGrey& grey, const QLineF& mm, bool turned)
{
    QPointF a = grey.ToPixels(mm.p1()), b = grey.ToPixels(mm.p2());
    if (turned) {
        a = QPointF(grey.Width() - a.x(), grey.Height() - a.y());
        b = QPointF(grey.Width() - b.x(), grey.Height() - b.y());
    }
    return QLineF(a, b);
}

ScanResult Measure(const ScanGrey& grey, bool turned)
{
    const ScanLevels levels = FindLevels(grey);
    PaperFrame paper;
    if (const ScanProblem problem = FindPaper(grey, levels, paper); problem != ScanProblem::None)
        return Refused(problem, paper.GlassDegrees);
    FigureLines figure;
    if (const ScanProblem problem = FindFigure(grey, levels, paper, figure);
        problem != ScanProblem::None)
        return Refused(problem);

    ScanResult result;
    ScanMeasurement& m = result.Measurement;
    const QPointF topLeft = Intersection(figure.Left, figure.Top);
    const QPointF topRight = Intersection(figure.Right, figure.Top);
    const QPointF bottomLeft = Intersection(figure.Left, figure.Bottom);
    const QPointF bottomRight = Intersection(figure.Right, figure.Bottom);
    const QPointF leftCentre = (topLeft + bottomLeft) / 2,
                  rightCentre = (topRight + bottomRight) / 2;
    const QPointF topCentre = (topLeft + topRight) / 2,
                  bottomCentre = (bottomLeft + bottomRight) / 2;
    m.X = QLineF(leftCentre, rightCentre).length();
    m.Y = QLineF(topCentre, bottomCentre).length();
    const QPointF cross = Intersection(figure.Vertical, figure.Horizontal);
    m.A = std::abs(paper.LeftEdge.Distance(cross));
    m.B = std::abs(paper.TopEdge.Distance(cross));

    // The figure's turn against the paper, from all six lines and both edges.
    const double figureAcross =
        (AngleDegrees(figure.Top.Direction) + AngleDegrees(figure.Bottom.Direction) +
         AngleDegrees(figure.Horizontal.Direction)) /
        3;
    const double figureDown =
        (AngleDegrees(figure.Left.Direction) + AngleDegrees(figure.Right.Direction) +
         AngleDegrees(figure.Vertical.Direction)) /
            3 -
        90;
    const double paperAngle =
        (AngleDegrees(paper.TopEdge.Direction) + AngleDegrees(paper.LeftEdge.Direction) - 90) / 2;
    m.SkewDegrees = (figureAcross + figureDown) / 2 - paperAngle;
    if (std::abs(m.SkewDegrees) > MaxSkewDegrees)
        return Refused(ScanProblem::Skewed, m.SkewDegrees);

    for (const FittedLine* line :
         {&paper.LeftEdge, &paper.TopEdge, &figure.Left, &figure.Right, &figure.Top, &figure.Bottom,
          &figure.Vertical, &figure.Horizontal})
        m.ResidualMm = std::max(m.ResidualMm, line->RmsMm);
    m.UpsideDown = turned;
    m.PaperEdges[0] =
        ToPixels(grey, QLineF(paper.Origin, paper.LeftEdge.At(paper.LeftEnd)), turned);
    m.PaperEdges[1] = ToPixels(grey, QLineF(paper.Origin, paper.TopEdge.At(paper.TopEnd)), turned);
    m.Rectangle = {ToPixels(grey, QLineF(topLeft, bottomLeft), turned),
                   ToPixels(grey, QLineF(topRight, bottomRight), turned),
                   ToPixels(grey, QLineF(topLeft, topRight), turned),
                   ToPixels(grey, QLineF(bottomLeft, bottomRight), turned)};
    m.Cross = {ToPixels(grey, QLineF(figure.VerticalFrom, figure.VerticalTo), turned),
               ToPixels(grey, QLineF(figure.HorizontalFrom, figure.HorizontalTo), turned)};
    return result;
}

QString Degrees(double degrees)
{
    return QString::number(std::abs(degrees), 'f', 2);
}

} // namespace

QImage ReadScanImage(QIODevice& device, std::string& reason)
{
    QImageReader reader(&device);
    reader.setAllocationLimit(MaxDecodedMegabytes);
    QImage image = reader.read();
    if (image.isNull())
        reason = reader.errorString().toStdString();
    return image;
}

std::optional<ScanSettings> RecordedResolution(const QImage& scan)
{
    ScanSettings settings;
    settings.DpiX = scan.dotsPerMeterX() * 0.0254;
    settings.DpiY = scan.dotsPerMeterY() * 0.0254;
    for (double dpi : {settings.DpiX, settings.DpiY})
        if (!(dpi >= MinScanDpi && dpi <= MaxScanDpi))
            return std::nullopt;
    // Files keep whole dots per metre: 600 dpi comes back as 599.9988.
    settings.DpiX = std::abs(settings.DpiX - std::round(settings.DpiX)) < 0.01
                        ? std::round(settings.DpiX)
                        : settings.DpiX;
    settings.DpiY = std::abs(settings.DpiY - std::round(settings.DpiY)) < 0.01
                        ? std::round(settings.DpiY)
                        : settings.DpiY;
    return settings;
}

ScanResult MeasureScan(const QImage& scan, const ScanSettings& settings)
{
    if (scan.isNull() || scan.width() < 16 || scan.height() < 16 || settings.DpiX <= 0 ||
        settings.DpiY <= 0)
        return Refused(ScanProblem::NoSheet);
    const ScanGrey grey(scan, core::MmPerInch / settings.DpiX / (1 + settings.StretchX / 100),
                        core::MmPerInch / settings.DpiY / (1 + settings.StretchY / 100));
    const ScanResult upright = Measure(grey, false);
    if (upright.Problem != ScanProblem::FaintOrDoubled && upright.Problem != ScanProblem::NoSheet)
        return upright;
    // The sheet may lie upside down, as for the scanner's own check.
    const ScanResult turned = Measure(grey.Turned(), true);
    return turned.Problem == ScanProblem::None ? turned : upright;
}

std::string ScanProblemText(const ScanResult& result)
{
    QString text;
    switch (result.Problem) {
    case ScanProblem::None:
        return {};
    case ScanProblem::NoSheet:
        text = QCoreApplication::translate(
            "ocrprint-cli", "no measurement sheet found on the scan: lay the printed sheet on the "
                            "glass, face down, a few millimetres from its edges, and scan the "
                            "whole glass");
        break;
    case ScanProblem::EdgesNotVisible:
        text = QCoreApplication::translate(
            "ocrprint-cli", "the paper's edges are not visible against the scanner's background: "
                            "scan with the lid open, or with a dark sheet behind the page");
        break;
    case ScanProblem::CutOff:
        text = QCoreApplication::translate(
            "ocrprint-cli", "the page is cut off by the edge of the glass: move the sheet a few "
                            "millimetres away from the glass's edges and scan the whole glass");
        break;
    case ScanProblem::Crooked:
        text = QCoreApplication::translate(
                   "ocrprint-cli", "the sheet lies %1° turned on the glass: lay it straight and "
                                   "scan it again")
                   .arg(Degrees(result.Degrees));
        break;
    case ScanProblem::Skewed:
        text = QCoreApplication::translate(
                   "ocrprint-cli",
                   "the figure is printed %1° skewed against the paper's edges, more than %2°: "
                   "set the printer's paper guides against the paper and print the sheet again")
                   .arg(Degrees(result.Degrees), Degrees(MaxSkewDegrees));
        break;
    case ScanProblem::FaintOrDoubled:
        text = QCoreApplication::translate(
            "ocrprint-cli",
            "the sheet's lines are too faint or doubled: print the measurement sheet again "
            "(toner saving off) and scan it in grey or colour at 300 dpi or more");
        break;
    }
    return text.toStdString();
}

QString SkewText(double degrees)
{
    return QString::number(std::abs(degrees) < 0.005 ? 0.0 : degrees, 'f', 2);
}

std::string CrookedFeedWarning(const ScanMeasurement& measurement)
{
    if (std::abs(measurement.SkewDegrees) < CrookedFeedDegrees)
        return {};
    return QCoreApplication::translate(
               "ocrprint-cli", "warning: the printer fed the paper %1° crooked; the lengths are "
                               "measured along the figure, but set the paper guides against the "
                               "paper before printing")
        .arg(Degrees(measurement.SkewDegrees))
        .toStdString();
}

} // namespace calibration::model
