// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace pelnori {

// The play journal's file when the player keeps one: in the data location,
// on Linux $XDG_DATA_HOME/pelnori/journal.jsonl, by default
// ~/.local/share/pelnori/journal.jsonl.
QString defaultJournalFile();

// The file this run appends its games to: the one given on the command line
// for this run, else the default file when the player keeps a journal, else
// none (empty).
QString journalFileFor(bool keepJournal, const QString &commandLineFile);

// Appends one whole line (ending in a newline) to the file at path, creating
// the file and its folder when missing. The line goes out in one write to a
// file opened for appending, so the lines before it are never touched; when
// the file does not end in a newline (a write cut short by a crash), the line
// starts on a new one. False when the file cannot be written.
bool appendJournalLine(const QString &path, const QByteArray &line);

} // namespace pelnori
