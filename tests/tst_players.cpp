// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakes/fakeboard.h"
#include "fakes/fakehaptic.h"
#include "fakes/fakepacer.h"
#include "fakes/fakeplatform.h"
#include "fakes/rowlanguage.h"
#include "game/besttimestore.h"
#include "game/computerplayer.h"
#include "game/game.h"
#include "game/globals.h"
#include "game/playersview.h"
#include "translations/translations.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <map>
#include <numeric>
#include <random>

using namespace pelnori;
using namespace pelnori::test;

namespace {

struct FakeView : PlayersView
{
    void showPlayers(const QString &first, const QString &second) override { labels = first + u'/' + second; }
    void setSecondCount(const QString &text) override { second = text; }
    void turnAfterVerdict(const QString &text) override { said << text; }

    QString labels;
    QString second;
    QStringList said;
};

// A game of `players`, started with a real effect file and then laid as
// sixteen letters ("AABB…"), its pauses run by the test.
struct Table
{
    Table(Players players, const QString &letters, ComputerLevel level = ComputerLevel::Strong)
    {
        QFile file(folder.filePath(QStringLiteral("fx.ifr")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("fx") == 2);
        file.close();
        auto control = std::make_unique<FakeHaptic>();
        haptic = control.get();
        haptic->addFile(file.fileName(), 10);
        board.path = file.fileName();
        globals.HapticControl = std::move(control);
        globals.EffectResource = kFileChosenNoGame;
        game.setBestTimes(&bestTimes);
        game.seats().setPacer(&pacer);
        game.seats().setView(&view);
        game.seats().choose(players, level);
        game.btnStart_Click();
        for (int i = 0; i < kCardCount; ++i)
            (*globals.Cards)[i].EffectName = letters.mid(i, 1);
    }

    // Presses "3" (by mouse or keys) or "3@2" (player 2's controller), in turn.
    void press(const QString &presses)
    {
        for (const QString &press : presses.split(u' ', Qt::SkipEmptyParts)) {
            const QStringList parts = press.split(u'@');
            const auto card = static_cast<std::int16_t>(parts[0].toInt(nullptr, 16));
            game.pic_Click(card, parts.size() > 1 ? std::optional<int>(parts[1].toInt() - 1) : std::nullopt);
        }
    }

    QTemporaryDir folder;
    FakeBoard board;
    FakePlatform platform;
    Globals globals;
    FakeHaptic *haptic = nullptr;
    FakePacer pacer;
    FakeView view;
    BestTimeStore bestTimes{folder.filePath(QStringLiteral("besttimes.txt"))};
    Game game{board, platform, globals, {}};
};

const QString kInOrder = QStringLiteral("AABBCCDDEEFFGGHH");

} // namespace

class PlayersTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void twoPlayersTakeTurns_data();
    void twoPlayersTakeTurns();
    void effectsPlayOnTheTurnsController_data();
    void effectsPlayOnTheTurnsController();
    void computerKnowsOnlyWhatWasTurned_data();
    void computerKnowsOnlyWhatWasTurned();
    void weakerMemoryMissesMore();
    void computerNeverFollowsAnUnseenCard();
    void computerPlaysPacedAndThePlayerWaits();
};

void PlayersTest::twoPlayersTakeTurns_data()
{
    QTest::addColumn<QString>("presses");
    QTest::addColumn<QString>("counts");  // 1P's and 2P's counters
    QTest::addColumn<QString>("line");    // the verdict line once the verdict has been read
    QTest::addColumn<QString>("message"); // the last message, empty while the game goes on

    // Pairs lie on 0-1, 2-3, … e-f.
    QTest::newRow("a pair keeps the turn") << "0 1" << "1 0" << "1Pの番" << "";
    QTest::newRow("a miss passes it") << "0 2" << "0 0" << "2Pの番" << "";
    QTest::newRow("2P's pair keeps 2P's turn") << "0 2 2 3" << "0 1" << "2Pの番" << "";
    QTest::newRow("2P's miss gives it back") << "0 2 2 4" << "0 0" << "1Pの番" << "";
    QTest::newRow("2P's controller waits for 2P's turn") << "0@2 1@2 0@1 1@1" << "1 0" << "1Pの番" << "";
    QTest::newRow("1P's controller waits for 1P's turn") << "0 2 2@1 3@1 2@2 3@2" << "0 1" << "2Pの番" << "";
    QTest::newRow("1P wins") << "0 1 2 3 4 5 6 8 6 7 8 9 a b c e c d e f" << "5 3" << "1Pの番"
                             << "1Pの勝ち（5対3）\r\n83秒で全部揃いました。";
    QTest::newRow("2P wins") << "0 2 0 1 2 3 4 5 6 7 8 9 a c a b c d e f" << "3 5" << "1Pの番"
                             << "2Pの勝ち（5対3）\r\n83秒で全部揃いました。";
    QTest::newRow("a draw") << "0 1 2 3 4 5 6 7 8 a 8 9 a b c d e f" << "4 4" << "2Pの番"
                            << "引き分け（4対4）\r\n83秒で全部揃いました。";
    QTest::newRow("English: 1P wins") << "0 1 2 3 4 5 6 8 6 7 8 9 a b c e c d e f" << "5 3" << "Player 1's turn"
                                      << "Player 1 wins (5 to 3)\r\nAll pairs found in 83 seconds.";
    QTest::newRow("English: a miss") << "0 2" << "0 0" << "Player 2's turn" << "";
}

void PlayersTest::twoPlayersTakeTurns()
{
    QFETCH(QString, presses);
    QFETCH(QString, message);
    const Translations texts(rowLanguage());
    Table t(Players::Two, kInOrder);
    t.board.time = QStringLiteral("83");
    QCOMPARE(t.view.labels, QStringLiteral("1P/2P"));
    t.press(presses);
    QTEST(t.board.remaining + u' ' + t.view.second, "counts");
    if (message.isEmpty()) {
        // The verdict, and once it has been read, whose turn it is.
        QVERIFY(t.board.info != t.view.said.last());
        QVERIFY(t.pacer.fire());
        QTEST(t.board.info, "line");
        QVERIFY(t.platform.messages.empty());
    } else {
        QVERIFY(!t.pacer.pending());
        QCOMPARE(t.platform.messages.size(), 1u);
        QCOMPARE(t.platform.messages[0].text, message);
    }
    QTEST(t.view.said.last(), "line");
    QVERIFY(!QFile::exists(t.bestTimes.path())); // no best time for two
}

void PlayersTest::effectsPlayOnTheTurnsController_data()
{
    QTest::addColumn<Players>("players");
    QTest::addColumn<QString>("presses");
    QTest::addColumn<QString>("felt"); // per effect: the player whose controller, "-" for the usual device

    QTest::newRow("alone: the usual device") << Players::One << "0 2 0 1" << "- - - -";
    QTest::newRow("two: each on the turn's controller") << Players::Two << "0 2 2 4 3" << "1 1 2 2 1";
    QTest::newRow("two: a pair keeps it") << Players::Two << "0 1 2 4 5" << "1 1 1 1 2";
    QTest::newRow("two: the wrong controller plays nothing") << Players::Two << "0@2 2@2 0@1 2@1 3@1 2@2" << "1 1 2";
    QTest::newRow("against the computer: all on the player's") << Players::Computer << "0 2" << "1 1 1 1";
    QTest::newRow("against the computer: either controller is the player's") << Players::Computer << "0@2 2@2"
                                                                               << "1 1 1 1";
}

// Two controllers at the table: each card's effect is felt in the hands of
// the player whose turn it is, and the other's presses turn nothing.
void PlayersTest::effectsPlayOnTheTurnsController()
{
    QFETCH(Players, players);
    QFETCH(QString, presses);
    Table t(players, kInOrder);
    t.press(presses);
    // The computer's two cards, at their pauses.
    if (players == Players::Computer) {
        for (int pause = 0; pause < 3 && t.pacer.pending(); ++pause)
            t.pacer.fire();
    }
    QTEST(t.haptic->feltBy.join(u' '), "felt");
}

namespace {

// The misses of a computer that has seen each card `sightings` times, until
// it has cleared the board; -1 when it turned a card not in play.
int missesToClear(ComputerLevel level, int sightings, unsigned seed)
{
    const QString board = QStringLiteral("ABCDEFGHHGFEDCBA");
    std::mt19937 engine(seed);
    ComputerPlayer computer(level, [&] { return std::uniform_real_distribution<float>(0, 1)(engine); });
    std::vector<int> inPlay(kCardCount);
    std::iota(inPlay.begin(), inPlay.end(), 0);
    for (int card = 0; card < kCardCount * sightings; ++card)
        computer.seen(card % kCardCount, board.mid(card % kCardCount, 1));
    int misses = 0;
    while (!inPlay.empty() && misses < 100) {
        computer.setInPlay(inPlay);
        const int first = computer.firstCard();
        computer.seen(first, board.mid(first, 1));
        const int second = computer.secondCard(first);
        if (second == first || !std::count(inPlay.begin(), inPlay.end(), second))
            return -1;
        computer.seen(second, board.mid(second, 1));
        misses += board[first] != board[second];
        if (board[first] == board[second])
            std::erase_if(inPlay, [&](int card) { return card == first || card == second; });
    }
    return misses;
}

} // namespace

void PlayersTest::computerKnowsOnlyWhatWasTurned_data()
{
    QTest::addColumn<ComputerLevel>("level");
    QTest::addColumn<int>("sightings"); // how often it has seen each card
    QTest::addColumn<bool>("clears");   // without a miss, for every seed
    QTest::newRow("strong, everything seen") << ComputerLevel::Strong << 3 << true;
    QTest::newRow("strong, nothing seen") << ComputerLevel::Strong << 0 << false;
    QTest::newRow("easy, everything seen once") << ComputerLevel::Easy << 1 << false;
}

void PlayersTest::computerKnowsOnlyWhatWasTurned()
{
    QFETCH(ComputerLevel, level);
    QFETCH(int, sightings);
    bool clears = true;
    for (unsigned seed = 1; seed <= 20; ++seed) {
        const int misses = missesToClear(level, sightings, seed);
        QVERIFY(misses >= 0);
        clears = clears && misses == 0;
    }
    QTEST(clears, "clears");
}

void PlayersTest::weakerMemoryMissesMore()
{
    std::map<ComputerLevel, int> misses;
    for (ComputerLevel level : {ComputerLevel::Easy, ComputerLevel::Normal, ComputerLevel::Strong})
        for (unsigned seed = 1; seed <= 200; ++seed)
            misses[level] += missesToClear(level, 1, seed);
    QVERIFY(misses[ComputerLevel::Easy] > misses[ComputerLevel::Normal]);
    QVERIFY(misses[ComputerLevel::Normal] > misses[ComputerLevel::Strong]);
}

void PlayersTest::computerNeverFollowsAnUnseenCard()
{
    // Two deals that differ only in cards 1 and 3, which nobody has turned:
    // the computer's first card is the same in both, for every seed.
    for (unsigned seed = 1; seed <= 40; ++seed) {
        QList<int> firstCards;
        for (const QString &deal : {QStringLiteral("AABBCCDDEEFFGGHH"), QStringLiteral("ABBACCDDEEFFGGHH")}) {
            Table t(Players::Computer, deal);
            std::mt19937 engine(seed);
            t.game.seats().setRandom([&] { return std::uniform_real_distribution<float>(0, 1)(engine); });
            t.game.seats().newGame();
            t.game.seats().dealt(*t.globals.Cards);
            t.press(QStringLiteral("0 2"));
            QVERIFY(t.pacer.fire() && t.pacer.fire()); // whose turn, its first card
            firstCards << t.board.faces().indexOf(u'o');
        }
        QCOMPARE(firstCards[0], firstCards[1]);
    }
}

void PlayersTest::computerPlaysPacedAndThePlayerWaits()
{
    Table t(Players::Computer, kInOrder);
    QCOMPARE(t.view.labels, QStringLiteral("あなた/CPU"));
    t.press(QStringLiteral("0 2"));
    QVERIFY(t.game.seats().computerPlaying());
    // Its turn: the player's presses and the start button do nothing.
    const int played = t.haptic->started.size();
    t.press(QStringLiteral("4 5 4@1"));
    t.game.btnStart_Click();
    QCOMPARE(t.haptic->started.size(), played);
    QVERIFY(t.pacer.fire());
    QCOMPARE(t.board.info, QStringLiteral("コンピューターの番"));
    QVERIFY(t.pacer.fire());
    QCOMPARE(t.board.faces().count(u'o'), 1);
    QCOMPARE(t.haptic->started.size(), played + 1); // felt by the player

    // The game goes on to its end, the player turning the first two cards
    // face down whenever it is their turn.
    for (int guard = 0; guard < 200 && t.platform.messages.empty(); ++guard) {
        const QString faces = t.board.faces();
        const int first = faces.indexOf(u'b');
        if (!t.pacer.fire())
            t.press(QStringLiteral("%1 %2").arg(first, 0, 16).arg(faces.indexOf(u'b', first + 1), 0, 16));
    }
    const Turns &turns = t.game.seats().turns();
    QCOMPARE(turns.pairs(0) + turns.pairs(1), 8);
    QCOMPARE(t.platform.messages.size(), 1u);
    QVERIFY2(QRegularExpression(QStringLiteral("^(あなたの勝ち|コンピューターの勝ち|引き分け)（[0-8]対[0-8]）\r\n"))
                 .match(t.platform.messages[0].text).hasMatch(),
             qPrintable(t.platform.messages[0].text));
    for (int wait : t.pacer.waits)
        QCOMPARE(wait, 800);
}

QTEST_GUILESS_MAIN(PlayersTest)
#include "tst_players.moc"
