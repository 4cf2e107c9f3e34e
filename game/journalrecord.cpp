// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/journalrecord.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <optional>
#include <utility>

namespace pelnori {

namespace {

// Each value and its word in the file. The words are the format: never
// change one, only add.
constexpr std::pair<TurnInput, const char *> kInputWords[] = {{TurnInput::Mouse, "mouse"},
                                                              {TurnInput::Keys, "keys"},
                                                              {TurnInput::Controller, "controller"},
                                                              {TurnInput::ScreenReader, "screen-reader"},
                                                              {TurnInput::Computer, "computer"}};
constexpr std::pair<TurnVerdict, const char *> kVerdictWords[] = {{TurnVerdict::First, "first"},
                                                                  {TurnVerdict::Pair, "pair"},
                                                                  {TurnVerdict::NoPair, "no-pair"},
                                                                  {TurnVerdict::ReplayOpen, "replay-open"},
                                                                  {TurnVerdict::ReplayMatched, "replay-matched"}};
constexpr std::pair<GameEnd, const char *> kEndWords[] = {{GameEnd::Completed, "completed"},
                                                          {GameEnd::NewGame, "new-game"},
                                                          {GameEnd::OtherFile, "other-file"},
                                                          {GameEnd::Quit, "quit"}};
constexpr std::pair<Players, const char *> kPlayersWords[] = {
    {Players::One, "one"}, {Players::Two, "two"}, {Players::Computer, "computer"}};
constexpr const char *kSoundWord = "sound";

template<typename Enum, std::size_t N>
QString wordOf(const std::pair<Enum, const char *> (&words)[N], Enum value)
{
    for (const auto &[each, word] : words) {
        if (each == value)
            return QString::fromLatin1(word);
    }
    return {};
}

template<typename Enum, std::size_t N>
std::optional<Enum> valueOf(const std::pair<Enum, const char *> (&words)[N], const QJsonValue &word)
{
    for (const auto &[each, text] : words) {
        if (word.toString() == QLatin1String(text))
            return each;
    }
    return std::nullopt;
}

QJsonArray stringArray(const QStringList &strings)
{
    QJsonArray array;
    for (const QString &s : strings)
        array.append(s);
    return array;
}

std::optional<QStringList> stringsOf(const QJsonValue &value)
{
    if (!value.isArray())
        return std::nullopt;
    QStringList strings;
    for (const QJsonValue &each : value.toArray()) {
        if (!each.isString())
            return std::nullopt;
        strings << each.toString();
    }
    return strings;
}

QJsonObject turnObject(const JournalTurn &turn)
{
    return {{QStringLiteral("ms"), qint64(turn.ms)},
            {QStringLiteral("card"), turn.card},
            {QStringLiteral("effect"), turn.effect},
            {QStringLiteral("seen"), turn.seenBefore},
            {QStringLiteral("verdict"), wordOf(kVerdictWords, turn.verdict)},
            {QStringLiteral("input"), wordOf(kInputWords, turn.input)}};
}

std::optional<JournalTurn> turnOf(const QJsonValue &value)
{
    const QJsonObject o = value.toObject();
    const auto verdict = valueOf(kVerdictWords, o.value(QLatin1String("verdict")));
    const auto input = valueOf(kInputWords, o.value(QLatin1String("input")));
    if (!verdict || !input || !o.value(QLatin1String("ms")).isDouble() || !o.value(QLatin1String("card")).isDouble()
        || !o.value(QLatin1String("effect")).isString() || !o.value(QLatin1String("seen")).isBool())
        return std::nullopt;
    return JournalTurn{o.value(QLatin1String("ms")).toInteger(),
                       o.value(QLatin1String("card")).toInt(),
                       o.value(QLatin1String("effect")).toString(),
                       o.value(QLatin1String("seen")).toBool(),
                       *verdict,
                       *input};
}

std::optional<JournalGame> gameOf(const QByteArray &line)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(line, &error);
    const QJsonObject o = document.object();
    if (error.error != QJsonParseError::NoError
        || o.value(QLatin1String("version")).toInt() != JournalGame::kFormatVersion)
        return std::nullopt;

    JournalGame game;
    const auto effects = stringsOf(o.value(QLatin1String("effects")));
    const auto deal = stringsOf(o.value(QLatin1String("deal")));
    const auto inputs = stringsOf(o.value(QLatin1String("inputs")));
    const auto players = valueOf(kPlayersWords, o.value(QLatin1String("players")));
    const auto end = valueOf(kEndWords, o.value(QLatin1String("end")));
    if (!effects || !deal || !inputs || !players || !end || !o.value(QLatin1String("pairs")).isDouble()
        || !o.value(QLatin1String("turns")).isArray())
        return std::nullopt;
    game.effectFile = o.value(QLatin1String("file")).toString();
    game.effectSha256 = o.value(QLatin1String("sha256")).toString();
    game.effects = *effects;
    game.deal = *deal;
    game.pairs = o.value(QLatin1String("pairs")).toInt();
    game.players = *players;
    game.end = *end;
    for (const QString &word : *inputs) {
        if (word == QLatin1String(kSoundWord))
            game.sound = true;
        else if (const auto input = valueOf(kInputWords, word))
            game.inputs << *input;
    }
    for (const QJsonValue &each : o.value(QLatin1String("turns")).toArray()) {
        const auto turn = turnOf(each);
        if (!turn)
            return std::nullopt;
        game.turns.push_back(*turn);
    }
    return game;
}

} // namespace

QString inputWord(TurnInput input)
{
    return wordOf(kInputWords, input);
}

QByteArray journalLine(const JournalGame &game)
{
    QJsonArray inputs;
    for (const TurnInput input : game.inputs)
        inputs.append(inputWord(input));
    if (game.sound)
        inputs.append(QLatin1String(kSoundWord));
    QJsonArray turns;
    for (const JournalTurn &turn : game.turns)
        turns.append(turnObject(turn));
    const QJsonObject line{{QStringLiteral("version"), JournalGame::kFormatVersion},
                           {QStringLiteral("file"), game.effectFile},
                           {QStringLiteral("sha256"), game.effectSha256},
                           {QStringLiteral("effects"), stringArray(game.effects)},
                           {QStringLiteral("deal"), stringArray(game.deal)},
                           {QStringLiteral("pairs"), game.pairs},
                           {QStringLiteral("players"), wordOf(kPlayersWords, game.players)},
                           {QStringLiteral("inputs"), inputs},
                           {QStringLiteral("end"), wordOf(kEndWords, game.end)},
                           {QStringLiteral("turns"), turns}};
    return QJsonDocument(line).toJson(QJsonDocument::Compact) + '\n';
}

JournalReading readJournal(const QByteArray &contents)
{
    JournalReading reading;
    const QList<QByteArray> lines = contents.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty())
            continue;
        if (auto game = gameOf(lines[i]))
            reading.games.push_back(std::move(*game));
        else
            reading.unreadableLines << int(i + 1);
    }
    return reading;
}

} // namespace pelnori
