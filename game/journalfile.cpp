// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/journalfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace pelnori {

QString defaultJournalFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/pelnori/journal.jsonl");
}

QString journalFileFor(bool keepJournal, const QString &commandLineFile)
{
    if (!commandLineFile.isEmpty())
        return commandLineFile;
    return keepJournal ? defaultJournalFile() : QString();
}

namespace {

bool endsInNewline(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
        return true;
    char last = '\n';
    return file.seek(file.size() - 1) && file.getChar(&last) && last == '\n';
}

} // namespace

bool appendJournalLine(const QString &path, const QByteArray &line)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    const QByteArray data = endsInNewline(path) ? line : '\n' + line;
    // Unbuffered: the line is handed to the system in one write.
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return false;
    const bool written = file.write(data) == data.size();
    file.close();
    return written && file.error() == QFileDevice::NoError;
}

} // namespace pelnori
