#include "scansim.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace testutil {

namespace {

// What the printer put on the paper: faint or doubled print, or the figure
// turned on the page by a crooked feed.
QImage Printed(const QImage& page, const ScanConditions& c, int pageDpi)
{
    QImage out = page.convertToFormat(QImage::Format_Grayscale8);
    if (c.FeedDegrees != 0) {
        QImage turned(out.size(), QImage::Format_Grayscale8);
        turned.fill(255);
        QPainter painter(&turned);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.translate(out.width() / 2.0, out.height() / 2.0);
        painter.rotate(c.FeedDegrees);
        painter.translate(-out.width() / 2.0, -out.height() / 2.0);
        painter.drawImage(0, 0, out);
        painter.end();
        out = turned;
    }
    if (c.GhostMm != 0) {
        const int d = static_cast<int>(std::lround(c.GhostMm / 25.4 * pageDpi));
        const QImage copy = out;
        for (int y = d; y < out.height(); ++y) {
            uchar* row = out.scanLine(y);
            const uchar* from = copy.constScanLine(y - d);
            for (int x = d; x < out.width(); ++x)
                row[x] = std::min(row[x], from[x - d]);
        }
    }
    if (c.InkContrast != 1)
        for (int y = 0; y < out.height(); ++y) {
            uchar* row = out.scanLine(y);
            for (int x = 0; x < out.width(); ++x)
                row[x] = static_cast<uchar>(255 - (255 - row[x]) * c.InkContrast);
        }
    return out;
}

std::vector<float> GaussianKernel(double sigma)
{
    const int r = std::max(1, static_cast<int>(std::ceil(3 * sigma)));
    std::vector<float> k(2 * r + 1);
    double sum = 0;
    for (int i = -r; i <= r; ++i)
        sum += k[i + r] = static_cast<float>(std::exp(-0.5 * i * i / (sigma * sigma)));
    for (float& v : k)
        v = static_cast<float>(v / sum);
    return k;
}

void Blur(std::vector<float>& img, int w, int h, double sigma)
{
    const std::vector<float> k = GaussianKernel(sigma);
    const int r = static_cast<int>(k.size() / 2);
    std::vector<float> tmp(img.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float s = 0;
            for (int i = -r; i <= r; ++i)
                s += k[i + r] * img[y * w + std::clamp(x + i, 0, w - 1)];
            tmp[y * w + x] = s;
        }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float s = 0;
            for (int i = -r; i <= r; ++i)
                s += k[i + r] * tmp[std::clamp(y + i, 0, h - 1) * w + x];
            img[y * w + x] = s;
        }
}

} // namespace

QImage SimulateScan(const QImage& page, int pageDpi, const ScanConditions& c)
{
    const QImage printed = Printed(page, c, pageDpi);
    const double f = static_cast<double>(c.Dpi) / pageDpi; // scan pixels per page pixel
    const double rad = c.Degrees * std::numbers::pi / 180;
    const double cs = std::cos(rad), sn = std::sin(rad);
    const double pw = printed.width() * f, ph = printed.height() * f;
    const double margin = c.MarginMm / 25.4 * c.Dpi;
    const double bw = std::abs(pw * cs) + std::abs(ph * sn);
    const double bh = std::abs(pw * sn) + std::abs(ph * cs);
    const int w = static_cast<int>(std::ceil((bw + 2 * margin) * (1 + c.StretchX / 100)));
    const int h = c.KeepHeightMm > 0
                      ? static_cast<int>(c.KeepHeightMm / 25.4 * c.Dpi)
                      : static_cast<int>(std::ceil((bh + 2 * margin) * (1 + c.StretchY / 100)));
    const double cx = bw / 2 + margin - c.ShiftLeftMm / 25.4 * c.Dpi, cy = bh / 2 + margin;
    const double sx = 1 + c.StretchX / 100, sy = 1 + c.StretchY / 100;

    // Each scan pixel integrates the paper over its area: a k x k grid of
    // bilinear samples of the page, mapped back through the scanner's
    // stretch, the sheet's place and turn on the glass, and the scale.
    const int k = static_cast<int>(std::ceil(2 / f));
    const int pwi = printed.width(), phi = printed.height();
    const uchar* bits = printed.constBits();
    const qsizetype stride = printed.bytesPerLine();
    const auto pageAt = [&](double u, double v) -> float {
        const double fu = u - 0.5, fv = v - 0.5;
        if (fu < -0.5 || fv < -0.5 || fu > pwi - 0.5 || fv > phi - 0.5)
            return static_cast<float>(c.Background);
        const int x0 = std::clamp(static_cast<int>(std::floor(fu)), 0, pwi - 2);
        const int y0 = std::clamp(static_cast<int>(std::floor(fv)), 0, phi - 2);
        const double ax = std::clamp(fu - x0, 0.0, 1.0), ay = std::clamp(fv - y0, 0.0, 1.0);
        const uchar* row = bits + y0 * stride + x0;
        const double top = row[0] + ax * (row[1] - row[0]);
        const double bottom = row[stride] + ax * (row[stride + 1] - row[stride]);
        return static_cast<float>(top + ay * (bottom - top));
    };
    std::vector<float> scan(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float sum = 0;
            for (int j = 0; j < k; ++j)
                for (int i = 0; i < k; ++i) {
                    // The sample in scan pixels, then on the glass unstretched.
                    const double gx = (x + (i + 0.5) / k) / sx - cx;
                    const double gy = (y + (j + 0.5) / k) / sy - cy;
                    const double u = (cs * gx + sn * gy + pw / 2) / f;
                    const double v = (-sn * gx + cs * gy + ph / 2) / f;
                    sum += pageAt(u, v);
                }
            scan[static_cast<std::size_t>(y) * w + x] = sum / static_cast<float>(k * k);
        }
    if (c.Blur > 0)
        Blur(scan, w, h, c.Blur);
    std::mt19937 random(12345);
    std::normal_distribution<float> noise(0, static_cast<float>(c.Noise));
    QImage out(w, h, QImage::Format_Grayscale8);
    for (int y = 0; y < h; ++y) {
        uchar* row = out.scanLine(y);
        for (int x = 0; x < w; ++x) {
            float v = scan[static_cast<std::size_t>(y) * w + x];
            if (c.Noise > 0)
                v += noise(random);
            row[x] = static_cast<uchar>(std::clamp(std::lround(v), 0L, 255L));
        }
    }
    // The scanner's stretch is its secret: the file says the nominal
    // resolution. Without one, Qt's "none" (96 dpi) is written.
    if (c.RecordDpi) {
        const int dpm = static_cast<int>(std::lround(c.Dpi / 0.0254));
        out.setDotsPerMeterX(dpm);
        out.setDotsPerMeterY(dpm);
    }
    return out;
}

std::string SaveAsPdf(const QImage& scan, int dpi, const std::string& pdf)
{
    QPdfWriter writer(QString::fromStdString(pdf));
    writer.setResolution(dpi);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setPageSize(QPageSize(QSizeF(scan.width() * 25.4 / dpi, scan.height() * 25.4 / dpi),
                                 QPageSize::Millimeter));
    QPainter painter(&writer);
    painter.drawImage(QRect(0, 0, scan.width(), scan.height()), scan);
    return pdf;
}

} // namespace testutil
