// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakes/fakeboard.h"
#include "fakes/fakehaptic.h"
#include "fakes/fakeplatform.h"
#include "fakes/rowlanguage.h"
#include "game/game.h"
#include "game/globals.h"
#include "game/journalfile.h"
#include "game/playjournal.h"
#include "translations/translations.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace pelnori;
using namespace pelnori::test;

namespace {

// A game on fakes whose effect file is a real file of three bytes, "abc",
// in a folder named after a person; the deal lays fx0 on cards 0 and 1, fx1
// on 2 and 3, and so on.
struct Table
{
    Table()
    {
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("mika")));
        QFile file(effectPath);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("abc") == 3);
        auto control = std::make_unique<FakeHaptic>();
        haptic = control.get();
        haptic->addFile(effectPath, 10);
        globals.HapticControl = std::move(control);
        board.path = effectPath;
        game.setJournal(&journal);
    }

    void start()
    {
        for (int slot = 0; slot < 15; ++slot)
            platform.draws.push_back((float(slot) + 0.5f) / 16.0f);
        game.btnStart_Click();
    }

    void turn(int card, TurnInput input, std::int64_t atMs)
    {
        nowMs = atMs;
        game.setTurnInput(input);
        game.pic_Click(std::int16_t(card));
    }

    QTemporaryDir folder;
    QString effectPath = folder.filePath(QStringLiteral("mika/ten.ifr"));
    FakeBoard board;
    FakePlatform platform;
    Globals globals;
    FakeHaptic *haptic = nullptr;
    std::int64_t nowMs = 0;
    PlayJournal journal{platform, [this] { return nowMs; }};
    Game game{board, platform, globals, {}};
};

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class JournalTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lineHoldsTheGameField_data();
    void lineHoldsTheGameField();
    void appendingKeepsEarlierLines_data();
    void appendingKeepsEarlierLines();
    void unwritableFileIsToldOnceAndTheGameGoesOn_data();
    void unwritableFileIsToldOnceAndTheGameGoesOn();
    void noFileKeepsNothing();
};

void JournalTest::lineHoldsTheGameField_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("json"); // the field's value, compact
    QTest::newRow("version") << "version" << "1";
    QTest::newRow("file name, no folder") << "file" << "\"ten.ifr\"";
    QTest::newRow("contents") << "sha256" << "\"ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad\"";
    QTest::newRow("effects in play")
        << "effects" << R"(["fx0","fx1","fx2","fx3","fx4","fx5","fx6","fx7"])";
    QTest::newRow("deal")
        << "deal"
        << R"(["fx0","fx0","fx1","fx1","fx2","fx2","fx3","fx3","fx4","fx4","fx5","fx5","fx6","fx6","fx7","fx7"])";
    QTest::newRow("pairs") << "pairs" << "8";
    QTest::newRow("players") << "players" << "\"two\"";
    QTest::newRow("inputs, the sound with them") << "inputs" << R"(["keys","controller","screen-reader","sound"])";
    QTest::newRow("abandoned for a new game") << "end" << "\"new-game\"";
    QTest::newRow("turns")
        << "turns"
        << R"([{"card":0,"effect":"fx0","input":"keys","ms":100,"seen":false,"verdict":"first"},)"
           R"({"card":2,"effect":"fx1","input":"controller","ms":900,"seen":false,"verdict":"no-pair"},)"
           R"({"card":2,"effect":"fx1","input":"controller","ms":1500,"seen":true,"verdict":"first"},)"
           R"({"card":2,"effect":"fx1","input":"screen-reader","ms":1600,"seen":true,"verdict":"replay-open"},)"
           R"({"card":3,"effect":"fx1","input":"keys","ms":2000,"seen":false,"verdict":"pair"},)"
           R"({"card":3,"effect":"fx1","input":"keys","ms":2100,"seen":true,"verdict":"replay-matched"}])";
}

void JournalTest::lineHoldsTheGameField()
{
    QFETCH(QString, field);
    QFETCH(QString, json);
    Table table;
    const QString path = table.folder.filePath(QStringLiteral("data/journal.jsonl"));
    table.journal.setFile(path);
    table.journal.setPlayers(Players::Two);
    table.haptic->sound = true;
    table.nowMs = 5000; // the game's start
    table.start();
    table.turn(0, TurnInput::Keys, 5100);
    table.turn(2, TurnInput::Controller, 5900);
    table.turn(2, TurnInput::Controller, 6500);
    table.turn(2, TurnInput::ScreenReader, 6600);
    table.turn(3, TurnInput::Keys, 7000);
    table.turn(3, TurnInput::Keys, 7100);
    table.start();

    const QByteArray contents = contentsOf(path);
    QCOMPARE(contents.count('\n'), 1);
    QVERIFY(!contents.contains("mika"));
    const QJsonObject line = QJsonDocument::fromJson(contents).object();
    QCOMPARE(line.size(), 10);
    const QJsonValue expected = QJsonDocument::fromJson('[' + json.toUtf8() + ']').array().first();
    QVERIFY2(line.value(field) == expected,
             QJsonDocument(QJsonArray{line.value(field)}).toJson(QJsonDocument::Compact).constData());
}

void JournalTest::appendingKeepsEarlierLines_data()
{
    QTest::addColumn<QByteArray>("before"); // null: no file, nor its folder
    QTest::addColumn<int>("games");         // read back, the new one last
    QTest::addColumn<QList<int>>("unreadable");
    JournalGame earlier;
    earlier.effectFile = QStringLiteral("old.ifr");
    const QByteArray line = journalLine(earlier);
    QTest::newRow("no file yet") << QByteArray() << 1 << QList<int>{};
    QTest::newRow("empty file") << QByteArray("") << 1 << QList<int>{};
    QTest::newRow("two whole lines") << line + line << 3 << QList<int>{};
    QTest::newRow("a crash cut the last line short") << line + line.left(40) << 2 << QList<int>{2};
    QTest::newRow("a line of another version") << QByteArray("{\"version\":2}\n") + line << 2 << QList<int>{1};
}

void JournalTest::appendingKeepsEarlierLines()
{
    QFETCH(QByteArray, before);
    QFETCH(int, games);
    QFETCH(QList<int>, unreadable);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("pelnori/journal.jsonl"));
    if (!before.isNull()) {
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("pelnori")));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(before);
    }
    JournalGame game;
    game.effectFile = QStringLiteral("tremka.ifr");
    game.deal = QStringList{QStringLiteral("ノック"), QStringLiteral("ノック")};
    game.inputs = {TurnInput::Mouse};
    game.sound = true;
    game.turns.push_back({12, 1, QStringLiteral("ノック"), false, TurnVerdict::First, TurnInput::Mouse});
    QVERIFY(appendJournalLine(path, journalLine(game)));

    const QByteArray after = contentsOf(path);
    QVERIFY(after.startsWith(before));
    const JournalReading reading = readJournal(after);
    QCOMPARE(int(reading.games.size()), games);
    QCOMPARE(reading.unreadableLines, unreadable);
    QVERIFY(reading.games.back() == game);
}

void JournalTest::unwritableFileIsToldOnceAndTheGameGoesOn_data()
{
    QTest::addColumn<QString>("message"); // %1: the journal's path
    QTest::newRow("Japanese")
        << "プレイ記録を書き込めません。\n%1\nこの回の記録は残りませんが、ゲームはそのまま続けられます。";
    QTest::newRow("English: the message")
        << "The play journal cannot be written:\n%1\nThis run's games are not kept, but the game goes on.";
}

void JournalTest::unwritableFileIsToldOnceAndTheGameGoesOn()
{
    QFETCH(QString, message);
    const Translations texts(rowLanguage());
    Table table;
    // A file where the journal's folder should be.
    const QString path = table.folder.filePath(QStringLiteral("mika/ten.ifr/journal.jsonl"));
    table.journal.setFile(path);
    for (int game = 0; game < 3; ++game) {
        table.start();
        table.turn(0, TurnInput::Mouse, 0);
        table.turn(1, TurnInput::Mouse, 0);
    }
    QCOMPARE(table.platform.messages.size(), std::size_t(1));
    QCOMPARE(table.platform.messages[0].text, message.arg(path));
    QCOMPARE(table.platform.messages[0].icon, MessageIcon::Warning);
    QCOMPARE(table.board.remaining, QStringLiteral("14"));
    QCOMPARE(table.board.faces(), QStringLiteral("ssbbbbbbbbbbbbbb"));
}

void JournalTest::noFileKeepsNothing()
{
    Table table;
    table.start();
    table.turn(0, TurnInput::Mouse, 0);
    table.start();
    QVERIFY(!table.journal.gameUnderWay());
    QCOMPARE(table.haptic->calls.filter(QStringLiteral("Name")).size(), 16); // the two deals' only
    QVERIFY(table.platform.messages.empty());
}

QTEST_GUILESS_MAIN(JournalTest)
#include "tst_journal.moc"
