// The yardstick for ocrprint-cli print: the least a Qt program can do to put
// the texts of a data file into a PDF. It reads the file, cuts the position,
// the size and the text of every line, and draws them with QPdfWriter at
// 600 dpi: no correction, no anchors, no frames, no trace.
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <cstdio>

#include "cp932.h"

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
    QPdfWriter writer(QString::fromLocal8Bit(argv[2]));
    writer.setResolution(600);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    QFont font(QStringLiteral("IPAPGothic"));
    while (!in.atEnd()) {
        const QByteArray line = in.readLine().trimmed();
        const QList<QByteArray> fields = line.split(',');
        if (fields.size() < 12)
            continue;
        font.setPixelSize(fields[2].toInt() * 600 / 72);
        painter.setFont(font);
        const QByteArray text = line.mid(line.indexOf(fields[11]));
        painter.drawText(
            QPointF(fields[0].toDouble() / 25.4 * 600, fields[1].toDouble() / 25.4 * 600),
            QString::fromStdU16String(core::DecodeCp932(text.toStdString())));
    }
    return 0;
}
