// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/globals.h"
#include "fakes/fakeboard.h"
#include "fakes/fakedialog.h"
#include "fakes/fakehaptic.h"
#include "fakes/fakeplatform.h"
#include "fakes/rowlanguage.h"
#include "game/game.h"
#include "game/effectfilechoice.h"
#include "translations/translations.h"

#include <QTest>

using namespace pelnori;
using namespace pelnori::test;

namespace {

struct Choice
{
    Choice()
    {
        auto control = std::make_unique<FakeHaptic>();
        haptic = control.get();
        // Start-up has opened the default file with this control.
        haptic->addFile(QStringLiteral("/opt/pelnori/tremka.ifr"), 10);
        haptic->OpenForceResource(QStringLiteral("/opt/pelnori/tremka.ifr"));
        haptic->calls.clear();
        globals.HapticControl = std::move(control);
        globals.EffectResource = kNoUsableFile;
        board.path = QStringLiteral("/old.ifr");
    }

    void choose(const QString &path)
    {
        dialog.answerWith(path);
        cmbRead_IFR_Click(dialog, board, platform, globals);
    }

    FakeDialog dialog;
    FakeBoard board;
    FakePlatform platform;
    Globals globals;
    FakeHaptic *haptic = nullptr;
};

} // namespace

Q_DECLARE_METATYPE(pelnori::test::FakeFile)

class EffectFileChoiceTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dialogIsSetUpInOrder_data();
    void dialogIsSetUpInOrder();
    void dialogStartsInTheEffectFileFolder_data();
    void dialogStartsInTheEffectFileFolder();
    void cancelOrFailedDialogChangesNothing_data();
    void cancelOrFailedDialogChangesNothing();
    void chosenFileIsTested_data();
    void chosenFileIsTested();
    void usableChoiceDuringGameAsksForNewGame();
    void unusableChoiceDuringGameKeepsItsCards();
    void unusableAfterUsableMakesNextGameAskForFile();
};

void EffectFileChoiceTest::dialogIsSetUpInOrder_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("filter");
    QTest::newRow("as designed") << "title=IFRファイルを開く" << "filter=IFR(*.ifr)|*.ifr|すべてのファイル|*.*";
    QTest::newRow("English: the same patterns") << "title=Open IFR file" << "filter=IFR(*.ifr)|*.ifr|All files|*.*";
}

void EffectFileChoiceTest::dialogIsSetUpInOrder()
{
    QFETCH(QString, title);
    QFETCH(QString, filter);
    const Translations texts(rowLanguage());
    Choice c;
    c.haptic->addFile(QStringLiteral("/fx/a.ifr"), 8);
    c.choose(QStringLiteral("/fx/a.ifr"));
    QCOMPARE(c.dialog.settings, (QStringList{QStringLiteral("ext=ifr"), QStringLiteral("file="), title, filter,
                                             QStringLiteral("index=1"), QStringLiteral("flags=39940"),
                                             QStringLiteral("cancelError=1"), QStringLiteral("show")}));
}

void EffectFileChoiceTest::dialogStartsInTheEffectFileFolder_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("rejected"); // picked before and refused by the game
    QTest::addColumn<QString>("folder");
    QTest::newRow("path set") << "/home/player/fx/mine.ifr" << "" << "/home/player/fx";
    QTest::newRow("path empty: the program's folder") << "" << "" << "/opt/pelnori";
    // Regression: a refused file emptied the path box, and the next look
    // started in the program's folder, far from the one just browsed.
    QTest::newRow("after a refused file: its folder") << "/home/player/fx/mine.ifr" << "/home/player/new/odd.ifr"
                                                      << "/home/player/new";
}

// Regression: the dialog opened wherever Qt last was, far from tremka.ifr.
void EffectFileChoiceTest::dialogStartsInTheEffectFileFolder()
{
    QFETCH(QString, path);
    QFETCH(QString, rejected);
    Choice c;
    c.board.path = path;
    if (!rejected.isEmpty())
        c.choose(rejected);
    c.choose(QString());
    QTEST(c.dialog.initDir, "folder");
}

void EffectFileChoiceTest::cancelOrFailedDialogChangesNothing_data()
{
    QTest::addColumn<bool>("fails");
    QTest::newRow("cancel") << false;
    QTest::newRow("dialog fails") << true;
}

void EffectFileChoiceTest::cancelOrFailedDialogChangesNothing()
{
    QFETCH(bool, fails);
    Choice c;
    c.globals.EffectResource = 3;
    c.dialog.failShow = fails;
    c.choose(QString());
    QCOMPARE(c.board.path, QStringLiteral("/old.ifr"));
    QCOMPARE(c.globals.EffectResource, 3);
    QVERIFY(c.platform.messages.empty());
    QVERIFY(c.haptic->calls.isEmpty());
}

void EffectFileChoiceTest::chosenFileIsTested_data()
{
    QTest::addColumn<FakeFile>("file");
    QTest::addColumn<int>("resource");
    QTest::addColumn<QString>("message");

    const auto names = [](int n) { return QStringList(n, QStringLiteral("fx")); };
    const QString tooFew = QStringLiteral("エフェクトが８つ以上ありません。");
    QTest::newRow("8 effects, silent") << FakeFile{.names = names(8)} << -50 << QString();
    QTest::newRow("7 effects") << FakeFile{.names = names(7)} << -100
                               << tooFew + QStringLiteral("\r\nこのファイルのエフェクトは7個です。");
    QTest::newRow("open below -1") << FakeFile{.names = names(8), .openResult = -5} << -100
                                   << QStringLiteral("IFRファイル読込みエラー");
    // The reason the control gives goes on a second line.
    const auto refused = [&](OpenFailure failure) {
        return FakeFile{.names = names(8), .openResult = -2, .failure = failure};
    };
    using Kind = OpenFailure::Kind;
    const FakeFile fifo = refused({Kind::NotRegularFile});
    const FakeFile locked = refused({Kind::NoPermission});
    const FakeFile huge = refused({Kind::TooLarge, 0, 0, QStringLiteral("52428800")});
    const FakeFile garbage = refused({Kind::NotToml, 3, 14});
    const FakeFile badValue = refused({Kind::BadContent, 12, 1});
    const FakeFile ioError = refused({Kind::Unreadable, 0, 0, QStringLiteral("Input/output error")});
    QTest::newRow("FIFO") << fifo << -100 << QStringLiteral("IFRファイル読込みエラー\r\n通常のファイルではありません。");
    QTest::newRow("unreadable") << locked << -100
                                << QStringLiteral("IFRファイル読込みエラー\r\nファイルを読む権限がありません。");
    QTest::newRow("50 MB") << huge << -100
                           << QStringLiteral("IFRファイル読込みエラー\r\nファイルが大きすぎます（52428800バイト。1 MiBまでです）。");
    QTest::newRow("garbage") << garbage << -100 << QStringLiteral("IFRファイル読込みエラー\r\n3行14列目: TOMLとして読めません。");
    QTest::newRow("bad value") << badValue << -100
                               << QStringLiteral("IFRファイル読込みエラー\r\n12行1列目: エフェクトファイルの書き方に誤りがあります。");
    QTest::newRow("read fails") << ioError << -100
                                << QStringLiteral("IFRファイル読込みエラー\r\nファイルを読み込めません: Input/output error");
    QTest::newRow("English: FIFO") << fifo << -100 << "Error loading the IFR file.\r\nIt is not a regular file.";
    QTest::newRow("English: unreadable") << locked << -100
                                         << "Error loading the IFR file.\r\nPermission denied: the file may not be read.";
    QTest::newRow("English: 50 MB") << huge << -100
                                    << "Error loading the IFR file.\r\nThe file is too large (52428800 bytes; at most 1 MiB).";
    QTest::newRow("English: garbage") << garbage << -100
                                      << "Error loading the IFR file.\r\nLine 3, column 14: It is not valid TOML.";
    QTest::newRow("English: bad value")
        << badValue << -100 << "Error loading the IFR file.\r\nLine 12, column 1: It is not written as an effect file must be.";
    QTest::newRow("English: read fails") << ioError << -100
                                         << "Error loading the IFR file.\r\nThe file cannot be read: Input/output error";
    QTest::newRow("open gives -1") << FakeFile{.names = names(8), .openResult = -1} << -50 << QString();
    // A raising open leaves handle 0, which names no file, not even the
    // default file opened before: the count of an unknown handle reads 0.
    QTest::newRow("open raises after another file opened") << FakeFile{.names = names(8), .openThrows = true} << -100
                                                           << tooFew;
    QTest::newRow("count beyond 16 bits") << FakeFile{.names = names(8), .countResult = 65544} << -100 << tooFew;
    QTest::newRow("English: 7 effects") << FakeFile{.names = names(7)} << -100
                                        << "The file has fewer than eight effects.\r\nEffects in this file: 7.";
    QTest::newRow("English: open below -1") << FakeFile{.names = names(8), .openResult = -5} << -100
                                            << "Error loading the IFR file.";
}

void EffectFileChoiceTest::chosenFileIsTested()
{
    QFETCH(FakeFile, file);
    QFETCH(QString, message);
    const Translations texts(rowLanguage());
    Choice c;
    const QString path = QStringLiteral("/fx/chosen.ifr");
    c.haptic->files.insert(path, file);
    c.choose(path);
    QTEST(c.globals.EffectResource, "resource");
    QCOMPARE(c.board.path, message.isEmpty() ? path : QString());
    QCOMPARE(c.haptic->calls.value(0), QStringLiteral("Open %1").arg(path));
    if (message.isEmpty()) {
        QVERIFY(c.platform.messages.empty());
    } else {
        QCOMPARE(c.platform.messages.size(), 1u);
        QCOMPARE(c.platform.messages[0].text, message);
        QCOMPARE(c.platform.messages[0].icon, MessageIcon::Warning);
    }
}

void EffectFileChoiceTest::usableChoiceDuringGameAsksForNewGame()
{
    Choice c;
    c.globals.EffectResource = 4; // a running game's handle
    c.haptic->addFile(QStringLiteral("/fx/b.ifr"), 9);
    c.choose(QStringLiteral("/fx/b.ifr"));
    QCOMPARE(c.globals.EffectResource, kFileChosenNoGame);
    Game game(c.board, c.platform, c.globals, {});
    c.globals.Cards.emplace();
    game.pic_Click(0);
    QCOMPARE(c.platform.messages.back().text, QStringLiteral("ゲームを開始するにはZolva開始ボタンを押してください"));
}

void EffectFileChoiceTest::unusableChoiceDuringGameKeepsItsCards()
{
    Choice c;
    c.globals.EffectResource = 4;
    c.haptic->addFile(QStringLiteral("/fx/few.ifr"), 3);
    c.choose(QStringLiteral("/fx/few.ifr"));
    QCOMPARE(c.globals.EffectResource, 4);
    QCOMPARE(c.board.path, QString());
}

void EffectFileChoiceTest::unusableAfterUsableMakesNextGameAskForFile()
{
    Choice c;
    c.haptic->addFile(QStringLiteral("/fx/good.ifr"), 8);
    c.choose(QStringLiteral("/fx/good.ifr"));
    c.choose(QStringLiteral("/fx/missing.ifr"));
    QCOMPARE(c.globals.EffectResource, kFileChosenNoGame);
    QCOMPARE(c.board.path, QString());

    Game game(c.board, c.platform, c.globals, {});
    const std::size_t told = c.platform.messages.size();
    game.btnStart_Click();
    QCOMPARE(c.haptic->calls.last(), QStringLiteral("Open "));
    QCOMPARE(c.globals.EffectResource, kNoUsableFile);
    // Regression: the start with the empty path ran the clock without a word.
    QCOMPARE(c.platform.messages.size(), told + 1);
    QCOMPARE(c.platform.messages.back().text, QStringLiteral("IFRファイル読込みエラー"));
    QCOMPARE(c.board.timerInterval, 0);
    game.pic_Click(5);
    QCOMPARE(c.platform.messages.back().text, QStringLiteral("IFRﾌｧｲﾙ読込ボタンを押して使用するエフェクトを選択してください"));
}

QTEST_GUILESS_MAIN(EffectFileChoiceTest)
#include "tst_effectfilechoice.moc"
