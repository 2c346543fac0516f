#include "fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

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

void InstallFontSubstitutions()
{
    const QStringList proportional{QStringLiteral("IPAPGothic"),
                                   QStringLiteral("Noto Sans CJK JP")};
    Substitute(DefaultFaceName(), proportional);
    Substitute(QStringLiteral("MS UI Gothic"), proportional);
    Substitute(QStringLiteral(u"ＭＳ ゴシック"),
               {QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP")});
    Substitute(QStringLiteral("MS Sans Serif"),
               {QStringLiteral("DejaVu Sans"), QStringLiteral("Nimbus Sans"),
                QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
    ResolvedPrintFace().clear();
}

} // namespace surface
