// SPDX-License-Identifier: GPL-3.0-or-later
// The whole program's flow with the real haptic control, playing on a
// virtual game controller: start-up with the default effect file, a game,
// clicks felt on the pad, a pad pulled out during play, a turn played with
// the controller alone.
#include "app/cardbox.h"
#include "app/frmmain.h"
#include "app/padrelay.h"
#include "app/startup.h"
#include "game/globals.h"
#include "game/paths.h"
#include "fakes/diskaudio.h"
#include "fakes/fakeplatform.h"
#include "fakes/virtualpad.h"
#include "device/controlfactory.h"
#include "device/sdlhapticcontrol.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <algorithm>

using namespace pelnori;
using namespace pelnori::test;

namespace {

struct Program
{
    Program() { platform.folder = QCoreApplication::applicationDirPath(); }

    bool load(ControlOptions options = {}) { return window.Form_Load(hapticControlFactory(options)); }

    FakePlatform platform;
    Globals globals;
    frmMain window{platform, globals, nullptr};
};

bool felt(const VirtualPad &pad, std::size_t from)
{
    const auto commands = pad.commands();
    return std::any_of(commands.begin() + static_cast<std::ptrdiff_t>(std::min(from, commands.size())),
                       commands.end(), [](const RumbleCommand &c) { return c.low != 0 || c.high != 0; });
}

// Whether the control has a controller to play its effects on.
bool playsOnAPad(SdlHapticControl &control)
{
    const auto devices = control.devices();
    return std::any_of(devices.begin(), devices.end(), [](const HapticDeviceInfo &d) { return d.inUse && d.rumble; });
}

int partnerOf(const CardSlots &cards, int card)
{
    for (int other = 0; other < kCardCount; ++other)
        if (other != card && cards[other].EffectName == cards[card].EffectName)
            return other;
    return -1;
}

} // namespace

class GameFlowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void withoutDeviceOfferPlayByEarWhenAudioWorks_data();
    void withoutDeviceOfferPlayByEarWhenAudioWorks();
    void gameIsFeltOnThePadToTheEnd();
    void padPulledOutDuringPlayLeavesGameSilentButPlayable();
    void controllerAloneDealsMovesAndTurns();
    void gameIsHeardWithoutPadAndFeltOncePlugged();
};

void GameFlowTest::initTestCase()
{
    QVERIFY(startVirtualPadSupport());
    if (SDL_NumJoysticks() > 0)
        QSKIP("a real joystick is attached; this test needs a machine without one");
}

void GameFlowTest::withoutDeviceOfferPlayByEarWhenAudioWorks_data()
{
    QTest::addColumn<bool>("sound");
    QTest::addColumn<QByteArray>("audioDriver");
    QTest::addColumn<QString>("choice"); // the offer's button, if any
    QTest::addColumn<QString>("text");
    const QString noDevice = QStringLiteral("フォースフィードバックに対応した機器が接続されていません\r\n"
                                            "使用環境をもう一度お確かめください。");
    QTest::newRow("no audio output") << false << QByteArray("none") << QString() << noDevice;
    QTest::newRow("audio works, by ear") << false << QByteArray("disk") << QStringLiteral("音で遊ぶ") << noDevice;
    const QString noAudioEither = QStringLiteral("フォースフィードバックに対応した機器が接続されていません\r\n"
                                                 "音声出力も使用できません。\r\n使用環境をもう一度お確かめください。");
    QTest::newRow("sound, but no audio output") << true << QByteArray("none") << QString() << noAudioEither;
    // SDL's dummy driver opens and plays nothing: no game to be heard on it.
    QTest::newRow("dummy driver, not by ear") << false << QByteArray("dummy") << QString() << noDevice;
    QTest::newRow("sound on the dummy driver") << true << QByteArray("dummy") << QString() << noAudioEither;
}

void GameFlowTest::withoutDeviceOfferPlayByEarWhenAudioWorks()
{
    QFETCH(bool, sound);
    QFETCH(QByteArray, audioDriver);
    QFETCH(QString, choice);
    DiskAudio audio; // the disk driver writes here; the others ignore it
    qputenv("SDL_AUDIODRIVER", audioDriver);
    Program program;
    program.platform.pickChoice = true;
    QCOMPARE(program.load({.sound = sound}), !choice.isEmpty());
    QCOMPARE(program.platform.messages.size(), 1u);
    QTEST(program.platform.messages[0].text, "text");
    QCOMPARE(program.platform.messages[0].choice, choice);
    // Finding out whether the output opens makes no sound.
    QVERIFY(DiskAudio::trimmed(audio.samples()).empty());
    if (choice.isEmpty())
        return;
    // By ear, a card is heard.
    program.window.btnStart_Click();
    program.window.pic_Click(3);
    QTRY_VERIFY_WITH_TIMEOUT(!DiskAudio::trimmed(audio.samples()).empty(), 2000);
}

void GameFlowTest::gameIsFeltOnThePadToTheEnd()
{
    VirtualPad pad;
    QVERIFY(pad.attached());
    DiskAudio audio;
    Program program;
    QVERIFY(program.load());
    // With a device there is no need to try the audio output.
    QVERIFY(!audio.opened());
    QCOMPARE(program.globals.EffectResource, kFileChosenNoGame);
    QCOMPARE(program.window.board().effectPath(),
             programFile(QCoreApplication::applicationDirPath(), kDefaultEffectFile));

    program.platform.clock = 100.0f;
    program.window.btnStart_Click();
    QVERIFY(program.platform.messages.empty());
    QVERIFY(program.globals.EffectResource >= -1);
    const CardSlots cards = *program.globals.Cards;
    for (int card = 0; card < kCardCount; ++card)
        QVERIFY(partnerOf(cards, card) >= 0);

    program.platform.clock = 142.2f;
    // The clock's first tick, 900 ms after the deal, comes before the game
    // is played out: a fast machine finds all pairs sooner.
    QTRY_COMPARE(program.window.txtTime()->text(), QStringLiteral("42"));
    QList<int> found;
    for (int card = 0; card < kCardCount; ++card) {
        if (found.contains(card))
            continue;
        const int partner = partnerOf(cards, card);
        std::size_t before = pad.count();
        program.window.pic_Click(card);
        QVERIFY(QTest::qWaitFor([&] { return felt(pad, before); }, 2000));
        before = pad.count();
        program.window.pic_Click(partner);
        QVERIFY(QTest::qWaitFor([&] { return felt(pad, before); }, 2000));
        found << card << partner;
    }
    QCOMPARE(program.window.txtNokori()->text(), QStringLiteral("0"));
    QCOMPARE(program.platform.messages.size(), 1u);
    QCOMPARE(program.platform.messages[0].text, QStringLiteral("42秒で全部揃いました。"));
    // The last effect ends with the motors at rest.
    QTRY_VERIFY_WITH_TIMEOUT(pad.count() > 0 && pad.commands().back().low == 0 && pad.commands().back().high == 0,
                             3000);
}

void GameFlowTest::padPulledOutDuringPlayLeavesGameSilentButPlayable()
{
    auto pad = std::make_unique<VirtualPad>();
    Program program;
    QVERIFY(program.load());
    program.window.btnStart_Click();
    const CardSlots cards = *program.globals.Cards;

    auto *control = dynamic_cast<SdlHapticControl *>(program.globals.HapticControl.get());
    QVERIFY(control);

    pad->unplug();
    QTRY_VERIFY(!playsOnAPad(*control));
    program.window.pic_Click(3);
    program.window.pic_Click(static_cast<std::int16_t>(partnerOf(cards, 3)));
    QCOMPARE(program.window.txtNokori()->text(), QStringLiteral("14"));
    QVERIFY(program.platform.messages.empty());

    // Plugged in again, a click is felt once the control has found the pad.
    VirtualPad again;
    QVERIFY(again.attached());
    QTRY_VERIFY(playsOnAPad(*control));
    const std::size_t before = again.count();
    program.window.pic_Click(3); // a matched card: replayed
    QTRY_VERIFY_WITH_TIMEOUT(felt(again, before), 2000);
}

// The pad that plays the effects is also the player's hand: Start deals, the
// d-pad and the stick move the selection a card at a time and stop at the
// edge, and A turns the selected card, which the player feels.
void GameFlowTest::controllerAloneDealsMovesAndTurns()
{
    VirtualPad pad;
    Program program;
    QVERIFY(program.load());
    auto *control = dynamic_cast<SdlHapticControl *>(program.globals.HapticControl.get());
    QVERIFY(control);
    PadRelay relay(program.window, *control);
    program.window.show();
    program.window.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &program.window);
    QTRY_COMPARE(QGuiApplication::applicationState(), Qt::ApplicationActive);
    // A round trip to the control's thread: the wish for input, handed over
    // on activation before it, has been served.
    control->devices();
    const auto selected = [&] { return QApplication::focusWidget(); };
    QTRY_COMPARE(selected(), program.window.pic(1));

    // Each change waits until the control's thread has read it, so none falls
    // between two of its reads, and what it asks is asked in this order.
    const auto press = [&](int button, bool down) {
        pad.press(button, down);
        return QTest::qWaitFor([&] { return pad.readButton(button) == down; });
    };
    const auto tilt = [&](int axis, Sint16 value) {
        pad.tilt(axis, value);
        return QTest::qWaitFor([&] { return pad.readAxis(axis) == value; });
    };
    QVERIFY(press(SDL_CONTROLLER_BUTTON_START, true));
    QTRY_VERIFY_WITH_TIMEOUT(program.globals.EffectResource >= -1 && program.window.Timer1()->isActive(), 5000);
    QVERIFY(press(SDL_CONTROLLER_BUTTON_START, false));

    QVERIFY(press(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true));
    QTRY_COMPARE(selected(), program.window.pic(0));
    QVERIFY(press(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false));
    // At the edge the d-pad moves nothing: the stick's step down, read after
    // it, lands on card 4 below card 0.
    QVERIFY(press(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true));
    QVERIFY(press(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false));
    QVERIFY(tilt(SDL_CONTROLLER_AXIS_LEFTY, 30000));
    QVERIFY(tilt(SDL_CONTROLLER_AXIS_LEFTY, 0));
    QTRY_COMPARE(selected(), program.window.pic(4));

    // A turns the card the selection rests on: one step, not more.
    const std::size_t before = pad.count();
    QVERIFY(press(SDL_CONTROLLER_BUTTON_A, true));
    QTRY_COMPARE(program.window.game().OpenCard, std::int16_t(4));
    QTRY_VERIFY_WITH_TIMEOUT(felt(pad, before), 2000);
    QVERIFY(press(SDL_CONTROLLER_BUTTON_A, false));
}

// With the sound on, a game needs no pad; one plugged in later is felt too.
void GameFlowTest::gameIsHeardWithoutPadAndFeltOncePlugged()
{
    DiskAudio audio;
    const auto heard = [&audio] {
        const auto samples = audio.samples();
        return std::count_if(samples.begin(), samples.end(), [](float s) { return s != 0.0f; });
    };
    Program program;
    QVERIFY(program.load({.sound = true}));
    QVERIFY(program.platform.messages.empty());
    program.window.btnStart_Click();
    const CardSlots cards = *program.globals.Cards;
    program.window.pic_Click(3);
    QTRY_VERIFY_WITH_TIMEOUT(heard() > 0, 2000);
    program.window.pic_Click(static_cast<std::int16_t>(partnerOf(cards, 3)));
    QCOMPARE(program.window.txtNokori()->text(), QStringLiteral("14"));

    VirtualPad pad;
    auto *control = dynamic_cast<SdlHapticControl *>(program.globals.HapticControl.get());
    QVERIFY(control);
    QTRY_VERIFY(playsOnAPad(*control));
    const std::size_t before = pad.count();
    const auto heardBefore = heard();
    program.window.pic_Click(3);
    QTRY_VERIFY_WITH_TIMEOUT(felt(pad, before) && heard() > heardBefore, 2000);
}

QTEST_MAIN(GameFlowTest)
#include "tst_gameflow.moc"
