#pragma once
// A scan as grey levels with its pixel pitch in millimetres, and what the
// measurement reads off it: the levels of background, paper and noise, the
// paper's edges and the dark lines drawn on it, to a fraction of a pixel.

#include <QImage>
#include <QPointF>
#include <optional>
#include <vector>

namespace calibration::model {

class ScanGrey
{
public:
    // mmX, mmY: millimetres per pixel along x and y, the scanner's stretch
    // taken out.
    ScanGrey(const QImage& scan, double mmX, double mmY);

    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }
    double MmX() const { return m_mmX; }
    double MmY() const { return m_mmY; }
    bool IsNull() const { return m_image.isNull(); }

    int At(int x, int y) const { return m_bits[y * m_stride + x]; }
    // Bilinear between pixel centres; a pixel i covers [i, i + 1).
    double Sample(double x, double y) const;

    QPointF ToMm(const QPointF& pixels) const { return {pixels.x() * m_mmX, pixels.y() * m_mmY}; }
    QPointF ToPixels(const QPointF& mm) const { return {mm.x() / m_mmX, mm.y() / m_mmY}; }

    // The same scan turned by 180 degrees.
    ScanGrey Turned() const;

private:
    ScanGrey(QImage grey, double mmX, double mmY, bool);

    QImage m_image;
    const uchar* m_bits = nullptr;
    qsizetype m_stride = 0;
    double m_mmX;
    double m_mmY;
};

// The scan's two big populations of grey, split where they part best
// (Otsu): the scanner's background and the paper.
struct ScanLevels
{
    double Background = 0;
    double Paper = 0;
    double Threshold = 0;
    double BackgroundShare = 0; // of the scan's area
    double Noise = 0;           // standard deviation on the paper
};
ScanLevels FindLevels(const ScanGrey& grey);

// Where a dark line crosses a profile of samples at unit spacing (sample k at
// position k): the centroid of its darkness below the paper's level, taken
// over coreHalf either side of it, found within searchHalf of centre; nothing
// where no line stands out by minDepth. Doubled: two lines in the search
// window.
struct LineCrossing
{
    double Position = 0;
    double Depth = 0;
    bool Doubled = false;
};
std::optional<LineCrossing> CrossLine(const std::vector<double>& profile, double centre,
                                      double searchHalf, double coreHalf, double minDepth);

} // namespace calibration::model
