// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/besttimes.h"

#include "game/settingslimits.h"

#include <QCryptographicHash>
#include <QFile>

namespace pelnori {

namespace {

const QByteArray kHeader = QByteArrayLiteral("pelnori best times 1");

} // namespace

std::optional<int> BestTimes::best(const QString &fileId, int pairs) const
{
    for (const BestTime &time : m_times) {
        if (time.fileId == fileId && time.pairs == pairs)
            return time.seconds;
    }
    return std::nullopt;
}

bool BestTimes::add(const BestTime &game)
{
    // The name last used stands for the file everywhere.
    for (BestTime &time : m_times) {
        if (time.fileId == game.fileId)
            time.fileName = game.fileName;
    }
    for (BestTime &time : m_times) {
        if (time.fileId == game.fileId && time.pairs == game.pairs) {
            if (game.seconds >= time.seconds)
                return false;
            time.seconds = game.seconds;
            return true;
        }
    }
    m_times.append(game);
    return false;
}

QByteArray BestTimes::toText() const
{
    QByteArray text = kHeader + '\n';
    for (const BestTime &time : m_times) {
        // A name never breaks its line or its fields.
        QString name = time.fileName;
        name.replace(u'\t', u' ').replace(u'\n', u' ').replace(u'\r', u' ');
        text += time.fileId.toLatin1() + '\t' + QByteArray::number(time.pairs) + '\t'
                + QByteArray::number(time.seconds) + '\t' + name.toUtf8() + '\n';
    }
    return text;
}

std::optional<BestTimes> BestTimes::fromText(const QByteArray &text)
{
    QList<QByteArray> lines = text.split('\n');
    if (lines.isEmpty() || lines.takeFirst().trimmed() != kHeader)
        return std::nullopt;
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    BestTimes times;
    for (const QByteArray &line : std::as_const(lines)) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() != 4)
            return std::nullopt;
        bool pairsOk = false;
        bool secondsOk = false;
        BestTime time{QString::fromLatin1(fields[0]), QString::fromUtf8(fields[3]).trimmed(),
                      fields[1].toInt(&pairsOk), fields[2].toInt(&secondsOk)};
        const bool digest = time.fileId.size() == 64
                            && std::all_of(time.fileId.cbegin(), time.fileId.cend(), [](QChar c) {
                                   return c.isDigit() || (c >= u'a' && c <= u'f');
                               });
        if (!digest || !pairsOk || !validPairs(time.pairs) || !secondsOk || time.seconds < 0)
            return std::nullopt;
        times.add(time);
    }
    return times;
}

QString effectFileId(const QString &path)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return {};
    return QString::fromLatin1(hash.result().toHex());
}

} // namespace pelnori
