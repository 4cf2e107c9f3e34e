// SPDX-License-Identifier: GPL-3.0-or-later
#include "console.h"

#include "common/nativepath.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

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

namespace {

std::vector<QByteArray> &rawArguments()
{
    static std::vector<QByteArray> arguments;
    return arguments;
}

// The bytes of the argument Qt decoded as value.
QByteArray nativeArgument(const QString &value)
{
    // Only a name that was not UTF-8 decodes with U+FFFD in it.
    if (value.contains(QChar::ReplacementCharacter)) {
        for (const QByteArray &raw : rawArguments()) {
            if (!decodesLosslessly(raw) && QFile::decodeName(raw) == value)
                return raw;
        }
    }
    return QFile::encodeName(value);
}

} // namespace

QString shownArgument(const QString &path)
{
    const QByteArray native = nativeArgument(path);
    return decodesLosslessly(native) ? QDir::toNativeSeparators(path) : shownPath(native);
}

void keepRawArguments(int argc, char *argv[])
{
    for (int i = 0; i < argc; ++i)
        rawArguments().emplace_back(argv[i]);
}

bool readOrReport(const QString &path, ParsedEffectFile &parsed)
{
    const QByteArray native = nativeArgument(path);
    if (decodesLosslessly(native)) {
        parsed = readEffectFile(path);
    } else {
        const QString usable = usablePath(native);
        const QString shownName = shownPath(native);
        if (usable.isEmpty()) {
            const int why = errno;
            parsed = {};
            parsed.problems.push_back({0, 0, why == ENOENT ? QStringLiteral("%1 does not exist").arg(shownName)
                                                           : QStringLiteral("%1 cannot be opened: %2")
                                                                 .arg(shownName, QString::fromLocal8Bit(std::strerror(why)))});
        } else {
            parsed = readEffectFile(usable);
            // The reader names the file by the way it reached it.
            for (EffectFileProblem &problem : parsed.problems)
                problem.message.replace(usable, shownName);
        }
    }
    const QString shown = shownArgument(path);
    for (const EffectFileProblem &problem : parsed.problems)
        err() << shown << ':' << problem.line << ':' << problem.column << ": " << problem.message << "\n";
    return parsed.ok();
}

} // namespace pelnori::fx
