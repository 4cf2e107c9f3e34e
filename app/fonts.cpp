// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/fonts.h"

#include "app/twips.h"

#include <QFontDatabase>
#include <QGuiApplication>

namespace pelnori {

QString fixedGothicFamily()
{
    return QStringLiteral("ＭＳ ゴシック");
}

QString proportionalGothicFamily()
{
    return QStringLiteral("ＭＳ Ｐゴシック");
}

namespace {

// Preferred faces first; the first installed one wins, then any Japanese face
// of the wanted pitch. A face counts as installed under any of its names:
// fontconfig lists each face by its name in the locale's language
// ("IPA Pゴシック" under ja_JP rather than "IPAPGothic"), and Qt knows the
// other names as aliases.
QStringList candidates(const QStringList &preferred, bool fixedPitch)
{
    QStringList chosen;
    for (const QString &family : preferred)
        if (QFontDatabase::hasFamily(family))
            chosen.append(family);
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    for (const QString &family : japanese)
        if (QFontDatabase::isFixedPitch(family) == fixedPitch && !chosen.contains(family))
            chosen.append(family);
    for (const QString &family : japanese)
        if (!chosen.contains(family))
            chosen.append(family);
    return chosen;
}

} // namespace

QStringList installFontSubstitutions()
{
    const QStringList fixed = candidates({QStringLiteral("MS Gothic"), QStringLiteral("IPAGothic"),
                                          QStringLiteral("IPAexGothic"), QStringLiteral("Noto Sans Mono CJK JP"),
                                          QStringLiteral("Noto Sans CJK JP")},
                                         true);
    const QStringList proportional = candidates({QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
                                                 QStringLiteral("IPAexGothic"), QStringLiteral("Noto Sans CJK JP")},
                                                false);
    QFont::insertSubstitutions(fixedGothicFamily(), fixed);
    QFont::insertSubstitutions(proportionalGothicFamily(), proportional);
    // The default font too is a Japanese Gothic, at the desktop's size: left
    // to fontconfig, it would follow the locale (a fixed-pitch face under
    // ja_JP, a Latin face with borrowed kana under C), and the window would
    // not read the same in every locale.
    QFont standard = QGuiApplication::font();
    standard.setFamilies({proportionalGothicFamily()});
    QGuiApplication::setFont(standard);
    return {fixed.value(0), proportional.value(0)};
}

QFont designFont(const QString &family, qreal pointSize, bool bold)
{
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

QFont zoomedDefaultFont()
{
    if (zoomPercent() == 100)
        return QFont();
    QFont font = QGuiApplication::font();
    font.setPointSizeF(font.pointSizeF() * zoomScale());
    return font;
}

} // namespace pelnori
