// SPDX-License-Identifier: GPL-3.0-or-later

// The real window meeting broken files: card images that are missing or
// damaged (a fake haptic control), and effect files that the real haptic
// control must refuse, played on an SDL virtual game controller.

#include "app/cardbox.h"
#include "app/frmmain.h"
#include "app/qtplatform.h"
#include "common/errors.h"
#include "game/globals.h"
#include "game/paths.h"
#include "fakes/fakedialog.h"
#include "fakes/fakehaptic.h"
#include "fakes/fakeplatform.h"
#include "fakes/rowlanguage.h"
#include "fakes/virtualpad.h"
#include "device/controlfactory.h"
#include "translations/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <filesystem>
#include <map>
#include <vector>

#include <sys/stat.h>

using namespace pelnori;
using namespace pelnori::test;

namespace {

const QString kBack = QStringLiteral("Card.bmp");
const QString kOpen = QStringLiteral("Cardopen.bmp");
const QString kMatched = QStringLiteral("Cardsumi.bmp");
const QString kEffects = QStringLiteral("tremka.ifr");
const QString kOpenError = QStringLiteral("IFRファイル読込みエラー");

// A program folder of the test's own: the build's card images and default
// effect file, copied, so a test may damage them. Given a name (bytes), it is
// a folder of that name inside, found as the program finds its own folder.
class ProgramFolder
{
public:
    explicit ProgramFolder(const QByteArray &name = {})
        : m_path(m_dir.path())
    {
        if (!name.isEmpty()) {
            m_named = QFile::encodeName(m_dir.path()) + '/' + name;
            ::mkdir(m_named.constData(), 0755);
            m_path = QtPlatform::folderOfProgram(m_named + "/pelnori");
        }
        const QDir build(QCoreApplication::applicationDirPath());
        for (const QString &name : {kBack, kOpen, kMatched, kEffects})
            QFile::copy(build.filePath(name), path(name));
    }

    // Qt leaves a name that is not UTF-8 behind.
    ~ProgramFolder()
    {
        if (!m_named.isEmpty())
            std::filesystem::remove_all(m_named.toStdString());
    }

    QString path() const { return m_path; }
    QString path(const QString &name) const { return m_path + u'/' + name; }

    void write(const QString &name, const QByteArray &bytes) const
    {
        QFile::remove(path(name));
        QFile file(path(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }

    QByteArray read(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
    QByteArray m_named;
};

// The real window loaded over a fake platform whose program folder is a
// ProgramFolder. The haptic control is the fake one unless a test asks for
// the real one.
struct Window
{
    explicit Window(bool realControl = false, const QByteArray &folderName = {})
        : folder(folderName)
    {
        platform.folder = folder.path();
        auto answered = std::make_unique<FakeDialog>();
        dialog = answered.get();
        window.setCMDialog(std::move(answered));
        if (realControl) {
            loaded = window.Form_Load(createHapticControl);
            return;
        }
        loaded = window.Form_Load([&](const QString &) -> std::unique_ptr<HapticInterface> {
            auto control = std::make_unique<FakeHaptic>();
            control->addFile(folder.path(kEffects), 10);
            return control;
        });
    }

    void click(QWidget *widget) { QTest::mouseClick(widget, Qt::LeftButton); }
    void clickCard(int card) { click(window.pic(card)); }

    // The two cards of each pair, in card order.
    std::vector<std::pair<int, int>> pairs() const
    {
        std::map<QString, std::vector<int>> byName;
        for (int i = 0; i < kCardCount; ++i)
            byName[(*globals.Cards)[i].EffectName].push_back(i);
        std::vector<std::pair<int, int>> out;
        for (const auto &[name, cards] : byName)
            out.emplace_back(cards.at(0), cards.at(1));
        std::sort(out.begin(), out.end());
        return out;
    }

    ProgramFolder folder;
    FakePlatform platform;
    Globals globals;
    frmMain window{platform, globals, nullptr};
    FakeDialog *dialog = nullptr;
    bool loaded = false;
};

QImage imageOf(const CardBox *card)
{
    return card->picture().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage buildImage(const QString &name)
{
    return QImage(QDir(QCoreApplication::applicationDirPath()).filePath(name)).convertToFormat(QImage::Format_RGB32);
}

QByteArray randomBytes(int size, quint32 seed)
{
    QRandomGenerator generator(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &c : bytes)
        c = static_cast<char>(generator.bounded(256));
    return bytes;
}

// An effect file of eight good effects; `extra` lands inside the last one.
QByteArray eightEffects(const QByteArray &extra = {}, const QByteArray &secondName = "e1")
{
    QByteArray text = "version = 1\n";
    for (int i = 0; i < 8; ++i) {
        const QByteArray name = i == 1 ? secondName : "e" + QByteArray::number(i);
        text += "\n[[effect]]\nname = \"" + name + "\"\ntype = \"rumble\"\nduration = " + QByteArray::number(100 + 10 * i)
                + "\nstrong = 0.5\nweak = 0.25\n";
    }
    return text + extra;
}

} // namespace

class BadInputsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void damagedCardBackIsReportedAndPlayGoesOn_data();
    void damagedCardBackIsReportedAndPlayGoesOn();
    void damagedFaceLeavesCardsBlankAndGameEnds_data();
    void damagedFaceLeavesCardsBlankAndGameEnds();

    void effectFileSpoiledBeforeStartLeavesNoUsableFile_data();
    void effectFileSpoiledBeforeStartLeavesNoUsableFile();
    void badEffectFileIsRefused_data();
    void badEffectFileIsRefused();
    void programFolderNamedInBytesIsUsed();

private:
    std::unique_ptr<VirtualPad> m_pad;
};

void BadInputsTest::initTestCase()
{
    // The real control sees the test's virtual pad and nothing else.
    QVERIFY(startVirtualPadSupport());
    m_pad = std::make_unique<VirtualPad>();
    QVERIFY(m_pad->attached());
}

void BadInputsTest::cleanupTestCase()
{
    m_pad.reset();
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
}

void BadInputsTest::damagedCardBackIsReportedAndPlayGoesOn_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("missing") << "missing";
    QTest::newRow("empty") << "empty";
    QTest::newRow("header only") << "header only";
    QTest::newRow("cut in half") << "cut in half";
    QTest::newRow("garbage") << "garbage";
    QTest::newRow("a folder") << "folder";
}

void BadInputsTest::damagedCardBackIsReportedAndPlayGoesOn()
{
    QFETCH(QString, damage);
    Window w;
    QVERIFY(w.loaded);
    const QByteArray good = w.folder.read(kBack);
    QVERIFY(good.size() > 200);
    if (damage == QLatin1String("missing"))
        QVERIFY(QFile::remove(w.folder.path(kBack)));
    else if (damage == QLatin1String("empty"))
        w.folder.write(kBack, {});
    else if (damage == QLatin1String("header only"))
        w.folder.write(kBack, good.left(54));
    else if (damage == QLatin1String("cut in half"))
        w.folder.write(kBack, good.left(good.size() / 2));
    else if (damage == QLatin1String("garbage"))
        w.folder.write(kBack, randomBytes(good.size(), 7));
    else if (damage == QLatin1String("folder"))
        QVERIFY(QFile::remove(w.folder.path(kBack)) && QDir(w.folder.path()).mkdir(kBack));

    w.click(w.window.btnStart());
    QCOMPARE(w.platform.messages.size(), 1u);
    QCOMPARE(w.platform.messages[0].icon, MessageIcon::Warning);
    // Regression: the report began with the handler's name in code.
    QCOMPARE(w.platform.messages[0].text,
             QStringLiteral("カードの画像ファイルを読み込めません。\r\n") + w.folder.path(kBack));
    QVERIFY(!w.platform.hasEnded());
    // Stopped at the first card: nothing dealt, no clock.
    QVERIFY(!w.window.Timer1()->isActive());
    QCOMPARE(w.globals.EffectResource, kFileChosenNoGame);
    QCOMPARE(w.platform.yields, 0);

    // The program goes on: a click asks for a start, and once the file is
    // good again a start deals a game.
    w.clickCard(5);
    QCOMPARE(w.platform.messages.size(), 2u);
    QCOMPARE(w.platform.messages[1].text, QStringLiteral("ゲームを開始するにはZolva開始ボタンを押してください"));
    QDir(w.folder.path()).rmdir(kBack);
    w.folder.write(kBack, good);
    w.click(w.window.btnStart());
    QCOMPARE(w.platform.messages.size(), 2u);
    QVERIFY(w.globals.EffectResource >= 0);
    QVERIFY(w.window.Timer1()->isActive());
    for (int i = 0; i < kCardCount; ++i)
        QCOMPARE(imageOf(w.window.pic(i)), buildImage(kBack));
}

void BadInputsTest::damagedFaceLeavesCardsBlankAndGameEnds_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("remove");
    QTest::newRow("open face missing") << kOpen << true;
    QTest::newRow("open face garbage") << kOpen << false;
    QTest::newRow("matched face missing") << kMatched << true;
    QTest::newRow("matched face garbage") << kMatched << false;
}

void BadInputsTest::damagedFaceLeavesCardsBlankAndGameEnds()
{
    QFETCH(QString, file);
    QFETCH(bool, remove);
    Window w;
    QVERIFY(w.loaded);
    w.click(w.window.btnStart());
    QVERIFY(w.globals.Cards);
    if (remove)
        QVERIFY(QFile::remove(w.folder.path(file)));
    else
        w.folder.write(file, randomBytes(3000, 11));
    // A face that cannot be loaded shows as a blank card.
    const auto face = [&](const QString &name) { return name == file ? QImage() : buildImage(name); };

    const auto pairs = w.pairs();
    QCOMPARE(pairs.size(), 8u);
    // A wrong pair first: both cards turn back.
    const int first = pairs[0].first;
    const int other = pairs[1].first;
    w.clickCard(first);
    QCOMPARE(imageOf(w.window.pic(first)), face(kOpen));
    w.clickCard(other);
    QCOMPARE(w.window.lblinfo()->text(), QStringLiteral("残念、違います。"));
    QCOMPARE(imageOf(w.window.pic(first)), buildImage(kBack));
    QCOMPARE(imageOf(w.window.pic(other)), buildImage(kBack));

    int remaining = kCardCount;
    for (const auto &[a, b] : pairs) {
        w.clickCard(a);
        QCOMPARE(imageOf(w.window.pic(a)), face(kOpen));
        w.clickCard(b);
        remaining -= 2;
        QCOMPARE(w.window.txtNokori()->text(), QString::number(remaining));
        QCOMPARE(imageOf(w.window.pic(a)), face(kMatched));
        QCOMPARE(imageOf(w.window.pic(b)), face(kMatched));
    }
    // The only message is the end of the game: no error reached the player.
    QCOMPARE(w.platform.messages.size(), 1u);
    QVERIFY(w.platform.messages[0].text.endsWith(QStringLiteral("秒で全部揃いました。")));
    QVERIFY(!w.window.Timer1()->isActive());
}

void BadInputsTest::effectFileSpoiledBeforeStartLeavesNoUsableFile_data()
{
    QTest::addColumn<QString>("spoil");
    QTest::addColumn<QString>("message");
    const QString openError = QStringLiteral("IFRファイル読込みエラー\r\n");
    QTest::newRow("deleted") << "deleted" << openError + QStringLiteral("ファイルが見つかりません。");
    QTest::newRow("cut short") << "cut short" << openError + QStringLiteral("49行8列目: TOMLとして読めません。");
    QTest::newRow("three effects left")
        << "three effects" << QStringLiteral("エフェクトが８つ以上ありません。\r\nこのファイルのエフェクトは3個です。");
    QTest::newRow("replaced by a folder") << "folder" << openError + QStringLiteral("ファイルではなくフォルダーです。");
    QTest::newRow("replaced by a FIFO") << "fifo" << openError + QStringLiteral("通常のファイルではありません。");
    QTest::newRow("made unreadable") << "unreadable" << openError + QStringLiteral("ファイルを読む権限がありません。");
    QTest::newRow("English: replaced by a FIFO") << "fifo" << "Error loading the IFR file.\r\nIt is not a regular file.";
    QTest::newRow("English: made unreadable")
        << "unreadable" << "Error loading the IFR file.\r\nPermission denied: the file may not be read.";
}

// The file passed the check at start-up and is gone or broken by the time
// the game opens it again.
void BadInputsTest::effectFileSpoiledBeforeStartLeavesNoUsableFile()
{
    QFETCH(QString, spoil);
    const Translations texts(rowLanguage());
    Window w(true);
    QVERIFY(w.loaded);
    QCOMPARE(w.globals.EffectResource, kFileChosenNoGame);
    const QString path = w.folder.path(kEffects);
    QCOMPARE(w.window.txtLoadIFR()->text(), path);

    const QByteArray good = w.folder.read(kEffects);
    if (spoil == QLatin1String("deleted")) {
        QVERIFY(QFile::remove(path));
    } else if (spoil == QLatin1String("cut short")) {
        w.folder.write(kEffects, good.left(good.indexOf("name = ", good.size() / 2) + 9));
    } else if (spoil == QLatin1String("three effects")) {
        QByteArray three = eightEffects();
        three.truncate(three.indexOf("[[effect]]\nname = \"e3\""));
        w.folder.write(kEffects, three);
    } else if (spoil == QLatin1String("fifo")) {
        QVERIFY(QFile::remove(path));
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (spoil == QLatin1String("unreadable")) {
        QVERIFY(QFile::setPermissions(path, QFile::WriteOwner));
        if (QFile(path).open(QIODevice::ReadOnly))
            QSKIP("this user reads every file (root)");
    } else {
        QVERIFY(QFile::remove(path) && QDir(w.folder.path()).mkdir(kEffects));
    }

    w.window.txtTime()->setText(QStringLiteral("83"));
    w.click(w.window.btnStart());
    QCOMPARE(w.globals.EffectResource, kNoUsableFile);
    QVERIFY(w.globals.Cards);
    for (const CardSlot &slot : *w.globals.Cards)
        QVERIFY(slot.EffectName.isEmpty());
    // Regression: the start went silent and ran the clock over empty cards.
    // Once the cards are dealt, the player is told why no game runs.
    QCOMPARE(w.platform.messages.size(), 1u);
    QTEST(w.platform.messages[0].text, "message");
    QCOMPARE(w.platform.messages[0].icon, MessageIcon::Warning);
    QVERIFY(!w.window.Timer1()->isActive());
    // No game runs, so no time of the last one stays beside the message.
    QCOMPARE(w.window.txtTime()->text(), QString());
    QCOMPARE(w.window.txtLoadIFR()->text(), path);
    for (int i = 0; i < kCardCount; ++i)
        QCOMPARE(w.window.pic(i)->pos(), QPoint(64 * (i % 4), 80 + 60 * (i / 4)));
    w.clickCard(9);
    QCOMPARE(w.platform.messages.size(), 2u);
    QCOMPARE(w.platform.messages[1].text,
             rowLanguage() == u"en" ? QStringLiteral("Press \"Load IFR file...\" and choose the effects to play.")
                                    : QStringLiteral("IFRﾌｧｲﾙ読込ボタンを押して使用するエフェクトを選択してください"));
}

void BadInputsTest::badEffectFileIsRefused_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message"); // empty: the file is taken

    const auto openError = [](const char *why) { return kOpenError + QStringLiteral("\r\n") + QString::fromUtf8(why); };
    const auto badToml = [&](const char *at) { return openError(at) + QStringLiteral(": TOMLとして読めません。"); };
    const auto badEffect = [&](const char *at) {
        return openError(at) + QStringLiteral(": エフェクトファイルの書き方に誤りがあります。");
    };
    QByteArray huge = eightEffects();
    huge += "# " + QByteArray(1024 * 1024, 'x') + "\n";
    QByteArray brackets = "x = " + QByteArray(100000, '[') + QByteArray(100000, ']') + "\n";
    QByteArray tables = "x = ";
    for (int i = 0; i < 20000; ++i)
        tables += "{ a = ";
    tables += "1" + QByteArray(20000, '}') + "\n";
    QByteArray dotted = "[[effect]]\n";
    for (int i = 0; i < 5000; ++i)
        dotted += "a.";
    dotted += "b = 1\n";
    const QByteArray good = eightEffects();

    QTest::newRow("eight good effects") << good << QString();
    QTest::newRow("empty") << QByteArray() << QStringLiteral("エフェクトが８つ以上ありません。\r\nこのファイルのエフェクトは0個です。");
    QTest::newRow("binary") << randomBytes(4096, 3) << badToml("1行1列目");
    QTest::newRow("binary after good text") << good + QByteArray("\0\x01\xff\xfe", 4) << badToml("58行2列目");
    QTest::newRow("cut inside a string") << good.left(good.lastIndexOf("\"e7") + 2) << badToml("53行10列目");
    QTest::newRow("cut inside a table header") << good.left(good.lastIndexOf("[[effect]]") + 4) << badToml("52行5列目");
    QTest::newRow("over 1 MiB") << huge << openError("ファイルが大きすぎます（1049231バイト。1 MiBまでです）。");
    QTest::newRow("arrays nested 100000 deep") << brackets << badToml("1行37列目");
    QTest::newRow("tables nested 20000 deep") << tables << badToml("1行197列目");
    QTest::newRow("key dotted 5000 deep") << dotted << badEffect("2行130列目");
    QTest::newRow("a name twice") << eightEffects({}, "e0") << badEffect("11行8列目");
    QTest::newRow("an empty name") << eightEffects({}, "") << badEffect("11行8列目");
    QTest::newRow("a blank name") << eightEffects({}, " \\t ") << badEffect("11行8列目");
    QTest::newRow("a name with a line break") << eightEffects({}, "e\\n1") << badEffect("11行8列目");
    QTest::newRow("duration 0") << eightEffects().replace("duration = 170", "duration = 0") << badEffect("55行12列目");
    QTest::newRow("duration too long") << eightEffects().replace("duration = 170", "duration = 10001") << badEffect("55行12列目");
    QTest::newRow("negative delay") << eightEffects("delay = -1\n") << badEffect("58行9列目");
    QTest::newRow("strength over 1") << eightEffects().replace("strong = 0.5", "strong = 1.5") << badEffect("7行10列目");
    QTest::newRow("strength nan") << eightEffects().replace("weak = 0.25\n", "weak = nan\n") << badEffect("8行8列目");
    QTest::newRow("strength inf") << eightEffects().replace("weak = 0.25\n", "weak = inf\n") << badEffect("8行8列目");
    QTest::newRow("duration beyond 64 bits") << eightEffects().replace("duration = 100", "duration = 99999999999999999999")
                                             << badToml("6行32列目");
    QTest::newRow("version 2") << eightEffects().replace("version = 1", "version = 2") << badEffect("1行11列目");
}

// Each file is refused by the real control's open and by the effect-file
// button, which then leaves the last usable choice in force.
void BadInputsTest::badEffectFileIsRefused()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    Window w(true);
    QVERIFY(w.loaded);
    const QString path = w.folder.path(QStringLiteral("chosen.ifr"));
    w.folder.write(QStringLiteral("chosen.ifr"), content);
    QCOMPARE(QFileInfo(path).size(), qint64(content.size()));

    const std::int32_t handle = w.globals.HapticControl->OpenForceResource(path);
    QCOMPARE(handle < -1, message.startsWith(kOpenError));

    w.dialog->answerWith(path);
    w.click(w.window.cmbRead_IFR());
    if (message.isEmpty()) {
        QVERIFY(w.platform.messages.empty());
        QCOMPARE(w.window.txtLoadIFR()->text(), path);
        QCOMPARE(w.globals.EffectResource, kFileChosenNoGame);
        return;
    }
    QCOMPARE(w.platform.messages.size(), 1u);
    QCOMPARE(w.platform.messages[0].text, message);
    QCOMPARE(w.platform.messages[0].icon, MessageIcon::Warning);
    QCOMPARE(w.window.txtLoadIFR()->text(), QString());
    QCOMPARE(w.globals.EffectResource, kFileChosenNoGame);
    // The refused file is not played: a start finds the path box empty.
    w.click(w.window.btnStart());
    QCOMPARE(w.globals.EffectResource, kNoUsableFile);
}

// Regression: in a folder whose name is not UTF-8, the default effect file
// went unfound and New game looked for the card images at "/Card.bmp".
void BadInputsTest::programFolderNamedInBytesIsUsed()
{
    Window w(true, QByteArray("pel\xffnori \xe3\x81", 11));
    QVERIFY(w.loaded);
    QVERIFY(QFileInfo(w.folder.path(kBack)).isFile());
    QCOMPARE(w.window.txtLoadIFR()->text(), w.folder.path(kEffects));
    QCOMPARE(w.globals.EffectResource, kFileChosenNoGame);
    w.click(w.window.btnStart());
    QVERIFY(w.platform.messages.empty());
    QVERIFY(w.globals.EffectResource > 0);
    QCOMPARE(imageOf(w.window.pic(5)), buildImage(kBack));
}

QTEST_MAIN(BadInputsTest)
#include "tst_badinputs.moc"
