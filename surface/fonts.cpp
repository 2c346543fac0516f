#include "fonts.h"

#include <QFont>
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

} // namespace

QString DefaultFaceName()
{
    return QStringLiteral(u"ＭＳ Ｐゴシック");
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
}

} // namespace surface
