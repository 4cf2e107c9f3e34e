// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "effects/effectfile.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <utility>

namespace pelnori::fx {

enum Exit { Ok = 0, Refused = 1, Usage = 2 };

QTextStream &out();
QTextStream &err();

// Parses the arguments of one command; shows its help and leaves on --help,
// and leaves with Usage when the positional arguments do not match.
// arguments are the program's own, the command first.
QStringList commandArguments(const QStringList &arguments, const QString &syntax, const QString &description,
                             const QList<std::pair<QString, QString>> &positionals);

// Leaves with Usage after printing the command's syntax.
[[noreturn]] void usageError(const QString &syntax);

// Keeps the program's arguments as the system gave them: a file name that
// is not UTF-8 reaches Qt only as a lossy copy.
void keepRawArguments(int argc, char *argv[]);

// A file argument as messages name it: as given, with \xNN for bytes that
// are not UTF-8.
QString shownArgument(const QString &path);

// Reads the effect file at path (an argument, as Qt decoded it); when it is
// refused, prints each problem as FILE:LINE:COLUMN: message and gives false.
// A name that is not UTF-8 is read by its bytes and shown with \xNN.
bool readOrReport(const QString &path, ParsedEffectFile &parsed);

} // namespace pelnori::fx
