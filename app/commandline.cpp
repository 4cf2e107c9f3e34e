// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandline.h"

#include "game/settingslimits.h"

#include <QCommandLineParser>
#include <QCoreApplication>
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
    result.standardError =
        QStringLiteral("%1: %2\n").arg(program, what)
        + QCoreApplication::translate("CommandLine", "詳しくは '%1 --help' を実行してください。").arg(program) + u'\n';
    return result;
}

// The value of an option that takes a number, checked; empty with `problem`
// set when it is not one the game can use.
std::optional<int> numberOption(const QCommandLineParser &parser, const QCommandLineOption &option,
                                bool (*valid)(int), const QString &allowed, QString &problem)
{
    if (!parser.isSet(option))
        return std::nullopt;
    const QString text = parser.value(option);
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (ok && valid(value))
        return value;
    if (problem.isEmpty())
        problem = QCoreApplication::translate("CommandLine", "--%1 に '%2' は使えません。%3")
                      .arg(option.names().constFirst(), text, allowed);
    return std::nullopt;
}

} // namespace

CommandLine readCommandLine(const QStringList &arguments)
{
    const QString program =
        arguments.isEmpty() ? QStringLiteral("pelnori") : QFileInfo(arguments.constFirst()).fileName();

    QCommandLineParser parser;
    // Qt's own options are single-dash words (-platform); so are ours (-sound).
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // Japanese has no spaces for Qt to wrap long lines at; the texts break their own.
    parser.setApplicationDescription(QCoreApplication::translate(
        "CommandLine", "手ざわりで遊ぶ神経衰弱です。\nカードごとのエフェクトを感じ取って、同じカードの組を探します。"));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QCoreApplication::translate("CommandLine", "このヘルプを表示して終了します。"));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QCoreApplication::translate("CommandLine", "バージョンを表示して終了します。"));
    const QCommandLineOption sound(
        QStringLiteral("sound"),
        QCoreApplication::translate("CommandLine", "すべてのエフェクトを音でも鳴らします。\n"
                                                   "フォースフィードバック機器がなくても、耳で遊べます。"));
    const QCommandLineOption pairs(
        QStringLiteral("pairs"),
        QCoreApplication::translate("CommandLine", "この回だけ、ペアの数を N にします（4、6、8）。"),
        QStringLiteral("N"));
    const QCommandLineOption strength(
        QStringLiteral("strength"),
        QCoreApplication::translate("CommandLine", "この回だけ、効果の強さを PERCENT %にします\n"
                                                   "（10〜100、10ずつ）。"),
        QStringLiteral("PERCENT"));
    const QCommandLineOption zoom(
        QStringLiteral("zoom"),
        QCoreApplication::translate("CommandLine", "この回だけ、表示の大きさを PERCENT %にします\n"
                                                   "（100、150、200、300）。"),
        QStringLiteral("PERCENT"));
    parser.addOptions({help, version, sound, pairs, strength, zoom});
    acceptQtOptions(parser);

    if (!parser.parse(arguments))
        return mistake(program, parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return mistake(program, QCoreApplication::translate("CommandLine", "余分な引数 '%1' があります。")
                                    .arg(parser.positionalArguments().constFirst()));

    CommandLine result;
    QString problem;
    result.pairs = numberOption(parser, pairs, validPairs,
                                QCoreApplication::translate("CommandLine", "4、6、8 のどれかを指定してください。"),
                                problem);
    result.strength = numberOption(
        parser, strength, validStrength,
        QCoreApplication::translate("CommandLine", "10〜100 の 10 の倍数を指定してください。"), problem);
    result.zoom = numberOption(
        parser, zoom, validZoom,
        QCoreApplication::translate("CommandLine", "100、150、200、300 のどれかを指定してください。"), problem);
    if (!problem.isEmpty() && !parser.isSet(help) && !parser.isSet(version))
        return mistake(program, problem);

    if (parser.isSet(help)) {
        result.exitCode = 0;
        // Qt names the program only when an application object exists; the
        // usage line is ours so that it always reads the same.
        const QString text = parser.helpText();
        result.standardOutput = QCoreApplication::translate("CommandLine", "使い方: %1 [オプション]").arg(program)
                                + text.mid(text.indexOf(u'\n'));
    } else if (parser.isSet(version)) {
        result.exitCode = 0;
        result.standardOutput = QStringLiteral("Pelnori %1\n").arg(QStringLiteral(PELNORI_VERSION));
    }
    result.sound = parser.isSet(sound);
    return result;
}

Settings withOverrides(Settings settings, const CommandLine &commandLine)
{
    settings.pairs = commandLine.pairs.value_or(settings.pairs);
    settings.strength = commandLine.strength.value_or(settings.strength);
    settings.zoom = commandLine.zoom.value_or(settings.zoom);
    settings.sound = settings.sound || commandLine.sound;
    return settings;
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
