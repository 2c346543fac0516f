#include "testutil.h"

#include <QFile>
#include <QJsonDocument>

namespace testutil {

std::vector<QJsonObject> ReadTrace(const std::string& path)
{
    std::vector<QJsonObject> lines;
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (!line.trimmed().isEmpty())
            lines.push_back(QJsonDocument::fromJson(line).object());
    return lines;
}

std::vector<QJsonObject> TraceOps(const std::vector<QJsonObject>& trace, const char* op)
{
    std::vector<QJsonObject> found;
    for (const QJsonObject& line : trace)
        if (!op || line["op"].toString() == QLatin1String(op))
            found.push_back(line);
    return found;
}

} // namespace testutil
