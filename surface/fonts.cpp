#include "fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>

#include "printererror.h"

namespace surface {

namespace {

// IPA fonts first: their proportional gothic is the closest match of the
// Windows gothic in width and weight. Noto CJK is the fallback where they are
// missing.
void Substitute(const QString& face, const QStringList& replacements)
{
    const QStringList present = QFont::substitutes(face);
    QStringList missing;
    for (const QString& r : replacements) {
        if (!present.contains(r, Qt::CaseInsensitive))
            missing << r;
    }
    if (!missing.isEmpty())
        QFont::insertSubstitutions(face, missing);
}

// The print face as last resolved; empty until asked for, and again whenever
// the substitutions change.
QString& ResolvedPrintFace()
{
    static QString face;
    return face;
}

} // namespace

QString DefaultFaceName()
{
    return QStringLiteral(u"ＭＳ Ｐゴシック");
}

QString PrintFaceName()
{
    // Looked up once: the font database's answer does not change while the
    // program runs, the substitutions change only below, and asking costs a
    // fontconfig match, which every text of a page would pay.
    QString& resolved = ResolvedPrintFace();
    if (resolved.isEmpty()) {
        resolved = DefaultFaceName();
        for (const QString& face : QFont::substitutes(DefaultFaceName())) {
            if (QFontDatabase::hasFamily(face)) {
                resolved = face;
                break;
            }
        }
    }
    return resolved;
}

char32_t FirstUndrawable(const QFontMetrics& metrics, const QString& text)
{
    for (const char32_t c : text.toUcs4()) {
        const bool control = c < 0x20 || (c >= 0x7F && c < 0xA0);
        if (control || c == 0xFFFD || metrics.inFontUcs4(c))
            continue;
        return c;
    }
    return 0;
}

void ThrowNoFontFor(char32_t c)
{
    const QString code = QStringLiteral("%1").arg(static_cast<uint>(c), 4, 16, QLatin1Char('0'));
    const QString message = QStringLiteral(u"「%1」(U+%2) を印刷できるフォントがありません。"
                                           u"日本語フォントの %3 をインストールしてください")
                                .arg(QString::fromUcs4(&c, 1), code.toUpper(),
                                     QString::fromLatin1(JapaneseFontPackage));
    ThrowPrinterError(message.toUtf8().constData());
}

void InstallFontSubstitutions()
{
    // Under a Japanese locale the font database knows the IPA fonts by their
    // Japanese names only; without those the Japanese user, of all users,
    // would print in the fallback face, with other cell heights.
    const QStringList proportional{QStringLiteral("IPAPGothic"), QStringLiteral(u"IPA Pゴシック"),
                                   QStringLiteral("Noto Sans CJK JP")};
    Substitute(DefaultFaceName(), proportional);
    Substitute(QStringLiteral("MS UI Gothic"), proportional);
    Substitute(QStringLiteral(u"ＭＳ ゴシック"),
               {QStringLiteral("IPAGothic"), QStringLiteral(u"IPAゴシック"),
                QStringLiteral("Noto Sans Mono CJK JP")});
    Substitute(QStringLiteral("MS Sans Serif"),
               {QStringLiteral("DejaVu Sans"), QStringLiteral("Nimbus Sans"),
                QStringLiteral("IPAPGothic"), QStringLiteral(u"IPA Pゴシック"),
                QStringLiteral("Noto Sans CJK JP")});
    ResolvedPrintFace().clear();
}

} // namespace surface
