// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandline.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <cstdio>

namespace pelnori {

namespace {

constexpr int kUsageError = 2;

// Options QApplication reads from the same command line; they are accepted
// here and not shown in the help.
void acceptQtOptions(QCommandLineParser &parser)
{
    for (const char *name : {"platform", "platformpluginpath", "platformtheme", "plugin", "display", "geometry",
                             "qwindowgeometry", "qwindowicon", "qwindowtitle", "session", "style", "stylesheet",
                             "qmljsdebugger"}) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : {"reverse", "widgetcount", "nograb", "dograb", "sync"}) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

CommandLine mistake(const QString &program, const QString &what)
{
    CommandLine result;
    result.exitCode = kUsageError;
    result.standardError = QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n").arg(program, what);
    return result;
}

} // namespace

CommandLine readCommandLine(const QStringList &arguments)
{
    const QString program =
        arguments.isEmpty() ? QStringLiteral("pelnori") : QFileInfo(arguments.constFirst()).fileName();

    QCommandLineParser parser;
    // Qt's own options are single-dash words (-platform); so are ours (-sound).
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("A memory card game played by touch: find the pairs of cards by the effect each plays."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and quit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and quit."));
    const QCommandLineOption sound(QStringLiteral("sound"),
                                   QStringLiteral("Play every effect as sound as well, so the game can be played by "
                                                  "ear, also without a force-feedback device."));
    parser.addOptions({help, version, sound});
    acceptQtOptions(parser);

    if (!parser.parse(arguments))
        return mistake(program, parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return mistake(program, QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().constFirst()));

    CommandLine result;
    if (parser.isSet(help)) {
        result.exitCode = 0;
        // Qt names the program only when an application object exists; the
        // usage line is ours so that it always reads the same.
        const QString text = parser.helpText();
        result.standardOutput = QStringLiteral("Usage: %1 [options]").arg(program) + text.mid(text.indexOf(u'\n'));
    } else if (parser.isSet(version)) {
        result.exitCode = 0;
        result.standardOutput = QStringLiteral("Pelnori %1\n").arg(QStringLiteral(PELNORI_VERSION));
    }
    result.sound = parser.isSet(sound);
    return result;
}

QStringList argumentsOf(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

int endAsAsked(const CommandLine &commandLine)
{
    std::fputs(commandLine.standardOutput.toLocal8Bit().constData(), stdout);
    std::fputs(commandLine.standardError.toLocal8Bit().constData(), stderr);
    return commandLine.exitCode.value_or(0);
}

} // namespace pelnori
