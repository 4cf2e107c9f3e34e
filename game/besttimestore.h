// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/besttimes.h"

#include <QCoreApplication>
#include <QString>

namespace pelnori {

// Where best times are kept between runs: a small text file, on Linux
// $XDG_DATA_HOME/pelnori/besttimes.txt. It is written whole through a save
// file, so a crash or a full disk leaves the earlier records as they were. A
// file that cannot be read is set aside under another name, never written
// over. Every problem comes back as a text in the player's language to show.
class BestTimeStore
{
    Q_DECLARE_TR_FUNCTIONS(BestTimeStore)

public:
    // The store at the platform's data location.
    BestTimeStore();
    // The store at path, for tests.
    explicit BestTimeStore(QString path);

    QString path() const { return m_path; }

    // What keeping a finished game came to.
    struct Kept
    {
        bool beaten = false; // an earlier best was beaten
        QString problem;     // to tell the player; empty when all went well
    };

    // Keeps a finished one-player game of `pairs` pairs, played with the
    // effect file at effectPath, that took `seconds`.
    Kept addGame(const QString &effectPath, int pairs, int seconds);
    // Every best time. A file that cannot be read is set aside and reads as
    // none; `problem` then says so.
    BestTimes load(QString *problem = nullptr);
    // Forgets every best time; false, with `problem` set, when they remain.
    bool clear(QString *problem = nullptr);

private:
    std::optional<BestTimes> read(QString *problem);
    bool write(const BestTimes &times, QString *problem);

    QString m_path;
};

} // namespace pelnori
