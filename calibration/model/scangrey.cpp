#include "scangrey.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace calibration::model {

ScanGrey::ScanGrey(const QImage& scan, double mmX, double mmY)
    : ScanGrey(scan.convertToFormat(QImage::Format_Grayscale8), mmX, mmY, true)
{}

ScanGrey::ScanGrey(QImage grey, double mmX, double mmY, bool)
    : m_image(std::move(grey)), m_mmX(mmX), m_mmY(mmY)
{
    m_bits = m_image.constBits();
    m_stride = m_image.bytesPerLine();
}

ScanGrey ScanGrey::Turned() const
{
    return ScanGrey(m_image.mirrored(true, true), m_mmX, m_mmY, true);
}

double ScanGrey::Sample(double x, double y) const
{
    const double fx = std::clamp(x - 0.5, 0.0, Width() - 1.0);
    const double fy = std::clamp(y - 0.5, 0.0, Height() - 1.0);
    const int x0 = std::min(static_cast<int>(fx), Width() - 2);
    const int y0 = std::min(static_cast<int>(fy), Height() - 2);
    const double ax = fx - x0, ay = fy - y0;
    const uchar* row = m_bits + y0 * m_stride + x0;
    const double top = row[0] + ax * (row[1] - row[0]);
    const double bottom = row[m_stride] + ax * (row[m_stride + 1] - row[m_stride]);
    return top + ay * (bottom - top);
}

namespace {

double MedianOf(std::array<long, 256>& histogram, long from, long to, long count)
{
    long seen = 0;
    for (long v = from; v < to; ++v) {
        seen += histogram[v];
        if (seen * 2 >= count)
            return static_cast<double>(v);
    }
    return static_cast<double>(to - 1);
}

} // namespace

ScanLevels FindLevels(const ScanGrey& grey)
{
    // Every other pixel each way is plenty for the levels.
    std::array<long, 256> histogram{};
    long total = 0;
    for (int y = 0; y < grey.Height(); y += 2)
        for (int x = 0; x < grey.Width(); x += 2) {
            ++histogram[grey.At(x, y)];
            ++total;
        }
    ScanLevels levels;
    if (total == 0)
        return levels;
    double sumAll = 0;
    for (int v = 0; v < 256; ++v)
        sumAll += static_cast<double>(v) * histogram[v];
    double best = -1, sumLow = 0;
    long low = 0;
    int split = 128;
    for (int t = 0; t < 255; ++t) {
        low += histogram[t];
        sumLow += static_cast<double>(t) * histogram[t];
        const long high = total - low;
        if (low == 0 || high == 0)
            continue;
        const double meanLow = sumLow / low;
        const double meanHigh = (sumAll - sumLow) / high;
        const double between =
            static_cast<double>(low) * high * (meanHigh - meanLow) * (meanHigh - meanLow);
        if (between > best) {
            best = between;
            split = t + 1;
        }
    }
    long lowCount = 0;
    for (int v = 0; v < split; ++v)
        lowCount += histogram[v];
    levels.Background = MedianOf(histogram, 0, split, lowCount);
    std::array<long, 256> upper{};
    std::copy(histogram.begin() + split, histogram.end(), upper.begin() + split);
    levels.Paper = MedianOf(upper, split, 256, total - lowCount);
    levels.Threshold = (levels.Background + levels.Paper) / 2;
    levels.BackgroundShare = static_cast<double>(lowCount) / static_cast<double>(total);

    // The noise from neighbours on the paper: their difference has twice the
    // variance; the median of its size is robust against the ink.
    std::array<long, 256> steps{};
    long stepCount = 0;
    for (int y = 0; y < grey.Height(); y += 7)
        for (int x = 0; x + 1 < grey.Width(); x += 3) {
            const int a = grey.At(x, y), b = grey.At(x + 1, y);
            if (a >= levels.Threshold && b >= levels.Threshold) {
                ++steps[std::abs(a - b)];
                ++stepCount;
            }
        }
    if (stepCount > 0)
        levels.Noise = 1.4826 * MedianOf(steps, 0, 256, stepCount) / std::sqrt(2.0);
    return levels;
}

std::optional<LineCrossing> CrossLine(const std::vector<double>& profile, double centre,
                                      double searchHalf, double coreHalf, double minDepth)
{
    const int n = static_cast<int>(profile.size());
    const int from = std::max(0, static_cast<int>(std::floor(centre - searchHalf)));
    const int to = std::min(n - 1, static_cast<int>(std::ceil(centre + searchHalf)));
    if (to - from < 4)
        return std::nullopt;
    std::vector<double> window(profile.begin() + from, profile.begin() + to + 1);
    std::nth_element(window.begin(), window.begin() + window.size() / 2, window.end());
    const double paper = window[window.size() / 2];
    int darkest = from;
    for (int k = from; k <= to; ++k)
        if (profile[k] < profile[darkest])
            darkest = k;
    LineCrossing crossing;
    crossing.Depth = paper - profile[darkest];
    if (crossing.Depth < minDepth)
        return std::nullopt;

    // Two lines: two runs below half the depth, each nearly as dark.
    const double half = paper - crossing.Depth / 2;
    int runs = 0;
    double runMin = paper;
    bool inRun = false;
    for (int k = from; k <= to + 1; ++k) {
        const bool dark = k <= to && profile[k] < half;
        if (dark) {
            runMin = inRun ? std::min(runMin, profile[k]) : profile[k];
            inRun = true;
        } else if (inRun) {
            if (paper - runMin >= 0.7 * crossing.Depth)
                ++runs;
            inRun = false;
        }
    }
    crossing.Doubled = runs > 1;

    // The centroid over a window centred on it: the paper's level cancels
    // when the window is symmetric, so it is moved until it is.
    double c = darkest;
    for (int round = 0; round < 4; ++round) {
        const double lo = c - coreHalf, hi = c + coreHalf;
        const int k0 = std::max(0, static_cast<int>(std::floor(lo + 0.5)));
        const int k1 = std::min(n - 1, static_cast<int>(std::floor(hi + 0.5)));
        double sum = 0, moment = 0;
        for (int k = k0; k <= k1; ++k) {
            // Sample k covers [k - 0.5, k + 0.5): the end samples count for
            // the part of them inside the window.
            const double cover = std::min(hi, k + 0.5) - std::max(lo, k - 0.5);
            if (cover <= 0)
                continue;
            const double w = (paper - profile[k]) * cover;
            sum += w;
            moment += w * k;
        }
        if (sum <= 0)
            return std::nullopt;
        const double next = moment / sum;
        const bool settled = std::abs(next - c) < 1e-3;
        c = next;
        if (settled)
            break;
    }
    crossing.Position = c;
    return crossing;
}

} // namespace calibration::model
