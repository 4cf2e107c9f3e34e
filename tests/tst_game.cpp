// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.h"
#include "game/globals.h"
#include "fakes/fakeboard.h"
#include "fakes/fakehaptic.h"
#include "fakes/fakeplatform.h"
#include "fakes/rowlanguage.h"
#include "game/animation.h"
#include "game/assignpairs.h"
#include "game/besttimestore.h"
#include "game/clock.h"
#include "game/game.h"
#include "game/practiceset.h"
#include "translations/translations.h"

#include <QCryptographicHash>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <random>

using namespace pelnori;
using namespace pelnori::test;

Q_DECLARE_METATYPE(pelnori::test::FakeFile)

namespace {

const QString kPath = QStringLiteral("/fx/ten.ifr");

// A game wired to fakes, with a ten-effect file in the path box.
struct Table
{
    Table()
    {
        auto control = std::make_unique<FakeHaptic>();
        haptic = control.get();
        haptic->addFile(kPath, 10);
        globals.HapticControl = std::move(control);
        globals.EffectResource = kFileChosenNoGame;
        board.path = kPath;
    }

    // Lays a board written as sixteen letters, one effect name per letter
    // ("AABB…"), and starts a game on handle 1 without the animations.
    void lay(const QString &letters)
    {
        globals.Cards.emplace();
        for (int i = 0; i < kCardCount; ++i)
            (*globals.Cards)[i].EffectName = letters.mid(i, 1).trimmed();
        globals.EffectResource = 1;
        for (int i = 0; i < kCardCount; ++i)
            board.pictures[i] = QStringLiteral("Card.bmp");
    }

    QString names() const
    {
        QString out;
        for (const CardSlot &slot : *globals.Cards)
            out += slot.EffectName.isEmpty() ? QStringLiteral("-") : slot.EffectName.right(1);
        return out;
    }

    // Turns the two cards of each pair in play, the time box at `time`.
    void matchAll(int pairs, const QString &time = QStringLiteral("12"))
    {
        board.time = time;
        for (int pair = 0; pair < pairs; ++pair) {
            std::int16_t first = -1;
            for (std::int16_t card = 0; card < 2 * pairs; ++card) {
                if ((*globals.Cards)[card].EffectName != QStringLiteral("fx%1").arg(pair))
                    continue;
                if (first < 0) {
                    first = card;
                } else {
                    game.pic_Click(first);
                    game.pic_Click(card);
                }
            }
        }
    }

    bool onGrid() const
    {
        for (int i = 0; i < kCardCount; ++i)
            if (board.left[i] != gridLeft(i) || board.top[i] != gridTop(i))
                return false;
        return true;
    }

    FakeBoard board;
    FakePlatform platform;
    Globals globals;
    FakeHaptic *haptic = nullptr;
    int shakes = 0;
    Game game{board, platform, globals, [this] {
                  ++shakes;
                  for (int i = 0; i < 21; ++i)
                      platform.yieldEvents();
              }};
};

// Draws that pick slots 0, 1, 2, … in turn.
std::deque<float> drawsInOrder()
{
    std::deque<float> draws;
    for (int slot = 0; slot < 15; ++slot)
        draws.push_back((static_cast<float>(slot) + 0.5f) / 16.0f);
    return draws;
}

} // namespace

class GameTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Pair assignment
    void assignmentLaysFirstEightEffectsInFileOrder();
    void assignmentYieldsBeforeEachNameAndDraw();
    void occupiedSlotIsDrawnAgain();
    void everyEffectReachesEverySlot();
    void twoGamesCarryTheSameEightNames();
    void unusableFileLeavesSlotsEmpty_data();
    void unusableFileLeavesSlotsEmpty();
    void blankNamesNeverOccupyASlot();
    void slotForDrawCoversAllSixteen();

    // Pairs in play
    void pairsSetTheCardsInPlay_data();
    void pairsSetTheCardsInPlay();
    void pairsChangeAtOnceOnlyWithoutAGame_data();
    void pairsChangeAtOnceOnlyWithoutAGame();

    // Best times
    void bestTimesAreKeptPerFileAndPairs_data();
    void bestTimesAreKeptPerFileAndPairs();

    // New game and deal
    void firstGameGathersOntoPileAndDealsOntoGrid();
    void cardOffItsTrackDriftsPastTarget();
    void startLeavesCountersUnlessItFails_data();
    void startLeavesCountersUnlessItFails();
    void nestedStartDuringGatheringEndsOnGrid();
    void nestedStartDuringDealEndsOnGrid();
    void startDuringAssignmentIsIgnored();
    void fileChosenDuringAssignmentLetsItFinish();
    void quitInsideAnyYieldStopsTheStart_data();
    void quitInsideAnyYieldStopsTheStart();
    void missingCardBackStopsTheStart();

    // Card turns
    void refusedClicksPromptOrStaySilent_data();
    void refusedClicksPromptOrStaySilent();
    void cardStateTable_data();
    void cardStateTable();
    void effectStartsBeforeAnyImageChanges();
    void namesCompareExactly_data();
    void namesCompareExactly();
    void emptyNamesNeverMatch();
    void wholeGameEndsOnceWithShakeAndMessage_data();
    void wholeGameEndsOnceWithShakeAndMessage();
    void clickDuringEndShakeOnlyReplays();
    void missingMatchedImageLeavesCardBlank();
    void failingEffectStillTurnsTheCard();

    // Practice board
    void practiceBoardOfferedBetweenGamesOnly_data();
    void practiceBoardOfferedBetweenGamesOnly();
    void practiceSetReadsFirstEffectsOnItsOwnHandle_data();
    void practiceSetReadsFirstEffectsOnItsOwnHandle();

    // Clock
    void startSecondsRoundHalfToEven_data();
    void startSecondsRoundHalfToEven();
    void elapsedFormatting_data();
    void elapsedFormatting();
    void tickShowsSecondsAcrossMidnight_data();
    void tickShowsSecondsAcrossMidnight();
};

void GameTest::assignmentLaysFirstEightEffectsInFileOrder()
{
    Table t;
    t.platform.draws = drawsInOrder();
    AssignPairs(t.board, t.platform, t.globals);
    // Pair k goes to the k-th two draws; the last card to the one free slot.
    QCOMPARE(t.names(), QStringLiteral("0011223344556677"));
    QStringList expected{QStringLiteral("Open %1").arg(kPath), QStringLiteral("Count 1")};
    for (int k = 0; k < 8; ++k)
        expected << QStringLiteral("Name %1 1").arg(k);
    QCOMPARE(t.haptic->calls, expected);
    QCOMPARE(t.globals.EffectResource, 1);
    for (const CardSlot &slot : *t.globals.Cards)
        QCOMPARE(slot.Matched, std::int16_t(0));
}

void GameTest::assignmentYieldsBeforeEachNameAndDraw()
{
    Table t;
    t.platform.draws = drawsInOrder();
    t.platform.draws.insert(t.platform.draws.begin() + 3, 0.0f); // slot 0 again: taken
    QStringList seen;
    t.platform.onYield = [&](int) { seen << QString::number(t.haptic->calls.size()); };
    AssignPairs(t.board, t.platform, t.globals);
    // 8 name requests, 16 draws (one rejected), 1 before the final scan.
    QCOMPARE(t.platform.yields, 8 + 16 + 1);
    QCOMPARE(t.platform.reseeds, 1 + 16);
}

void GameTest::occupiedSlotIsDrawnAgain()
{
    Table t;
    // Pair 0: slots 5 and 5 (taken) then 9.
    t.platform.draws = {5.5f / 16, 5.5f / 16, 9.5f / 16};
    AssignPairs(t.board, t.platform, t.globals);
    QCOMPARE((*t.globals.Cards)[5].EffectName, QStringLiteral("fx0"));
    QCOMPARE((*t.globals.Cards)[9].EffectName, QStringLiteral("fx0"));
}

void GameTest::everyEffectReachesEverySlot()
{
    // Each slot, including the last, must be able to carry each effect;
    // otherwise one pair's place is known before the first click.
    std::mt19937 engine(20261207);
    std::uniform_real_distribution<float> uniform(0.0f, 1.0f);
    int seen[16][8] = {};
    for (int game = 0; game < 3000; ++game) {
        Table t;
        for (int i = 0; i < 200; ++i)
            t.platform.draws.push_back(uniform(engine));
        AssignPairs(t.board, t.platform, t.globals);
        QStringList names;
        for (int slot = 0; slot < 16; ++slot) {
            const QString &name = (*t.globals.Cards)[slot].EffectName;
            QVERIFY(name.startsWith(QLatin1String("fx")));
            ++seen[slot][name.mid(2).toInt()];
            names << name;
        }
        for (int k = 0; k < 8; ++k)
            QCOMPARE(names.count(QStringLiteral("fx%1").arg(k)), 2);
    }
    for (int slot = 0; slot < 16; ++slot)
        for (int k = 0; k < 8; ++k)
            QVERIFY2(seen[slot][k] > 3000 * 2 / 16 / 2, qPrintable(QStringLiteral("slot %1 effect %2").arg(slot).arg(k)));
}

void GameTest::twoGamesCarryTheSameEightNames()
{
    Table t;
    AssignPairs(t.board, t.platform, t.globals);
    (*t.globals.Cards)[3].Matched = -1;
    QString first = t.names();
    std::sort(first.begin(), first.end());
    AssignPairs(t.board, t.platform, t.globals);
    QString second = t.names();
    std::sort(second.begin(), second.end());
    QCOMPARE(second, first);
    QCOMPARE(first, QStringLiteral("0011223344556677"));
    QCOMPARE(t.globals.EffectResource, 2);
    for (const CardSlot &slot : *t.globals.Cards)
        QCOMPARE(slot.Matched, std::int16_t(0));
}

void GameTest::unusableFileLeavesSlotsEmpty_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("effects");
    QTest::newRow("does not open") << QStringLiteral("/nowhere.ifr") << 0;
    QTest::newRow("seven effects") << QStringLiteral("/seven.ifr") << 7;
    QTest::newRow("empty path") << QString() << 0;
}

void GameTest::unusableFileLeavesSlotsEmpty()
{
    QFETCH(QString, path);
    QFETCH(int, effects);
    Table t;
    if (effects)
        t.haptic->addFile(path, effects);
    t.board.path = path;
    AssignPairs(t.board, t.platform, t.globals);
    QCOMPARE(t.globals.EffectResource, kNoUsableFile);
    QCOMPARE(t.names(), QStringLiteral("----------------"));
    for (const QString &call : t.haptic->calls)
        QVERIFY(!call.startsWith(QLatin1String("Name")));
    // A click then asks for an effect file.
    t.game.pic_Click(0);
    QCOMPARE(t.platform.messages.at(0).text, QStringLiteral("IFRﾌｧｲﾙ読込ボタンを押して使用するエフェクトを選択してください"));
}

void GameTest::blankNamesNeverOccupyASlot()
{
    Table t;
    FakeFile file;
    file.names = QStringList{QStringLiteral("a"), QStringLiteral("  "), QStringLiteral("c"), QStringLiteral("d"),
                             QStringLiteral("e"), QStringLiteral("f"), QStringLiteral("g"), QStringLiteral("h")};
    t.haptic->files.insert(kPath, file);
    t.platform.draws = drawsInOrder();
    AssignPairs(t.board, t.platform, t.globals);
    // The blank pair's slots stay free: the last card takes the lowest of
    // them, and slot 15 is never drawn by these draws, so it stays empty.
    QCOMPARE(t.names(), QStringLiteral("aah ccddeeffggh-"));
}

void GameTest::slotForDrawCoversAllSixteen()
{
    QCOMPARE(slotForDraw(0.0f), 0);
    QCOMPARE(slotForDraw(0.9999999f), 15);
    QCOMPARE(slotForDraw(15.0f / 16.0f), 15);
    QCOMPARE(slotForDraw(1.0f), 15);
    QCOMPARE(slotForDraw(-0.5f), 0);
}

void GameTest::pairsSetTheCardsInPlay_data()
{
    QTest::addColumn<int>("pairs");
    QTest::addColumn<int>("effects"); // in the file
    QTest::addColumn<QString>("message"); // of the start; empty: a game is dealt
    QTest::newRow("4 pairs") << 4 << 4 << QString();
    QTest::newRow("6 pairs") << 6 << 7 << QString();
    QTest::newRow("8 pairs") << 8 << 10 << QString();
    QTest::newRow("4 pairs, 3 effects") << 4 << 3 << "エフェクトが４つ以上ありません。\r\nこのファイルのエフェクトは3個です。";
    QTest::newRow("6 pairs, 5 effects") << 6 << 5 << "エフェクトが６つ以上ありません。\r\nこのファイルのエフェクトは5個です。";
    QTest::newRow("8 pairs, 7 effects") << 8 << 7 << "エフェクトが８つ以上ありません。\r\nこのファイルのエフェクトは7個です。";
    QTest::newRow("English: 4 pairs, 3 effects") << 4 << 3 << "The file has fewer than four effects.\r\nEffects in this file: 3.";
    QTest::newRow("English: 6 pairs, 5 effects") << 6 << 5 << "The file has fewer than six effects.\r\nEffects in this file: 5.";
}

void GameTest::pairsSetTheCardsInPlay()
{
    QFETCH(int, pairs);
    QFETCH(int, effects);
    QFETCH(QString, message);
    const Translations texts(rowLanguage());
    const int cards = 2 * pairs;
    Table t;
    t.haptic->addFile(kPath, effects);
    Settings settings;
    settings.pairs = pairs;
    QVERIFY(t.game.applySettings(settings));
    QCOMPARE(t.board.cardsInPlay, cards);
    QCOMPARE(t.board.remaining, QString::number(cards));

    t.game.btnStart_Click();
    QCOMPARE(t.platform.messages.empty() ? QString() : t.platform.messages[0].text, message);
    QCOMPARE(t.board.remaining, QString::number(cards));
    if (!message.isEmpty())
        return;
    // Only the cards in play were gathered and dealt, and only they carry
    // effects: the file's first, two cards each.
    QVERIFY(t.onGrid());
    QCOMPARE(t.haptic->calls.filter(QStringLiteral("Name ")).size(), pairs);
    QString dealt = t.names().left(cards);
    std::sort(dealt.begin(), dealt.end());
    QCOMPARE(dealt, QStringLiteral("0011223344556677").left(cards));
    QCOMPARE(t.names().mid(cards), QString(kCardCount - cards, u'-'));

    // A card out of play does nothing.
    for (int card = cards; card < kCardCount; ++card)
        t.game.pic_Click(static_cast<std::int16_t>(card));
    QVERIFY(t.haptic->started.isEmpty());
    QVERIFY(t.platform.messages.empty());

    // Matching every card in play ends the game.
    t.matchAll(pairs);
    QCOMPARE(t.board.remaining, QStringLiteral("0"));
    QCOMPARE(t.shakes, 1);
    QCOMPARE(t.board.timerInterval, 0);
    QCOMPARE(t.platform.messages.size(), 1u);
    QCOMPARE(t.board.faces(), QString(cards, u's') + QString(kCardCount - cards, u'b'));
}

void GameTest::pairsChangeAtOnceOnlyWithoutAGame_data()
{
    QTest::addColumn<QString>("when");
    QTest::addColumn<bool>("atOnce");
    QTest::addColumn<QString>("remaining"); // the counter after the change
    QTest::newRow("before the first game") << "before" << true << "8";
    QTest::newRow("during a game") << "playing" << false << "14";
    QTest::newRow("during the deal") << "dealing" << false << "16";
    QTest::newRow("after a game") << "over" << true << "8";
}

void GameTest::pairsChangeAtOnceOnlyWithoutAGame()
{
    QFETCH(QString, when);
    QFETCH(bool, atOnce);
    Table t;
    Settings four;
    four.pairs = 4;
    bool applied = false;
    if (when == u"dealing") {
        t.platform.onYield = [&](int n) {
            if (n == 1)
                applied = t.game.applySettings(four);
        };
        t.game.btnStart_Click();
        t.platform.onYield = nullptr;
    } else {
        if (when != u"before")
            t.lay(QStringLiteral("AABBCCDDEEFFGGHH"));
        for (int card = 0; card < (when == u"over" ? kCardCount : 2); ++card)
            t.game.pic_Click(static_cast<std::int16_t>(card));
        applied = t.game.applySettings(four);
    }
    QCOMPARE(applied, atOnce);
    QTEST(t.board.remaining, "remaining");
    QCOMPARE(t.board.cardsInPlay, atOnce ? 8 : 16);
    if (when == u"over") {
        // A finished game's cards leave the board, which waits for a start.
        QCOMPARE(t.board.faces(), QStringLiteral("bbbbbbbbbbbbbbbb"));
        QCOMPARE(t.globals.EffectResource, kFileChosenNoGame);
    }
    // The next game has the new pairs either way.
    t.game.btnStart_Click();
    QCOMPARE(t.board.cardsInPlay, 8);
    QCOMPARE(t.names().mid(8), QStringLiteral("--------"));
}

void GameTest::bestTimesAreKeptPerFileAndPairs_data()
{
    // The records file before the game, "%1" standing for the effect file's
    // digest; the game takes 25 seconds with 4 pairs.
    QTest::addColumn<QString>("before"); // "": no file; "unwritable": no place for one
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("warning"); // pattern; empty: none
    QTest::addColumn<int>("best"); // kept for 4 pairs afterwards, -1 none
    const QString header = QStringLiteral("pelnori best times 1\n");
    const QString done = QStringLiteral("25秒で全部揃いました。");
    QTest::newRow("first") << QString() << done << QString() << 25;
    QTest::newRow("beaten") << header + "%1\t4\t30\ta.ifr\n" << done + "\r\n自己ベスト！" << QString() << 25;
    QTest::newRow("not beaten") << header + "%1\t4\t20\ta.ifr\n" << done << QString() << 20;
    QTest::newRow("equalled") << header + "%1\t4\t25\ta.ifr\n" << done << QString() << 25;
    QTest::newRow("first with 4 pairs") << header + "%1\t8\t10\ta.ifr\n" << done << QString() << 25;
    QTest::newRow("renamed copy") << header + "%1\t4\t30\told name.ifr\n" << done + "\r\n自己ベスト！" << QString()
                                  << 25;
    QTest::newRow("other file") << header + QString(64, u'0') + "\t4\t5\ta.ifr\n" << done << QString() << 25;
    QTest::newRow("English: beaten") << header + "%1\t4\t30\ta.ifr\n"
                                     << "All pairs found in 25 seconds.\r\nNew best time!" << QString() << 25;
    QTest::newRow("unreadable") << "%1\t4\t30\ta.ifr\n" << done
                                << "^記録のファイルが読めないため、.*besttimes\\.txt\\.unreadable-\\d{8}-\\d{6} として残し"
                                << 25;
    QTest::newRow("damaged line") << header + "%1\t4\tthirty\ta.ifr\n" << done << "として残し" << 25;
    QTest::newRow("English: unwritable") << "unwritable" << "All pairs found in 25 seconds."
                                         << "^The best time could not be saved to .*besttimes\\.txt\\.$" << -1;
}

void GameTest::bestTimesAreKeptPerFileAndPairs()
{
    QFETCH(QString, before);
    QFETCH(QString, warning);
    const Translations texts(rowLanguage());
    const auto withDigest = [&before](const QString &digest) {
        return before.contains(u"%1") ? before.arg(digest) : before;
    };
    QTemporaryDir dir;
    const QString effects = dir.filePath(QStringLiteral("a.ifr"));
    QFile effectFile(effects);
    QVERIFY(effectFile.open(QIODevice::WriteOnly) && effectFile.write("[fx0]\n") > 0);
    effectFile.close();
    const QString digest = QString::fromLatin1(QCryptographicHash::hash("[fx0]\n", QCryptographicHash::Sha256).toHex());
    const QString records = dir.filePath(QStringLiteral("data/pelnori/besttimes.txt"));
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("data/pelnori")));
    if (before == u"unwritable") {
        QVERIFY(QDir(dir.filePath(QStringLiteral("data"))).removeRecursively());
        QFile blocker(dir.filePath(QStringLiteral("data")));
        QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
    } else if (!before.isEmpty()) {
        QFile file(records);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(withDigest(digest).toUtf8());
    }

    BestTimeStore store(records);
    Table t;
    t.haptic->addFile(effects, 4);
    t.board.path = effects;
    t.game.setBestTimes(&store);
    Settings four;
    four.pairs = 4;
    t.game.applySettings(four);
    t.game.btnStart_Click();
    t.matchAll(4, QStringLiteral("25"));

    QVERIFY(!t.platform.messages.empty());
    QTEST(t.platform.messages[0].text, "message");
    QCOMPARE(t.platform.messages.size(), warning.isEmpty() ? 1u : 2u);
    if (!warning.isEmpty()) {
        QVERIFY2(QRegularExpression(warning).match(t.platform.messages[1].text).hasMatch(),
                 qPrintable(t.platform.messages[1].text));
        QCOMPARE(t.platform.messages[1].icon, MessageIcon::Warning);
    }
    const BestTimes kept = store.load();
    QTEST(kept.best(digest, 4).value_or(-1), "best");
    for (const BestTime &time : kept.all())
        if (time.fileId == digest)
            QCOMPARE(time.fileName, QStringLiteral("a.ifr"));
    // An unreadable file is kept as it was, under another name.
    const QStringList aside = QDir(dir.filePath(QStringLiteral("data/pelnori")))
                                  .entryList({QStringLiteral("besttimes.txt.unreadable-*")});
    QCOMPARE(aside.size(), warning.contains(u"として残し") ? 1 : 0);
    if (!aside.isEmpty()) {
        QFile file(dir.filePath(QStringLiteral("data/pelnori/")) + aside.constFirst());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()), withDigest(digest));
    }
}

void GameTest::firstGameGathersOntoPileAndDealsOntoGrid()
{
    Table t;
    bool checkedPile = false;
    t.platform.onYield = [&](int) {
        if (t.game.assigningPairs() && !checkedPile) {
            checkedPile = true;
            for (int i = 0; i < kCardCount; ++i) {
                QCOMPARE(t.board.left[i], kPileLeft);
                QCOMPARE(t.board.top[i], kPileTop);
            }
        }
    };
    t.game.btnStart_Click();
    QVERIFY(checkedPile);
    QVERIFY(t.onGrid());
    QCOMPARE(t.board.faces(), QStringLiteral("bbbbbbbbbbbbbbbb"));
    QCOMPARE(t.game.OpenCard, std::int16_t(-1));
    QVERIFY(t.globals.EffectResource >= 0);
}

void GameTest::cardOffItsTrackDriftsPastTarget()
{
    FakeBoard board;
    board.left[0] = 5.0f;      // not a whole number of steps from the pile
    board.top[15] = 4000.0f;   // further down its own track: still meets the pile
    board.top[3] = 2600.0f;    // below the pile while stepping down: never meets it
    for (int pass = 0; pass < kAnimationPasses; ++pass)
        animationPass(board, gatherMoves());
    QCOMPARE(board.left[0], 5.0f + 1450.0f);
    QCOMPARE(board.top[3], 2600.0f + 1450.0f);
    QCOMPARE(board.top[15], kPileTop);
    QCOMPARE(board.left[15], kPileLeft);
}

void GameTest::startLeavesCountersUnlessItFails_data()
{
    QTest::addColumn<FakeFile>("file");
    QTest::addColumn<bool>("raises");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("counters"); // verdict, time, cards left
    const QStringList cleared{"", "", "16"};
    QTest::newRow("usable") << FakeFile{.names = QStringList(8, "fx")} << false << QString()
                            << QStringList{"正解！", "83", "0"};
    // Regression: the last game's verdict and time stayed beside the message.
    QTest::newRow("does not open") << FakeFile{.openResult = -2} << false << "IFRファイル読込みエラー" << cleared;
    QTest::newRow("seven effects") << FakeFile{.names = QStringList(7, "fx")} << false
                                   << "エフェクトが８つ以上ありません。\r\nこのファイルのエフェクトは7個です。" << cleared;
    const FakeFile fifo{.openResult = -2, .failure = {OpenFailure::Kind::NotRegularFile}};
    QTest::newRow("a FIFO") << fifo << false << "IFRファイル読込みエラー\r\n通常のファイルではありません。" << cleared;
    QTest::newRow("open raises") << FakeFile{.openThrows = true} << true << QString() << cleared;
    QTest::newRow("English: does not open") << FakeFile{.openResult = -2} << false << "Error loading the IFR file."
                                            << cleared;
    QTest::newRow("English: seven effects") << FakeFile{.names = QStringList(7, "fx")} << false
                                            << "The file has fewer than eight effects.\r\nEffects in this file: 7."
                                            << cleared;
    QTest::newRow("English: a FIFO") << fifo << false << "Error loading the IFR file.\r\nIt is not a regular file."
                                     << cleared;
}

void GameTest::startLeavesCountersUnlessItFails()
{
    QFETCH(FakeFile, file);
    QFETCH(bool, raises);
    QFETCH(QString, message);
    const Translations texts(rowLanguage());
    Table t;
    t.haptic->files.insert(kPath, file);
    t.board.info = QStringLiteral("正解！");
    t.board.time = QStringLiteral("83");
    t.board.remaining = QStringLiteral("0");
    t.board.timerInterval = 900; // the last game's clock
    t.platform.clock = 100.5f;
    if (raises)
        QVERIFY_THROWS_EXCEPTION(EffectFileError, t.game.btnStart_Click());
    else
        t.game.btnStart_Click();
    QCOMPARE(t.platform.messages.empty() ? QString() : t.platform.messages[0].text, message);
    QTEST((QStringList{t.board.info, t.board.time, t.board.remaining}), "counters");
    QCOMPARE(t.board.timerInterval, file.names.size() >= 8 ? 900 : 0);
    if (file.names.size() >= 8)
        QCOMPARE(t.globals.StartSeconds, 100);
}

void GameTest::nestedStartDuringGatheringEndsOnGrid()
{
    Table t;
    bool pressed = false;
    t.platform.onYield = [&](int n) {
        if (n == 40 && !pressed) {
            pressed = true;
            t.game.btnStart_Click();
        }
    };
    t.game.btnStart_Click();
    QVERIFY(pressed);
    QVERIFY(t.onGrid());
    QCOMPARE(t.haptic->calls.filter(QStringLiteral("Open")).size(), 2);
    // The outer game assigned last: its handle and a full board hold.
    QCOMPARE(t.globals.EffectResource, 2);
    QString names = t.names();
    std::sort(names.begin(), names.end());
    QCOMPARE(names, QStringLiteral("0011223344556677"));
}

void GameTest::nestedStartDuringDealEndsOnGrid()
{
    Table t;
    int dealYields = 0;
    bool pressed = false;
    t.platform.onYield = [&](int) {
        if (t.haptic->calls.filter(QStringLiteral("Name 7")).size() == 1 && !t.game.assigningPairs()
            && ++dealYields == 60 && !pressed) {
            pressed = true;
            t.platform.clock = 500.0f;
            t.game.btnStart_Click();
            t.platform.clock = 600.0f;
        }
    };
    t.game.btnStart_Click();
    QVERIFY(pressed);
    QVERIFY(t.onGrid());
    QCOMPARE(t.haptic->calls.filter(QStringLiteral("Open")).size(), 2);
    QCOMPARE(t.globals.EffectResource, 2);
    // The interrupted deal only restarts the clock.
    QCOMPARE(t.globals.StartSeconds, 600);
}

void GameTest::startDuringAssignmentIsIgnored()
{
    Table t;
    int presses = 0;
    t.platform.onYield = [&](int) {
        if (t.game.assigningPairs() && presses < 3) {
            ++presses;
            t.game.btnStart_Click();
        }
    };
    t.game.btnStart_Click();
    QCOMPARE(presses, 3);
    QCOMPARE(t.haptic->calls.filter(QStringLiteral("Open")).size(), 1);
    QVERIFY(t.onGrid());
    QString names = t.names();
    std::sort(names.begin(), names.end());
    QCOMPARE(names, QStringLiteral("0011223344556677"));
}

void GameTest::fileChosenDuringAssignmentLetsItFinish()
{
    // Regression: a usable file chosen in one of the assignment's yields set
    // EffectResource to -50, the next name request failed on that handle
    // and the start stopped with the cards half gathered.
    Table t;
    bool chosen = false;
    t.platform.onYield = [&](int) {
        if (t.game.assigningPairs() && !chosen) {
            chosen = true;
            t.globals.EffectResource = kFileChosenNoGame;
        }
    };
    t.game.btnStart_Click();
    QVERIFY(chosen);
    QVERIFY(t.onGrid());
    QString names = t.names();
    std::sort(names.begin(), names.end());
    QCOMPARE(names, QStringLiteral("0011223344556677"));
    // The choice stands: the next click asks for a new game.
    QCOMPARE(t.globals.EffectResource, kFileChosenNoGame);
    QCOMPARE(t.board.timerInterval, 900);
}

void GameTest::quitInsideAnyYieldStopsTheStart_data()
{
    QTest::addColumn<int>("quitAtYield");
    QTest::newRow("gathering") << 10;
    QTest::newRow("assignment") << 150;
    QTest::newRow("deal") << 200;
}

void GameTest::quitInsideAnyYieldStopsTheStart()
{
    QFETCH(int, quitAtYield);
    Table t;
    t.platform.onYield = [&](int n) {
        if (n == quitAtYield)
            t.platform.endProgram();
    };
    QVERIFY_THROWS_EXCEPTION(ProgramEnded, t.game.btnStart_Click());
    QCOMPARE(t.platform.yields, quitAtYield);
    QCOMPARE(t.board.timerInterval, 0);
    QVERIFY(!t.game.assigningPairs());
}

void GameTest::missingCardBackStopsTheStart()
{
    Table t;
    t.board.missingFiles.insert(QStringLiteral("Card.bmp"));
    QVERIFY_THROWS_EXCEPTION(ImageLoadError, t.game.btnStart_Click());
    QCOMPARE(t.platform.yields, 0);
    QCOMPARE(t.board.face(0), QString());
    QVERIFY(t.haptic->calls.isEmpty());
}

void GameTest::refusedClicksPromptOrStaySilent_data()
{
    QTest::addColumn<int>("resource");
    QTest::addColumn<QString>("prompt");
    QTest::newRow("file chosen, no game") << -50 << QStringLiteral("ゲームを開始するにはZolva開始ボタンを押してください");
    QTest::newRow("no usable file") << -100 << QStringLiteral("IFRﾌｧｲﾙ読込ボタンを押して使用するエフェクトを選択してください");
    QTest::newRow("other value below -1") << -2 << QString();
    QTest::newRow("English: file chosen, no game") << -50 << "Press \"New game\" to start a game.";
    QTest::newRow("English: no usable file") << -100 << "Press \"Load IFR file...\" and choose the effects to play.";
}

void GameTest::refusedClicksPromptOrStaySilent()
{
    QFETCH(int, resource);
    QFETCH(QString, prompt);
    const Translations texts(rowLanguage());
    Table t;
    t.lay(QStringLiteral("AABBCCDDEEFFGGHH"));
    t.globals.EffectResource = resource;
    t.board.info = QStringLiteral("x");
    t.game.pic_Click(4);
    QCOMPARE(t.platform.messages.size(), prompt.isEmpty() ? 0u : 1u);
    if (!prompt.isEmpty()) {
        QCOMPARE(t.platform.messages[0].text, prompt);
        QCOMPARE(t.platform.messages[0].icon, MessageIcon::Information);
    }
    QVERIFY(t.haptic->started.isEmpty());
    QCOMPARE(t.board.faces(), QStringLiteral("bbbbbbbbbbbbbbbb"));
    QCOMPARE(t.board.info, QStringLiteral("x"));
    QCOMPARE(t.board.remaining, QStringLiteral("16"));
    QCOMPARE(t.game.OpenCard, std::int16_t(-1));
}

void GameTest::cardStateTable_data()
{
    // Clicks on a board "AABBCCDDEEFFGGHH"; the result as faces, OpenCard,
    // the verdict and the effects played.
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QString>("faces");
    QTest::addColumn<int>("open");
    QTest::addColumn<QString>("info");
    QTest::addColumn<QString>("played");
    QTest::addColumn<QString>("remaining");

    QTest::newRow("face down, none open: opens") << QList<int>{2} << "bbobbbbbbbbbbbbb" << 2 << "" << "B" << "16";
    QTest::newRow("same effect: both matched") << QList<int>{2, 3} << "bbssbbbbbbbbbbbb" << -1 << "正解！" << "BB"
                                               << "14";
    QTest::newRow("other effect: both face down") << QList<int>{2, 4} << "bbbbbbbbbbbbbbbb" << -1
                                                  << "残念、違います。" << "BC" << "16";
    QTest::newRow("open card again: replayed") << QList<int>{2, 2} << "bbobbbbbbbbbbbbb" << 2 << "" << "BB" << "16";
    QTest::newRow("matched card: replayed") << QList<int>{2, 3, 3} << "bbssbbbbbbbbbbbb" << -1 << "正解！" << "BBB"
                                            << "14";
    QTest::newRow("first card clears verdict") << QList<int>{2, 4, 6} << "bbbbbbobbbbbbbbb" << 6 << "" << "BCD"
                                               << "16";
    QTest::newRow("English: same effect") << QList<int>{2, 3} << "bbssbbbbbbbbbbbb" << -1 << "A pair!" << "BB"
                                          << "14";
    QTest::newRow("English: other effect") << QList<int>{2, 4} << "bbbbbbbbbbbbbbbb" << -1 << "Not a pair."
                                           << "BC" << "16";
}

void GameTest::cardStateTable()
{
    QFETCH(QList<int>, clicks);
    const Translations texts(rowLanguage());
    Table t;
    t.lay(QStringLiteral("AABBCCDDEEFFGGHH"));
    for (int card : clicks)
        t.game.pic_Click(static_cast<std::int16_t>(card));
    QTEST(t.board.faces(), "faces");
    QTEST(int(t.game.OpenCard), "open");
    QTEST(t.board.info, "info");
    QTEST(t.haptic->started.join(QString()), "played");
    QTEST(t.board.remaining, "remaining");
}

void GameTest::effectStartsBeforeAnyImageChanges()
{
    Table t;
    t.lay(QStringLiteral("AABBCCDDEEFFGGHH"));
    QStringList log;
    t.board.log = &log;
    t.platform.log = &log;
    t.haptic->log = &log;
    t.game.pic_Click(0);
    t.game.pic_Click(5);
    const QStringList expected{
        QStringLiteral("Start A 1"), QStringLiteral("clear 0"), QStringLiteral("load 0 Cardopen.bmp"),
        QStringLiteral("info "),
        // The second card, judged a mismatch.
        QStringLiteral("Start C 1"), QStringLiteral("clear 5"), QStringLiteral("load 5 Cardopen.bmp"),
        QStringLiteral("repaint"), QStringLiteral("sleep 100"), QStringLiteral("info 残念、違います。"),
        QStringLiteral("repaint"), QStringLiteral("sleep 100"), QStringLiteral("clear 5"),
        QStringLiteral("load 5 Card.bmp"), QStringLiteral("clear 0"), QStringLiteral("load 0 Card.bmp")};
    QCOMPARE(log, expected);

    log.clear();
    t.game.pic_Click(0);
    t.game.pic_Click(1);
    QCOMPARE(log.mid(4), (QStringList{QStringLiteral("Start A 1"), QStringLiteral("clear 1"),
                                      QStringLiteral("load 1 Cardsumi.bmp"), QStringLiteral("clear 0"),
                                      QStringLiteral("load 0 Cardsumi.bmp"), QStringLiteral("info 正解！"),
                                      QStringLiteral("repaint"), QStringLiteral("sleep 100")}));
}

void GameTest::namesCompareExactly_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("match");
    QTest::newRow("equal") << "Knock" << "Knock" << true;
    QTest::newRow("letter case") << "Knock" << "knock" << false;
    QTest::newRow("leading blank") << "Knock" << " Knock" << false;
    QTest::newRow("trailing blank") << "Knock" << "Knock " << false;
    QTest::newRow("full-width") << "ノック" << "ノック" << true;
}

void GameTest::namesCompareExactly()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(bool, match);
    Table t;
    t.lay(QStringLiteral("AABBCCDDEEFFGGHH"));
    (*t.globals.Cards)[0].EffectName = first;
    (*t.globals.Cards)[9].EffectName = second;
    t.game.pic_Click(0);
    t.game.pic_Click(9);
    QCOMPARE((*t.globals.Cards)[0].Matched == -1, match);
    QCOMPARE((*t.globals.Cards)[9].Matched == -1, match);
}

void GameTest::emptyNamesNeverMatch()
{
    // Regression: two cards clicked while the slots were still being filled
    // were marked found although no pair lay on them.
    Table t;
    t.lay(QStringLiteral("AA              "));
    t.game.pic_Click(5);
    t.game.pic_Click(9);
    QCOMPARE((*t.globals.Cards)[5].Matched, std::int16_t(0));
    QCOMPARE(t.board.info, QStringLiteral("残念、違います。"));
    QCOMPARE(t.board.faces().mid(5, 5), QStringLiteral("bbbbb"));
}

void GameTest::wholeGameEndsOnceWithShakeAndMessage_data()
{
    QTest::addColumn<QString>("message");
    QTest::newRow("83 seconds") << "83秒で全部揃いました。";
    QTest::newRow("English: 83 seconds") << "All pairs found in 83 seconds.";
}

void GameTest::wholeGameEndsOnceWithShakeAndMessage()
{
    const Translations texts(rowLanguage());
    Table t;
    t.lay(QStringLiteral("ABCDEFGHABCDEFGH"));
    t.board.timerInterval = 900;
    t.board.time = QStringLiteral("83");
    for (int pair = 0; pair < 8; ++pair) {
        t.game.pic_Click(static_cast<std::int16_t>(pair));
        t.game.pic_Click(static_cast<std::int16_t>(pair + 8));
        QCOMPARE(t.board.remaining, QString::number(14 - 2 * pair));
    }
    QCOMPARE(t.board.timerInterval, 0);
    QCOMPARE(t.shakes, 1);
    QCOMPARE(t.platform.messages.size(), 1u);
    QTEST(t.platform.messages[0].text, "message");
    QCOMPARE(t.platform.messages[0].icon, MessageIcon::None);
    QCOMPARE(t.board.faces(), QStringLiteral("ssssssssssssssss"));

    // Later clicks only replay.
    const int played = t.haptic->started.size();
    t.board.remaining = QStringLiteral("x");
    for (int card = 0; card < 16; ++card)
        t.game.pic_Click(static_cast<std::int16_t>(card));
    QCOMPARE(t.haptic->started.size(), played + 16);
    QCOMPARE(t.shakes, 1);
    QCOMPARE(t.platform.messages.size(), 1u);
    QCOMPARE(t.board.remaining, QStringLiteral("x"));
}

void GameTest::clickDuringEndShakeOnlyReplays()
{
    Table t;
    t.lay(QStringLiteral("ABCDEFGHABCDEFGH"));
    for (int card = 1; card < 16; ++card)
        if (card != 8)
            (*t.globals.Cards)[card].Matched = -1;
    t.platform.onYield = [&](int n) {
        if (n == 3)
            t.game.pic_Click(12);
    };
    t.game.pic_Click(0);
    t.game.pic_Click(8);
    QCOMPARE(t.haptic->started, (QStringList{"A", "A", "E"}));
    QCOMPARE(t.shakes, 1);
    QCOMPARE(t.platform.messages.size(), 1u);
}

void GameTest::missingMatchedImageLeavesCardBlank()
{
    Table t;
    t.lay(QStringLiteral("AABBCCDDEEFFGGHH"));
    t.board.missingFiles.insert(QStringLiteral("Cardsumi.bmp"));
    t.game.pic_Click(0);
    t.game.pic_Click(1);
    QCOMPARE(t.board.faces().left(2), QStringLiteral("--"));
    QCOMPARE((*t.globals.Cards)[0].Matched, std::int16_t(-1));
    QCOMPARE(t.board.info, QStringLiteral("正解！"));
    QCOMPARE(t.board.remaining, QStringLiteral("14"));
    QVERIFY(t.platform.messages.empty());
}

void GameTest::failingEffectStillTurnsTheCard()
{
    Table t;
    t.lay(QStringLiteral("AABBCCDDEEFFGGHH"));
    t.haptic->startThrows = true;
    t.game.pic_Click(6);
    QCOMPARE(t.board.face(6), QStringLiteral("Cardopen.bmp"));
    QCOMPARE(t.game.OpenCard, std::int16_t(6));
}

void GameTest::startSecondsRoundHalfToEven_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<int>("rounded");
    QTest::newRow("100.5") << 100.5 << 100;
    QTest::newRow("101.5") << 101.5 << 102;
    QTest::newRow("101.49") << 101.49 << 101;
    QTest::newRow("0.5") << 0.5 << 0;
    QTest::newRow("86399.5") << 86399.5 << 86400;
}

void GameTest::startSecondsRoundHalfToEven()
{
    QFETCH(double, seconds);
    QTEST(roundHalfToEven(seconds), "rounded");
}

void GameTest::elapsedFormatting_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("0.4 is empty") << 0.4 << "";
    QTest::newRow("0 is empty") << 0.0 << "";
    QTest::newRow("0.6") << 0.6 << "1";
    QTest::newRow("1") << 1.0 << "1";
    QTest::newRow("83") << 83.2 << "83";
    QTest::newRow("five digits") << 12345.0 << "12345";
    QTest::newRow("negative") << -5.0 << "-5";
}

void GameTest::elapsedFormatting()
{
    QFETCH(double, seconds);
    QTEST(formatElapsed(seconds), "text");
}

void GameTest::tickShowsSecondsAcrossMidnight_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<float>("now");
    QTest::addColumn<QString>("text");
    QTest::newRow("first tick") << 100 << 100.9f << "1";
    QTest::newRow("first tick, start rounded up") << 101 << 101.4f << "";
    QTest::newRow("later") << 100 << 183.0f << "83";
    QTest::newRow("after midnight") << 86390 << 20.0f << "30";
    QTest::newRow("start rounded to a full day") << 86400 << 0.6f << "1";
}

void GameTest::tickShowsSecondsAcrossMidnight()
{
    QFETCH(int, start);
    QFETCH(float, now);
    Table t;
    t.globals.StartSeconds = start;
    t.platform.clock = now;
    t.game.Timer1_Timer();
    QTEST(t.board.time, "text");
}

void GameTest::practiceBoardOfferedBetweenGamesOnly_data()
{
    QTest::addColumn<int>("resource");
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("matched"); // cards whose pair was found; -1: none dealt
    QTest::addColumn<bool>("offered");
    QTest::newRow("file chosen, no game") << -50 << kPath << -1 << true;
    QTest::newRow("no usable file") << -100 << kPath << -1 << false;
    QTest::newRow("path box emptied") << -50 << QString() << -1 << false;
    QTest::newRow("a game being dealt") << 1 << kPath << 0 << false;
    QTest::newRow("a game under way") << 1 << kPath << 14 << false;
    QTest::newRow("a game completed") << 1 << kPath << 16 << true;
    QTest::newRow("a game completed, then a file refused") << 1 << QString() << 16 << false;
}

void GameTest::practiceBoardOfferedBetweenGamesOnly()
{
    QFETCH(int, resource);
    QFETCH(QString, path);
    QFETCH(int, matched);
    Table t;
    if (matched >= 0)
        t.lay(QStringLiteral("AABBCCDDEEFFGGHH"));
    for (int i = 0; i < matched; ++i)
        (*t.globals.Cards)[i].Matched = -1;
    t.globals.EffectResource = resource;
    QTEST(practiceBoardOffered(t.globals, path), "offered");
}

void GameTest::practiceSetReadsFirstEffectsOnItsOwnHandle_data()
{
    QTest::addColumn<int>("effects");
    QTest::addColumn<int>("pairs");
    QTest::addColumn<QString>("names"); // empty: refused
    QTest::newRow("eight pairs") << 10 << 8 << "fx0 fx1 fx2 fx3 fx4 fx5 fx6 fx7";
    QTest::newRow("four pairs") << 10 << 4 << "fx0 fx1 fx2 fx3";
    QTest::newRow("too few effects for a game") << 7 << 4 << "";
}

void GameTest::practiceSetReadsFirstEffectsOnItsOwnHandle()
{
    QFETCH(int, effects);
    QFETCH(int, pairs);
    Table t;
    t.haptic->addFile(kPath, effects);
    const PracticeSet set = openPracticeSet(*t.haptic, kPath, pairs);
    QTEST(set.names.join(u' '), "names");
    QCOMPARE(set.check.verdict == EffectFileVerdict::Usable, !set.names.isEmpty());
    QCOMPARE(set.handle, 1);
    QCOMPARE(t.globals.EffectResource, kFileChosenNoGame);
    QVERIFY(!t.globals.Cards);
}

QTEST_GUILESS_MAIN(GameTest)
#include "tst_game.moc"
