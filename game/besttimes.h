// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace pelnori {

// A best time: the fewest seconds a one-player game took with one effect
// file and one number of pairs. The file is known by a digest of its
// contents, so a renamed copy keeps its record; its name is kept for show.
struct BestTime
{
    QString fileId;
    QString fileName;
    int pairs = 0;
    int seconds = 0;

    bool operator==(const BestTime &) const = default;
};

// All best times, as kept in the records file: one line each after a
// header line, "digest<TAB>pairs<TAB>seconds<TAB>file name".
class BestTimes
{
public:
    // The best time for the file and pairs, if any game was kept.
    std::optional<int> best(const QString &fileId, int pairs) const;
    // Keeps a finished game's time when it is the first or the best; true
    // only when it beat an earlier best. The file's name is updated either way.
    bool add(const BestTime &game);
    const QList<BestTime> &all() const { return m_times; }
    bool isEmpty() const { return m_times.isEmpty(); }

    QByteArray toText() const;
    // Empty when the text is not a records file: a bad header or any line
    // that does not read whole.
    static std::optional<BestTimes> fromText(const QByteArray &text);

private:
    QList<BestTime> m_times;
};

// The digest that identifies an effect file by its contents (SHA-256, in
// lower-case hex), for best times and the play journal alike; empty when the
// file cannot be read.
QString effectFileId(const QString &path);

} // namespace pelnori
