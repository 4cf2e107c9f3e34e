// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakes/fakeboard.h"

#include "common/errors.h"

#include <QFileInfo>

namespace pelnori::test {

FakeBoard::FakeBoard()
{
    for (int i = 0; i < kCardCount; ++i) {
        left[i] = gridLeft(i);
        top[i] = gridTop(i);
    }
}

void FakeBoard::clearCardPicture(int card)
{
    pictures[card].clear();
    if (log)
        log->append(QStringLiteral("clear %1").arg(card));
}

void FakeBoard::loadCardPicture(int card, const QString &file)
{
    const QString name = QFileInfo(file).fileName();
    if (log)
        log->append(QStringLiteral("load %1 %2").arg(card).arg(name));
    if (missingFiles.contains(name))
        throw ImageLoadError(file);
    pictures[card] = name;
}

void FakeBoard::setInfo(const QString &text)
{
    info = text;
    if (log)
        log->append(QStringLiteral("info %1").arg(text));
}

void FakeBoard::repaintNow()
{
    if (log)
        log->append(QStringLiteral("repaint"));
}

QString FakeBoard::faces() const
{
    QString out;
    for (const QString &p : pictures) {
        if (p.isEmpty())
            out += u'-';
        else if (p == QLatin1String("Card.bmp"))
            out += u'b';
        else if (p == QLatin1String("Cardopen.bmp"))
            out += u'o';
        else if (p == QLatin1String("Cardsumi.bmp"))
            out += u's';
        else
            out += u'?';
    }
    return out;
}

} // namespace pelnori::test
