#include "tprintercanvas.h"

#include "cp932.h"
#include "fonts.h"
#include "muldiv.h"
#include "tprinter.h"
#include "tracewriter.h"

#include <QFont>
#include <QFontMetrics>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPen>
#include <QPolygonF>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace surface {

namespace {

// The largest font the back ends render without trouble; a size overflowing
// the height rule ends up here rather than in an endless rasterisation.
constexpr int MaxPixelSize = 16384;
// Cell heights are matched by measuring once at this size and scaling.
constexpr int ReferencePixelSize = 1000;
// Nothing beyond this many dots from the origin can land on any paper. Qt's
// fixed-point glyph positions and rasteriser do not like values near the
// 32-bit ends, so geometry is clipped or skipped here first.
constexpr double CoordinateLimit = 1 << 24;
// An even pen width puts the band's edges exactly on pixel centres, where the
// rasteriser's choice depends on the edge's direction. Shifting the geometry
// by a 32nd of a dot up and left makes such bands one dot wider on the left
// and top side every time, and changes nothing else.
constexpr double TieBreak = 1.0 / 32;

QColor ToQColor(TColor color)
{
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

QString Decode(const std::string& textCp932)
{
    return QString::fromStdU16String(core::DecodeCp932(textCp932));
}

double PenWidth(const TPen& pen)
{
    return std::max(pen.Width(), 1);
}

std::int32_t Wrap(std::int64_t value)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

// Liang-Barsky: clips the segment a-b to the square of CoordinateLimit.
bool ClipSegment(QPointF& a, QPointF& b)
{
    double t0 = 0;
    double t1 = 1;
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() + CoordinateLimit, CoordinateLimit - a.x(), a.y() + CoordinateLimit,
                         CoordinateLimit - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (t0 > t1)
        return false;
    const QPointF start = a;
    a = start + QPointF(dx, dy) * t0;
    b = start + QPointF(dx, dy) * t1;
    return true;
}

double Limit(std::int32_t v)
{
    return std::clamp<double>(v, -CoordinateLimit, CoordinateLimit);
}

void PlainPainter(QPainter* painter)
{
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setRenderHint(QPainter::TextAntialiasing, false);
    painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

} // namespace

QFont TPrinterCanvas::DeviceFont()
{
    Device* device = m_printer.DeviceHandle();
    const PrinterCaps caps = device->Caps();
    const int dpiX = caps.DpiX;
    const int dpiY = caps.DpiY;

    QFont font(PrintFaceName());
    font.setWeight(QFont::Normal);
    font.setStyle(QFont::StyleNormal);
    // Printers neither hint nor antialias; unhinted metrics also scale
    // linearly, so measuring and drawing agree at every size.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setKerning(false);
    if (dpiX > 0 && dpiY > 0 && dpiX != dpiY) {
        // Glyphs keep their physical shape on a device with oblong dots.
        font.setStretch(std::clamp(core::MulDiv(100, dpiX, dpiY), 1, 4000));
    }

    const std::int64_t height = m_font.Height();
    std::int64_t pixels = 0;
    if (height < 0) {
        pixels = -height;
    } else if (height == 0) {
        pixels = core::MulDiv(12, dpiY, 72);
    } else {
        font.setPixelSize(ReferencePixelSize);
        const QFontMetrics reference(font, device->MeasureDevice());
        const std::int64_t cell = reference.ascent() + reference.descent();
        pixels = cell > 0 ? (height * ReferencePixelSize + cell / 2) / cell : height;
    }
    font.setPixelSize(static_cast<int>(std::clamp<std::int64_t>(pixels, 1, MaxPixelSize)));
    return font;
}

// A page holds hundreds of texts in a few sizes: each size's font and metrics
// are kept while the device and the face they were resolved for stay.
struct TPrinterCanvas::MetricsCache
{
    struct Entry
    {
        QFont Font;
        QFontMetrics Metrics;
        int Ascent = 0;
        int Cell = 0;
    };

    QPaintDevice* Device = nullptr;
    std::int32_t DpiX = 0;
    std::int32_t DpiY = 0;
    QString Face;
    std::map<std::int32_t, Entry> ByHeight;
    // The characters found drawable in Face, and not: a page repeats the
    // same few.
    QSet<char32_t> Drawable;
    QSet<char32_t> Undrawable;
};

TPrinterCanvas::TPrinterCanvas(TPrinter& printer)
    : m_printer(printer), m_cache(std::make_unique<MetricsCache>())
{}

TPrinterCanvas::~TPrinterCanvas() = default;

MeasuredText TPrinterCanvas::MeasureText(const std::string& textCp932, UndrawableText undrawable)
{
    MeasuredText m;
    m.m_bytes = textCp932;
    m.m_text = Decode(textCp932);
    Device* printer = m_printer.DeviceHandle();
    QPaintDevice* device = printer->MeasureDevice();
    const PrinterCaps caps = printer->Caps();
    const QString face = PrintFaceName();
    MetricsCache& cache = *m_cache;
    if (cache.Device != device || cache.DpiX != caps.DpiX || cache.DpiY != caps.DpiY ||
        cache.Face != face) {
        cache.Device = device;
        cache.DpiX = caps.DpiX;
        cache.DpiY = caps.DpiY;
        cache.Face = face;
        cache.ByHeight.clear();
        cache.Drawable.clear();
        cache.Undrawable.clear();
    }
    auto found = cache.ByHeight.find(m_font.Height());
    if (found == cache.ByHeight.end()) {
        const QFont font = DeviceFont();
        const QFontMetrics metrics(font, device);
        found =
            cache.ByHeight
                .emplace(m_font.Height(), MetricsCache::Entry{font, metrics, metrics.ascent(),
                                                              metrics.ascent() + metrics.descent()})
                .first;
    }
    const MetricsCache::Entry& entry = found->second;
    // Checked when measured, before anything is drawn: a text that would
    // come out as empty boxes stops the job, and the document it belongs to
    // is abandoned before it reaches the printer.
    m.m_undrawable = FindUndrawable(entry.Metrics, m.m_text);
    m.m_undrawableText = undrawable;
    if (m.m_undrawable != 0 && undrawable == UndrawableText::Refuse)
        ThrowNoFontFor(m.m_undrawable);
    m.m_font = entry.Font;
    m.m_device = device;
    m.m_fontHeight = m_font.Height();
    m.m_pixelsPerInch = m_font.PixelsPerInch();
    m.m_ascent = entry.Ascent;
    if (!m.m_text.isEmpty()) {
        m.m_width = entry.Metrics.horizontalAdvance(m.m_text);
        m.m_height = entry.Cell;
    }
    return m;
}

char32_t TPrinterCanvas::FindUndrawable(const QFontMetrics& metrics, const QString& text)
{
    MetricsCache& cache = *m_cache;
    for (const char32_t c : text.toUcs4()) {
        if (cache.Drawable.contains(c))
            continue;
        if (cache.Undrawable.contains(c) || FirstUndrawable(metrics, QString::fromUcs4(&c, 1))) {
            cache.Undrawable.insert(c);
            return c;
        }
        cache.Drawable.insert(c);
    }
    return 0;
}

void TPrinterCanvas::Changing()
{
    m_printer.CheckPrinting();
    m_font.SyncPixelsPerInch(m_printer.CurrentDevice()->Caps().DpiY);
}

void TPrinterCanvas::MovePenTo(std::int32_t x, std::int32_t y)
{
    m_x = x;
    m_y = y;
    if (TraceWriter* trace = m_printer.Trace())
        trace->MoveTo(x, y);
}

void TPrinterCanvas::DrawLineTo(std::int32_t x, std::int32_t y)
{
    Changing();
    QPainter* painter = m_printer.Painter();
    // Through the pixel centres, pulled back half a dot so that the band
    // starts at the first pixel's edge and stops short of the end pixel.
    QPointF a(m_x + 0.5 - TieBreak, m_y + 0.5 - TieBreak);
    QPointF b(x + 0.5 - TieBreak, y + 0.5 - TieBreak);
    const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
    if (length > 0 && ClipSegment(a, b)) {
        const QPointF unit = (QPointF(x, y) - QPointF(m_x, m_y)) / length;
        a -= unit * 0.5;
        b -= unit * 0.5;
        const QPointF normal = QPointF(-unit.y(), unit.x()) * (PenWidth(m_pen) / 2);
        PlainPainter(painter);
        painter->setPen(Qt::NoPen);
        painter->setBrush(ToQColor(m_pen.Color()));
        painter->drawPolygon(QPolygonF({a + normal, b + normal, b - normal, a - normal}));
    }
    m_x = x;
    m_y = y;
    if (TraceWriter* trace = m_printer.Trace())
        trace->LineTo(x, y, m_pen.Width());
}

void TPrinterCanvas::DrawShape(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                               double rx, double ry)
{
    double left = Limit(x1);
    double right = Limit(x2);
    double top = Limit(y1);
    double bottom = Limit(y2);
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    if (left == right || top == bottom)
        return;

    // The outline runs through the centres of the first and the last column
    // and row, so right and bottom are exclusive and a wide pen is centred.
    const QRectF centres(left + 0.5 - TieBreak, top + 0.5 - TieBreak, right - left - 1,
                         bottom - top - 1);
    QPainterPath path;
    if (rx > 0 && ry > 0)
        path.addRoundedRect(centres, std::min(rx, centres.width() / 2),
                            std::min(ry, centres.height() / 2));
    else
        path.addRect(centres);

    QPainter* painter = m_printer.Painter();
    PlainPainter(painter);
    if (m_brush.Style() == bsSolid)
        painter->fillPath(path, ToQColor(m_brush.Color()));
    if (painter->paintEngine() && painter->paintEngine()->type() == QPaintEngine::Pdf) {
        // A vector page keeps the outline as the path with the pen's width,
        // stroked where the page is rasterised: the same band as the outline
        // filled below, in a fraction of the page's bytes.
        painter->strokePath(path, QPen(ToQColor(m_pen.Color()), PenWidth(m_pen), Qt::SolidLine,
                                       Qt::FlatCap, Qt::MiterJoin));
        return;
    }
    QPainterPathStroker stroker;
    stroker.setWidth(PenWidth(m_pen));
    stroker.setJoinStyle(Qt::MiterJoin);
    stroker.setCapStyle(Qt::FlatCap);
    painter->fillPath(stroker.createStroke(path), ToQColor(m_pen.Color()));
}

void TPrinterCanvas::DrawRectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                   std::int32_t y2)
{
    Changing();
    DrawShape(x1, y1, x2, y2, 0, 0);
    if (TraceWriter* trace = m_printer.Trace())
        trace->Rect(x1, y1, x2, y2, m_pen.Width(), m_brush.Style() == bsSolid);
}

void TPrinterCanvas::DrawRoundRect(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                   std::int32_t y2, std::int32_t x3, std::int32_t y3)
{
    Changing();
    DrawShape(x1, y1, x2, y2, std::abs(static_cast<double>(x3)) / 2,
              std::abs(static_cast<double>(y3)) / 2);
    if (TraceWriter* trace = m_printer.Trace())
        trace->RoundRect(x1, y1, x2, y2, x3, y3, m_pen.Width(), m_brush.Style() == bsSolid);
}

void TPrinterCanvas::PutText(std::int32_t x, std::int32_t y, const std::string& textCp932)
{
    Changing();
    DrawText(x, y, MeasureText(textCp932));
}

void TPrinterCanvas::PutText(std::int32_t x, std::int32_t y, const MeasuredText& measured)
{
    Changing();
    // Measured in another font or on another device than the one in force
    // now: the text is laid out again rather than drawn with stale metrics.
    const bool current = measured.m_device == m_printer.DeviceHandle()->MeasureDevice() &&
                         measured.m_fontHeight == m_font.Height() &&
                         measured.m_pixelsPerInch == m_font.PixelsPerInch();
    if (current)
        DrawText(x, y, measured);
    else
        DrawText(x, y, MeasureText(measured.m_bytes, measured.m_undrawableText));
}

void TPrinterCanvas::DrawText(std::int32_t x, std::int32_t y, const MeasuredText& m)
{
    const bool solid = m_brush.Style() == bsSolid;
    if (!m.m_text.isEmpty() && std::abs(static_cast<double>(x)) < CoordinateLimit &&
        std::abs(static_cast<double>(y)) < CoordinateLimit) {
        QPainter* painter = m_printer.Painter();
        PlainPainter(painter);
        if (solid)
            painter->fillRect(QRectF(x, y, m.m_width, m.m_height), ToQColor(m_brush.Color()));
        painter->setFont(m.m_font);
        painter->setPen(ToQColor(m_font.Color()));
        painter->setBrush(Qt::NoBrush);
        painter->drawText(QPointF(x, static_cast<double>(y) + m.m_ascent), m.m_text);
    }
    m_x = Wrap(static_cast<std::int64_t>(x) + m.m_width);
    m_y = y;
    if (TraceWriter* trace = m_printer.Trace())
        trace->Text(x, y, m.m_bytes, m_font.Size(), m_font.Height(), m.m_width, m.m_height, solid);
}

} // namespace surface
