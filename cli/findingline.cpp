#include "findingline.h"

#include <QJsonDocument>
#include <QJsonObject>

#include "argumentcodec.h"
#include "findingtext.h"

namespace cli {

namespace {

// JSON holds Unicode: a byte of the path that is not UTF-8 (a Shift-JIS file
// name) is written as the escaping rule writes a control byte, "\xNN".
QString JsonText(const std::string& shown)
{
    static constexpr char Hex[] = "0123456789abcdef";
    const QString decoded = DecodeArgument(shown);
    QString text;
    text.reserve(decoded.size());
    for (const QChar c : decoded) {
        const char16_t unit = c.unicode();
        if (unit >= 0xDC80 && unit <= 0xDCFF) {
            const auto byte = static_cast<unsigned>(unit - 0xDC00);
            text +=
                QStringLiteral("\\x") + QLatin1Char(Hex[byte >> 4]) + QLatin1Char(Hex[byte & 0xF]);
        } else {
            text += c;
        }
    }
    return text;
}

} // namespace

void AppendFinding(std::string& out, const std::string& path, const print::Finding& finding,
                   bool json)
{
    const char* severity = finding.Error ? "error" : "warning";
    if (json) {
        QJsonObject object{
            {"path", JsonText(path)},
            {"line", finding.Line > 0 ? QJsonValue(finding.Line) : QJsonValue(QJsonValue::Null)},
            {"column",
             finding.Column > 0 ? QJsonValue(finding.Column) : QJsonValue(QJsonValue::Null)},
            {"severity", severity},
            {"code", print::FindingCode(finding.Code)},
            {"message", QString::fromStdString(print::FindingMessage(finding))}};
        out += QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
        return;
    }
    out += path;
    if (finding.Line > 0) {
        out += ':';
        out += std::to_string(finding.Line);
    }
    if (finding.Line > 0 && finding.Column > 0) {
        out += ':';
        out += std::to_string(finding.Column);
    }
    out += ": ";
    out += severity;
    out += ": ";
    print::AppendFindingMessage(out, finding);
}

} // namespace cli
