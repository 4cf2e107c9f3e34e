// SPDX-License-Identifier: GPL-3.0-or-later
#include "effects/effectfile.h"
#include "game/journalrecord.h"
#include "tools/pelnori-fx/confusioncount.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTest>

using namespace pelnori;
using namespace pelnori::fx;

namespace {

// One game written as "DEAL|CARDS[|END[|SHA]]": the deal one letter a card
// ("AABBCCDD" holds four pairs on cards 0–7), then the cards turned in
// order, in hex. Each turn is judged as the game judges it. END is
// completed, new-game, other-file or quit (completed when left out); SHA the
// effect file's (s1 when left out). names, when given, name the letters'
// effects: A the file's first, B its second, ….
JournalGame gameOf(const QString &spec, const QStringList &names = {})
{
    const QStringList parts = spec.split(u'|');
    const auto effect = [&names](QChar letter) {
        const int i = letter.unicode() - u'A';
        return names.isEmpty() ? QString(letter) : names.value(i);
    };
    JournalGame game;
    game.effectFile = QStringLiteral("tremka.ifr");
    game.effectSha256 = parts.value(3, QStringLiteral("s1"));
    game.end = parts.value(2) == QLatin1String("new-game") ? GameEnd::NewGame
               : parts.value(2) == QLatin1String("quit")   ? GameEnd::Quit
                                                           : GameEnd::Completed;
    for (const QChar letter : parts[0])
        game.deal << effect(letter);
    for (char letter = 'A'; parts[0].contains(QLatin1Char(letter)); ++letter)
        game.effects << effect(QLatin1Char(letter));
    game.pairs = int(game.effects.size());
    game.inputs = {TurnInput::Keys};
    int open = -1;
    QList<bool> seen(game.deal.size(), false), matched(game.deal.size(), false);
    std::int64_t ms = 0;
    for (const QString &hex : parts.value(1).split(u' ', Qt::SkipEmptyParts)) {
        const bool byComputer = hex.startsWith(u'c'); // the computer's move
        const int card = hex.mid(byComputer ? 1 : 0).toInt(nullptr, 16);
        TurnVerdict verdict = TurnVerdict::First;
        if (card == open || matched[card]) {
            verdict = card == open ? TurnVerdict::ReplayOpen : TurnVerdict::ReplayMatched;
        } else if (open >= 0) {
            verdict = game.deal[card] == game.deal[open] ? TurnVerdict::Pair : TurnVerdict::NoPair;
            matched[card] = matched[open] = verdict == TurnVerdict::Pair;
            open = -1;
        } else {
            open = card;
        }
        game.turns.push_back(
            {ms += 700, card, game.deal[card], seen[card], verdict, byComputer ? TurnInput::Computer : TurnInput::Keys});
        seen[card] = true;
    }
    return game;
}

QByteArray journalOf(const QStringList &specs, const QStringList &names = {})
{
    QByteArray journal;
    for (const QString &spec : specs)
        journal += spec.startsWith(u'{') ? spec.toUtf8() : journalLine(gameOf(spec, names));
    return journal;
}

const EffectPair &pairOf(const ConfusionCount &count, const QString &a, const QString &b)
{
    static const EffectPair none;
    for (const EffectPair &pair : count.pairs) {
        if ((pair.a == a && pair.b == b) || (pair.a == b && pair.b == a))
            return pair;
    }
    return none;
}

} // namespace

class ConfusionsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void confusionsAreCounted_data();
    void confusionsAreCounted();
    void exampleJournalForTheDocs();
};

void ConfusionsTest::confusionsAreCounted_data()
{
    QTest::addColumn<QStringList>("journal");
    QTest::addColumn<QList<int>>("counted"); // games, second turns, pairs found
    QTest::addColumn<QList<int>>("misses");  // confusions, explorations
    QTest::addColumn<QList<int>>("ab");      // A and B's confusions, chances
    QTest::addColumn<QList<int>>("ac");      // A and C's confusions, chances
    QTest::addColumn<double>("aFeelings");   // mean until found; -1: never found
    QTest::addColumn<QList<int>>("unreadable");
    const QString deal = QStringLiteral("AABBCCDD|");
    QTest::newRow("a miss on a new card is exploration")
        << QStringList{deal + "0 2"} << QList{1, 1, 0} << QList{0, 1} << QList{0, 0} << QList{0, 0} << -1.0
        << QList<int>{};
    QTest::newRow("a miss on a card felt before is a confusion")
        << QStringList{deal + "2 4 0 2"} << QList{1, 2, 0} << QList{1, 1} << QList{1, 1} << QList{0, 1} << -1.0
        << QList<int>{};
    QTest::newRow("a pair found beside a felt card is a chance let go")
        << QStringList{deal + "2 4 0 1"} << QList{1, 2, 1} << QList{0, 1} << QList{0, 1} << QList{0, 1} << 2.0
        << QList<int>{};
    QTest::newRow("the first card's own effect tempts nothing")
        << QStringList{deal + "0 2 1 4 0 1"} << QList{1, 3, 1} << QList{0, 2} << QList{0, 2} << QList{0, 1} << 4.0
        << QList<int>{};
    QTest::newRow("a matched card tempts no more")
        << QStringList{deal + "2 3 0 2 0 4"} << QList{1, 2, 1} << QList{0, 1} << QList{0, 0} << QList{0, 0} << -1.0
        << QList<int>{};
    QTest::newRow("the computer's miss on a felt card is no confusion")
        << QStringList{deal + "2 4 c0 c2"} << QList{1, 1, 0} << QList{0, 1} << QList{0, 0} << QList{0, 0} << -1.0
        << QList<int>{};
    QTest::newRow("replays are no turns of their own")
        << QStringList{deal + "2 2 4 0 0 2"} << QList{1, 2, 0} << QList{1, 1} << QList{1, 1} << QList{0, 1} << -1.0
        << QList<int>{};
    QTest::newRow("abandoned games count")
        << QStringList{deal + "2 4 0 2|new-game", deal + "2 4 0 2 0 1|quit", deal + "0 1 2 3 4 5 6 7"}
        << QList{3, 9, 5} << QList{2, 2} << QList{2, 3} << QList{0, 3} << 2.5 << QList<int>{};
    QTest::newRow("only the effect file with the most games counts")
        << QStringList{deal + "2 4 0 2|completed|s1", deal + "0 2|completed|s2", deal + "0 4|quit|s2"}
        << QList{2, 2, 0} << QList{0, 2} << QList{0, 0} << QList{0, 0} << -1.0 << QList<int>{};
    QTest::newRow("a damaged last line is skipped")
        << QStringList{deal + "2 4 0 2", QString::fromUtf8(journalOf({deal + "0 2"}).left(50))} << QList{1, 2, 0}
        << QList{1, 1} << QList{1, 1} << QList{0, 1} << -1.0 << QList{2};
}

void ConfusionsTest::confusionsAreCounted()
{
    QFETCH(QStringList, journal);
    QFETCH(QList<int>, counted);
    QFETCH(QList<int>, misses);
    QFETCH(QList<int>, ab);
    QFETCH(QList<int>, ac);
    QFETCH(double, aFeelings);
    const JournalReading reading = readJournal(journalOf(journal));
    QTEST(reading.unreadableLines, "unreadable");
    const ConfusionCount count = countConfusions(reading.games, effectSets(reading.games).front().sha256);
    QCOMPARE((QList{count.games, count.secondTurns, count.pairsFound}), counted);
    QCOMPARE((QList{count.confusions, count.explorations}), misses);
    QCOMPARE((QList{pairOf(count, "A", "B").confusions, pairOf(count, "A", "B").chances}), ab);
    QCOMPARE((QList{pairOf(count, "A", "C").confusions, pairOf(count, "A", "C").chances}), ac);
    QCOMPARE(count.feelings.front().mean().value_or(-1.0), aFeelings);
    QCOMPARE(count.pairs.size(), std::size_t(6)); // every two of four effects
}

// The journal docs/effect-files.md shows pelnori-fx confusions on: a player
// learning tremka.ifr, with one game of another file and a last line cut
// short by a crash.
void ConfusionsTest::exampleJournalForTheDocs()
{
    QFile ifr(QStringLiteral(PELNORI_SOURCE_DIR "/assets/tremka.ifr"));
    QVERIFY(ifr.open(QIODevice::ReadOnly));
    const QString sha =
        QString::fromLatin1(QCryptographicHash::hash(ifr.readAll(), QCryptographicHash::Sha256).toHex());
    QStringList names;
    for (const Effect &effect : readEffectFile(ifr.fileName()).effects)
        names << effect.name;
    const QString deal1 = QStringLiteral("ACBDHEGFBHCAFDEG|");
    const QString deal2 = QStringLiteral("DFAHCEGBABHGFCED|");
    const QString deal3 = QStringLiteral("HGFEDCBAABCDEFGH|");
    const QStringList games{
        deal1 + "4 a f e 1 a 6 f 2 c d e 7 c b 2 8 b 2 8 3 d 0 b 9 4 5 e|completed|" + sha,
        deal2 + "1 2 3 8 2 8 5 f 9 a 3 a 7 9 c 1 0 5 0 f e 5 6 b d 4|completed|" + sha,
        deal3 + "7 a 9 7 2 a 6 9 e c 1 e 0 f 8 7 5 a 4 3 3 c d 2 b 4|completed|" + sha,
        deal1 + "7 4 1 e 9 4 b 3 2 b|new-game|" + sha,
        deal1 + "0 1 2 3|quit|0000",
    };
    QByteArray journal = journalOf(games, names);
    journal += journalLine(gameOf(deal2 + "0 1 2 3|new-game|" + sha, names)).left(90);
    QFile file(QStringLiteral(PELNORI_EXAMPLE_JOURNAL));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(journal), journal.size());
}

QTEST_GUILESS_MAIN(ConfusionsTest)
#include "tst_confusions.moc"
