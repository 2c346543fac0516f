// The yardstick for ocrprint-cli print: the least a Qt program can do to put
// the texts of a data file into a PDF. It reads the file, cuts the position,
// the size, the anchors and the text of every line, and draws them with
// QPdfWriter at 600 dpi in the font, the sizes and at the places the CLI
// draws them (no correction and no offsets set), with the rounded frame of a
// framed entry, so that the page is the CLI's, and saves it as a careful
// program does (QSaveFile: a temporary, synced to the disk, renamed over the
// file): no checks beyond skipping short lines, no trace.
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSaveFile>
#include <cstdio>

#include "cp932.h"
#include "dots.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_minimal_pdf DATA OUT.pdf\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly))
        return 1;
    QSaveFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly))
        return 1;
    QPdfWriter writer(&out);
    writer.setResolution(600);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    // The CLI's font: unhinted, unkerned glyphs lay out the same at every size.
    QFont font(QStringLiteral("IPAPGothic"));
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setKerning(false);
    while (!in.atEnd()) {
        const QByteArray line = in.readLine().trimmed();
        const QList<QByteArray> fields = line.split(',');
        if (fields.size() < 12)
            continue;
        // The text is all after the eleventh comma (it may hold commas), its
        // quotes taken off.
        qsizetype start = 0;
        for (int i = 0; i < 11; ++i)
            start = line.indexOf(',', start) + 1;
        QByteArray text = line.mid(start);
        if (text.startsWith('"'))
            text = text.mid(1, text.size() - 2);
        font.setPixelSize((fields[2].toInt() * 600 + 36) / 72); // points, rounded
        painter.setFont(font);
        const QString string = QString::fromStdU16String(core::DecodeCp932(text.toStdString()));
        // Anchors 1, 2, 3: left, centre, right of the text; top, middle, bottom.
        const QFontMetrics metrics = painter.fontMetrics();
        const int x = fields[0].toDouble() / core::MmPerInch * 600 -
                      metrics.horizontalAdvance(string) / 2 * (fields[3].toInt() - 1);
        const int y = fields[1].toDouble() / core::MmPerInch * 600 -
                      (metrics.ascent() + metrics.descent()) / 2 * (fields[5].toInt() - 1);
        painter.drawText(QPointF(x, y + metrics.ascent()), string);
        if (fields[4].toInt() == 1) {
            // 0.3 mm wide, corners of 1.5 mm, around the text's cell.
            const int width = metrics.horizontalAdvance(string);
            const int height = metrics.ascent() + metrics.descent();
            QPainterPath frame;
            frame.addRoundedRect(QRectF(x + 0.5, y + 0.5, width - 1, height - 1), 17.5, 17.5);
            painter.strokePath(frame,
                               QPen(Qt::black, 7, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        }
    }
    painter.end();
    return out.commit() ? 0 : 1;
}
