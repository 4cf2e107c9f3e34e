// SPDX-License-Identifier: GPL-3.0-or-later
#include "console.h"

#include <QCommandLineParser>
#include <QDir>

#include <cstdlib>

namespace pelnori::fx {

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

void usageError(const QString &syntax)
{
    out().flush();
    err() << "usage: pelnori-fx " << syntax << "\n";
    err().flush();
    std::exit(Usage);
}

QStringList commandArguments(const QStringList &arguments, const QString &syntax, const QString &description,
                             const QList<std::pair<QString, QString>> &positionals)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(description);
    parser.addHelpOption();
    const QString command = syntax.section(QLatin1Char(' '), 0, 0);
    parser.addPositionalArgument(command, QString(), command);
    for (const auto &[name, help] : positionals)
        parser.addPositionalArgument(name, help);
    parser.process(arguments);
    QStringList values = parser.positionalArguments();
    values.removeFirst();
    if (values.size() != positionals.size())
        usageError(syntax);
    return values;
}

bool readOrReport(const QString &path, ParsedEffectFile &parsed)
{
    parsed = readEffectFile(path);
    const QString shown = QDir::toNativeSeparators(path);
    for (const EffectFileProblem &problem : parsed.problems)
        err() << shown << ':' << problem.line << ':' << problem.column << ": " << problem.message << "\n";
    return parsed.ok();
}

} // namespace pelnori::fx
