// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/besttimestore.h"

#include "game/gamelog.h"
#include "game/setaside.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <utility>

namespace pelnori {

BestTimeStore::BestTimeStore()
    : BestTimeStore(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                    + QStringLiteral("/pelnori/besttimes.txt"))
{
}

BestTimeStore::BestTimeStore(QString path)
    : m_path(std::move(path))
{
}

// The records as the file holds them: none when there is no file yet, empty
// when it cannot be read. An unreadable file is renamed out of the way so
// that the next write starts afresh without losing it.
std::optional<BestTimes> BestTimeStore::read(QString *problem)
{
    QFile file(m_path);
    if (!file.exists())
        return BestTimes{};
    std::optional<BestTimes> times;
    if (file.open(QIODevice::ReadOnly))
        times = BestTimes::fromText(file.readAll());
    file.close();
    if (times)
        return times;

    if (const QString aside = setAside(m_path); !aside.isEmpty()) {
        qCWarning(lcStore, "%s: cannot read the best times, set aside as %s", qUtf8Printable(m_path),
                  qUtf8Printable(aside));
        if (problem)
            *problem = tr("記録のファイルが読めないため、%1 として残し、記録を新しく始めます。")
                           .arg(QDir::toNativeSeparators(aside));
        return BestTimes{};
    }
    qCWarning(lcStore, "%s: cannot read the best times, nor set them aside", qUtf8Printable(m_path));
    if (problem)
        *problem = tr("記録のファイル %1 が読めないため、記録を残せません。").arg(QDir::toNativeSeparators(m_path));
    return std::nullopt;
}

bool BestTimeStore::write(const BestTimes &times, QString *problem)
{
    QSaveFile file(m_path);
    const bool written = QDir().mkpath(QFileInfo(m_path).absolutePath()) && file.open(QIODevice::WriteOnly)
                         && file.write(times.toText()) >= 0 && file.commit();
    if (!written) {
        qCWarning(lcStore, "%s: cannot write the best times", qUtf8Printable(m_path));
        if (problem)
            *problem = tr("記録を %1 に保存できませんでした。").arg(QDir::toNativeSeparators(m_path));
    }
    return written;
}

BestTimeStore::Kept BestTimeStore::addGame(const QString &effectPath, int pairs, int seconds)
{
    Kept kept;
    const QString id = effectFileId(effectPath);
    if (id.isEmpty())
        return kept; // the file is gone: nothing to know it by
    std::optional<BestTimes> times = read(&kept.problem);
    if (!times)
        return kept;
    kept.beaten = times->add({id, QFileInfo(effectPath).fileName(), pairs, seconds});
    QString writeProblem;
    write(*times, &writeProblem);
    if (!writeProblem.isEmpty())
        kept.problem = kept.problem.isEmpty() ? writeProblem : kept.problem + u'\n' + writeProblem;
    return kept;
}

BestTimes BestTimeStore::load(QString *problem)
{
    return read(problem).value_or(BestTimes{});
}

bool BestTimeStore::clear(QString *problem)
{
    // A file that cannot be read is set aside first, so clearing never
    // loses what the player has not seen.
    if (!read(problem))
        return false;
    if (!QFile::exists(m_path) || QFile::remove(m_path))
        return true;
    if (problem)
        *problem = tr("記録を消せませんでした。");
    return false;
}

} // namespace pelnori
