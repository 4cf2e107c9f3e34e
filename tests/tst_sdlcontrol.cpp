// SPDX-License-Identifier: GPL-3.0-or-later

// The haptic control end to end through the real SDL library, playing on a
// virtual game controller that records every rumble command reaching it.

#include "fakes/virtualpad.h"
#include "device/devicewatch.h"
#include "device/eventpump.h"
#include "device/playbackthread.h"
#include "device/sdlsubsystems.h"
#include "device/sdlhapticcontrol.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QTest>

#include <SDL.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <future>
#include <thread>
#include <vector>

#include <fcntl.h>
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif
#include <sys/stat.h>
#include <unistd.h>

namespace pelnori {
using test::Clock;
using test::RumbleCommand;
using test::VirtualPad;
using test::startVirtualPadSupport;

namespace {

constexpr auto kEffects = R"(version = 1

[[effect]]
name = "knock"
type = "rumble"
duration = 100
strong = 1.0
weak = 0.0

[[effect]]
name = "buzz"
type = "rumble"
duration = 300
strong = 0.0
weak = 0.5

[[effect]]
name = "swell"
type = "constant"
duration = 200
magnitude = 1.0
attack = { time = 200, level = 0.0 }

[[effect]]
name = "hum"
type = "rumble"
duration = 5000
strong = 0.5
weak = 0.5
)";

constexpr Uint16 kHalf = 32768;

bool isZero(const RumbleCommand &command)
{
    return command.low == 0 && command.high == 0;
}

double msBetween(const RumbleCommand &from, const RumbleCommand &to)
{
    return std::chrono::duration<double, std::milli>(to.at - from.at).count();
}

} // namespace

class TestSdlControl : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void attachedOnlyWithRumble_data();
    void attachedOnlyWithRumble();
    void controllerIsPreferredToPlainJoystick();
    void betterDeviceTakesOverWhenIdle();
    void effectReachesPadAndEndsWithZero();
    void envelopeIsFeltStepByStep();
    void newEffectStopsThePrevious();
    void strengthScalesTheLevelsSent_data();
    void strengthScalesTheLevelsSent();
    void unpluggedPadFailsNextStartAndReplugWorks();
    void startRightAfterCreationFindsThePad();
    void padsComingAndGoingOnAnotherThread();
    void wedgedDriverHoldsUpNeitherStartNorQuit();
    void logNamesTheChosenDeviceOnlyWhenTurnedOn();
    void threadLeftBehindStaysQuiet_data();
    void threadLeftBehindStaysQuiet();
    void controllerPressesReachTheWindowOnlyWhenWanted_data();
    void controllerPressesReachTheWindowOnlyWhenWanted();
    void twoPadsEachPlayersOwn_data();
    void twoPadsEachPlayersOwn();
    void padReadingIsDueWhen_data();
    void padReadingIsDueWhen();
    void nothingPlaysWithoutDevice();
    void badCallsThrow_data();
    void badCallsThrow();
    void badFilesDoNotOpen_data();
    void badFilesDoNotOpen();
    void unchangedFileIsParsedOnce();
    void changedFileGetsNewHandleAndOldStaysValid();
    void fileVersionsKeptAreBounded();
    void closingStopsTheMotors();

private:
    std::int32_t openEffects();
    bool tryStart(const QString &name);

    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<SdlHapticControl> m_control;
};

void TestSdlControl::initTestCase()
{
    QVERIFY(startVirtualPadSupport());
    if (SDL_NumJoysticks() > 0)
        QSKIP("a real joystick is attached; this test needs a machine without one");

    QVERIFY(m_dir.isValid());
    m_path = m_dir.filePath(QStringLiteral("test.ifr"));
    QFile file(m_path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(kEffects);
}

void TestSdlControl::init()
{
    m_control = SdlHapticControl::create();
    QVERIFY(m_control);
}

void TestSdlControl::cleanup()
{
    m_control.reset();
}

std::int32_t TestSdlControl::openEffects()
{
    return m_control->OpenForceResource(m_path);
}

bool TestSdlControl::tryStart(const QString &name)
{
    try {
        m_control->StartEffect(name, openEffects());
        return true;
    } catch (const HapticError &) {
        return false;
    }
}

void TestSdlControl::attachedOnlyWithRumble_data()
{
    QTest::addColumn<int>("pads"); // 0 none, 1 a game controller, 2 a plain joystick
    QTest::addColumn<bool>("rumble");
    QTest::addColumn<bool>("attached");
    QTest::newRow("no pad") << 0 << false << false;
    QTest::newRow("pad without rumble") << 1 << false << false;
    QTest::newRow("pad with rumble") << 1 << true << true;
    QTest::newRow("stick with rumble") << 2 << true << true;
}

void TestSdlControl::attachedOnlyWithRumble()
{
    QFETCH(int, pads);
    QFETCH(bool, rumble);
    QFETCH(bool, attached);
    std::unique_ptr<VirtualPad> pad;
    if (pads > 0) {
        pad = std::make_unique<VirtualPad>(rumble, pads == 1);
        QVERIFY(pad->attached());
    }
    QCOMPARE(m_control->ForceDeviceAttached(), attached);
}

void TestSdlControl::controllerIsPreferredToPlainJoystick()
{
    VirtualPad stick(true, false);
    VirtualPad pad;
    QVERIFY(m_control->ForceDeviceAttached());
    m_control->StartEffect(QStringLiteral("knock"), openEffects());
    QVERIFY(m_control->waitUntilIdle(std::chrono::seconds(5)));
    QCOMPARE(pad.count(), std::size_t(2));
    QCOMPARE(stick.count(), std::size_t(0));
}

void TestSdlControl::betterDeviceTakesOverWhenIdle()
{
    VirtualPad stick(true, false);
    QVERIFY(m_control->ForceDeviceAttached());
    QVERIFY(tryStart(QStringLiteral("knock")));
    QVERIFY(m_control->waitUntilIdle(std::chrono::seconds(5)));
    QCOMPARE(stick.count(), std::size_t(2));

    VirtualPad pad;
    QTRY_VERIFY_WITH_TIMEOUT(tryStart(QStringLiteral("knock")) && m_control->waitUntilIdle(std::chrono::seconds(5))
                                 && pad.count() > 0,
                             3000);
}

void TestSdlControl::effectReachesPadAndEndsWithZero()
{
    VirtualPad pad;
    QVERIFY(m_control->ForceDeviceAttached());
    m_control->StartEffect(QStringLiteral("knock"), openEffects());
    QVERIFY(m_control->waitUntilIdle(std::chrono::seconds(5)));

    const auto commands = pad.commands();
    QCOMPARE(commands.size(), std::size_t(2));
    QCOMPARE(commands.front().low, Uint16(65535));
    QCOMPARE(commands.front().high, Uint16(0));
    QVERIFY(isZero(commands.back()));
    // Never cut short: the zero comes only when the 100 ms are over.
    QVERIFY2(msBetween(commands.front(), commands.back()) >= 99.0,
             qPrintable(QString::number(msBetween(commands.front(), commands.back()))));
}

void TestSdlControl::envelopeIsFeltStepByStep()
{
    VirtualPad pad;
    QVERIFY(m_control->ForceDeviceAttached());
    m_control->StartEffect(QStringLiteral("swell"), openEffects());
    QVERIFY(m_control->waitUntilIdle(std::chrono::seconds(5)));

    const auto commands = pad.commands();
    // A 200 ms attack rendered at 100 Hz gives about twenty steps.
    QVERIFY2(commands.size() >= 10, qPrintable(QString::number(commands.size())));
    for (std::size_t i = 0; i + 1 < commands.size(); ++i) {
        QCOMPARE(commands[i].high, Uint16(0));
        if (i > 0)
            QVERIFY(commands[i].low > commands[i - 1].low);
    }
    QVERIFY(commands[commands.size() - 2].low > 55000);
    QVERIFY(isZero(commands.back()));
}

void TestSdlControl::newEffectStopsThePrevious()
{
    VirtualPad pad;
    QVERIFY(m_control->ForceDeviceAttached());
    const auto handle = openEffects();
    m_control->StartEffect(QStringLiteral("hum"), handle);
    QTRY_VERIFY(pad.count() >= 1);
    m_control->StartEffect(QStringLiteral("buzz"), handle);
    // The five-second hum is gone with the 300 ms buzz.
    QVERIFY(m_control->waitUntilIdle(std::chrono::seconds(3)));

    const auto commands = pad.commands();
    QCOMPARE(commands.size(), std::size_t(3));
    QCOMPARE(commands[0].low, kHalf);
    QCOMPARE(commands[0].high, kHalf);
    QCOMPARE(commands[1].low, Uint16(0));
    QCOMPARE(commands[1].high, kHalf);
    QVERIFY(isZero(commands[2]));
}

void TestSdlControl::strengthScalesTheLevelsSent_data()
{
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("strong"); // "hum" at 0.5 on both motors
    QTest::addColumn<int>("weak");   // "buzz" at 0.5 on the weak one
    QTest::newRow("as designed") << 100 << 32768 << 32768;
    QTest::newRow("half") << 50 << 16384 << 16384;
    QTest::newRow("least") << 10 << 3277 << 3277;
    QTest::newRow("below the range: the least") << 0 << 3277 << 3277;
    QTest::newRow("above the range: as designed") << 150 << 32768 << 32768;
}

void TestSdlControl::strengthScalesTheLevelsSent()
{
    QFETCH(int, percent);
    QFETCH(int, strong);
    QFETCH(int, weak);
    VirtualPad pad;
    QVERIFY(m_control->ForceDeviceAttached());
    m_control->setStrength(percent);
    const auto handle = openEffects();
    m_control->StartEffect(QStringLiteral("hum"), handle);
    QTRY_VERIFY(pad.count() >= 1);
    m_control->StartEffect(QStringLiteral("buzz"), handle);
    QVERIFY(m_control->waitUntilIdle(std::chrono::seconds(3)));
    const auto commands = pad.commands();
    QCOMPARE(commands.size(), std::size_t(3));
    QCOMPARE(int(commands[0].low), strong);
    QCOMPARE(int(commands[1].high), weak);
}

void TestSdlControl::unpluggedPadFailsNextStartAndReplugWorks()
{
    auto pad = std::make_unique<VirtualPad>();
    QVERIFY(m_control->ForceDeviceAttached());
    m_control->StartEffect(QStringLiteral("hum"), openEffects());
    QTRY_VERIFY(pad->count() >= 1);

    // The playing effect's next update notices the pad is gone.
    pad->unplug();
    QTRY_VERIFY_WITH_TIMEOUT(!tryStart(QStringLiteral("knock")), 1000);
    QVERIFY(m_control->waitUntilIdle(std::chrono::seconds(2)));

    VirtualPad replugged;
    QVERIFY(replugged.attached());
    QTRY_VERIFY_WITH_TIMEOUT(tryStart(QStringLiteral("knock")), 3000);
    QVERIFY(m_control->waitUntilIdle(std::chrono::seconds(5)));
    const auto commands = replugged.commands();
    QCOMPARE(commands.size(), std::size_t(2));
    QCOMPARE(commands.front().low, Uint16(65535));
    QVERIFY(isZero(commands.back()));
}

// Creating the control returned before its first look for a device, so a
// start right after it said "no device" with a pad attached.
void TestSdlControl::startRightAfterCreationFindsThePad()
{
    m_control.reset();
    VirtualPad pad;
    int refused = 0;
    for (int i = 0; i < 200; ++i) {
        m_control = SdlHapticControl::create();
        QVERIFY(m_control);
        refused += tryStart(QStringLiteral("knock")) ? 0 : 1;
        m_control.reset();
    }
    QCOMPARE(refused, 0);
}

// SDL's device list used to be walked without its lock while another thread
// plugged pads in and out (the sanitizer stage watches this one).
void TestSdlControl::padsComingAndGoingOnAnotherThread()
{
    std::atomic<bool> done = false;
    std::thread plugger([&done] {
        while (!done) {
            VirtualPad pad;
            std::this_thread::sleep_for(std::chrono::milliseconds(3));
        }
    });
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 1500) {
        tryStart(QStringLiteral("knock"));
        (void)m_control->ForceDeviceAttached();
        if (timer.elapsed() % 10 == 0)
            (void)m_control->devices();
    }
    done = true;
    plugger.join();

    VirtualPad pad;
    QTRY_VERIFY_WITH_TIMEOUT(tryStart(QStringLiteral("knock")) && m_control->waitUntilIdle(std::chrono::seconds(5))
                                 && pad.count() >= 2,
                             3000);
}

// A driver that blocked in SDL's start kept the window from showing for as
// long, and kept the process alive after the quit. Then every question the
// start asked waited for the thread again: the first window came after 9 s.
void TestSdlControl::wedgedDriverHoldsUpNeitherStartNorQuit()
{
    std::promise<void> release;
    auto released = release.get_future().share();
    QElapsedTimer timer;
    timer.start();
    {
        // The program's own start deadline.
        PlaybackThread player({.quitTimeout = std::chrono::milliseconds(200)},
                              [released]() -> std::unique_ptr<SdlSubsystems> {
                                  released.wait();
                                  throw std::runtime_error("the driver gave up");
                              });
        QVERIFY(player.started());
        // Until the thread answers, there is no device, and what the start
        // asks before its first window is answered at once.
        QVERIFY(!player.answered(std::chrono::milliseconds(0)));
        QVERIFY_THROWS_EXCEPTION(HapticError, (void)player.ask([](PlaybackLoop &loop) { return loop.findDevice(); }));
        QVERIFY_THROWS_EXCEPTION(HapticError, (void)player.ask([](PlaybackLoop &loop) { return loop.soundOn(); }));
        QVERIFY_THROWS_EXCEPTION(HapticError,
                                 (void)player.ask([](PlaybackLoop &loop) { return loop.soundOutputWorks(); }));
        QVERIFY_THROWS_EXCEPTION(HapticError, (void)player.ask([](PlaybackLoop &loop) { return loop.turnSoundOn(); }));
        player.tell([](PlaybackLoop &loop) { loop.setPadListener([](const PadPress &) {}); });
        player.tell([](PlaybackLoop &loop) { loop.setPadInputWanted(true); });
        QVERIFY2(timer.elapsed() < 3500, qPrintable(QString::number(timer.elapsed())));
        timer.restart();
    }
    QVERIFY(timer.elapsed() < 1000);
    // The thread left behind ends, without touching SDL, once the driver lets it go.
    release.set_value();
}

void TestSdlControl::logNamesTheChosenDeviceOnlyWhenTurnedOn()
{
    static QStringList lines;
    lines.clear();
    const auto previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &context, const QString &text) {
        if (QLatin1String(context.category) == QLatin1String("pelnori.haptics"))
            lines << text;
    });
    VirtualPad pad;
    m_control = SdlHapticControl::create();
    QVERIFY(lines.isEmpty());

    QLoggingCategory::setFilterRules(QStringLiteral("pelnori.haptics=true"));
    m_control = SdlHapticControl::create();
    QLoggingCategory::setFilterRules(QString());
    qInstallMessageHandler(previous);
    QVERIFY2(lines.join(u'\n').contains(QStringLiteral("chose \"Pelnori test pad\" - a game controller with rumble")),
             qPrintable(lines.join(u'\n')));
}

void TestSdlControl::threadLeftBehindStaysQuiet_data()
{
    QTest::addColumn<bool>("driverReturns"); // else it gives up with an error
    QTest::newRow("the driver returns") << true;
    QTest::newRow("the driver gives up") << false;
}

// A thread left behind by a bounded quit went on with its start when the
// driver returned: it opened audio and devices and logged, while the
// process might be destroying its statics.
void TestSdlControl::threadLeftBehindStaysQuiet()
{
    QFETCH(bool, driverReturns);
    m_control.reset(); // only the thread under test logs
    VirtualPad pad;    // a device it would open
    std::promise<void> release;
    auto released = release.get_future().share();
    std::atomic<pid_t> tid = 0;
    {
        PlaybackThread player({.sound = true, .startTimeout = std::chrono::milliseconds(50),
                               .quitTimeout = std::chrono::milliseconds(50)},
                              [released, &tid, driverReturns]() -> std::unique_ptr<SdlSubsystems> {
                                  tid = gettid();
                                  released.wait();
                                  if (!driverReturns)
                                      throw std::runtime_error("the driver gave up");
#if defined(__SANITIZE_ADDRESS__)
                                  // What SDL sets up for a thread left behind is
                                  // kept for the life of the process, by design.
                                  __lsan::ScopedDisabler keptForever;
#endif
                                  return std::make_unique<SdlSubsystems>();
                              });
        QTRY_VERIFY(tid != 0);
    }
    static std::mutex mutex;
    static QStringList lines;
    lines.clear();
    const auto previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &context, const QString &text) {
        std::lock_guard lock(mutex);
        if (QLatin1String(context.category) == QLatin1String("pelnori.haptics"))
            lines << text;
    });
    QLoggingCategory::setFilterRules(QStringLiteral("pelnori.haptics=true"));
    release.set_value();
    QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(QStringLiteral("/proc/self/task/%1").arg(tid.load())), 5000);
    QLoggingCategory::setFilterRules(QString());
    qInstallMessageHandler(previous);
    std::lock_guard lock(mutex);
    QVERIFY2(lines.isEmpty(), qPrintable(lines.join(u'\n')));
}

void TestSdlControl::controllerPressesReachTheWindowOnlyWhenWanted_data()
{
    QTest::addColumn<bool>("wanted");
    QTest::addColumn<bool>("stepped"); // a round trip after each change makes the thread read the pad
    QTest::addColumn<QString>("expected");
    QTest::newRow("window active") << true << true << QStringLiteral("RTUF");
    QTest::newRow("window active, the thread's own readings") << true << false << QStringLiteral("RTUF");
    QTest::newRow("window inactive") << false << true << QString();
}

void TestSdlControl::controllerPressesReachTheWindowOnlyWhenWanted()
{
    QFETCH(bool, wanted);
    QFETCH(bool, stepped);
    QFETCH(QString, expected);
    std::mutex mutex;
    QString got;
    m_control->setPadListener([&](const PadPress &press) {
        std::lock_guard lock(mutex);
        got += QStringLiteral("UDLRTSFCNPY").at(int(press.action));
    });
    VirtualPad pad;
    QTRY_VERIFY(m_control->ForceDeviceAttached());
    m_control->setPadInputWanted(wanted);
    const auto gotNow = [&] {
        std::lock_guard lock(mutex);
        return got;
    };
    // Every change is a different button, so that none is lost if a
    // release and the next press fall between two readings.
    const std::vector<std::function<void()>> changes{
        [&] { pad.press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true); },
        [&] { pad.press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false); },
        [&] { pad.press(SDL_CONTROLLER_BUTTON_A, true); },
        [&] { pad.press(SDL_CONTROLLER_BUTTON_A, false); },
        [&] { pad.tilt(SDL_CONTROLLER_AXIS_LEFTY, -30000); },
        [&] { pad.tilt(SDL_CONTROLLER_AXIS_LEFTY, 0); },
        [&] { pad.press(SDL_CONTROLLER_BUTTON_X, true); },
        [&] { pad.press(SDL_CONTROLLER_BUTTON_X, false); },
    };
    for (std::size_t i = 0; i < changes.size(); ++i) {
        changes[i]();
        if (stepped)
            QVERIFY(m_control->ForceDeviceAttached()); // the thread pumps SDL before it answers
        else if (i % 2 == 0)
            QTRY_COMPARE_WITH_TIMEOUT(gotNow().size(), qsizetype(i / 2 + 1), 1000);
    }
    QCOMPARE(gotNow(), expected);
    // The listener reaches what goes with this function: the thread drops it first.
    m_control->setPadListener({});
    (void)m_control->devices();
}

void TestSdlControl::twoPadsEachPlayersOwn_data()
{
    QTest::addColumn<int>("player"); // whose turn: 0 or 1
    QTest::addColumn<bool>("swap");
    QTest::addColumn<int>("felt"); // the pad that feels it, 0 for the first plugged in
    QTest::newRow("player 1: the first pad") << 0 << false << 0;
    QTest::newRow("player 2: the second pad") << 1 << false << 1;
    QTest::newRow("swapped, player 1: the second pad") << 0 << true << 1;
}

// Two controllers at the table: the effect reaches the turn's player's pad
// alone, and each pad's presses say whose they are.
void TestSdlControl::twoPadsEachPlayersOwn()
{
    QFETCH(int, player);
    QFETCH(bool, swap);
    QFETCH(int, felt);
    std::mutex mutex;
    std::vector<std::optional<int>> pressedBy;
    m_control->setPadListener([&](const PadPress &press) {
        std::lock_guard lock(mutex);
        pressedBy.push_back(press.player);
    });
    std::array<VirtualPad, 2> pads;
    m_control->setPadSettings(PadMapping(), QString(), swap);
    m_control->setPadInputWanted(true);
    QVERIFY(m_control->ForceDeviceAttached()); // the thread has opened both pads
    m_control->setPlayer(player);
    m_control->StartEffect(QStringLiteral("knock"), openEffects());
    QVERIFY(m_control->waitUntilIdle(std::chrono::seconds(5)));
    QVERIFY(pads[std::size_t(felt)].count() > 0);
    QCOMPARE(pads[std::size_t(1 - felt)].count(), std::size_t(0));

    const auto gotPress = [&] {
        std::lock_guard lock(mutex);
        return !pressedBy.empty();
    };
    pads[std::size_t(felt)].press(SDL_CONTROLLER_BUTTON_A, true);
    QTRY_VERIFY_WITH_TIMEOUT(gotPress(), 2000);
    {
        std::lock_guard lock(mutex);
        QCOMPARE(pressedBy.front(), std::optional<int>(player));
    }
    // The listener reaches what goes with this function: the thread drops it first.
    m_control->setPadListener({});
    (void)m_control->devices();
}

void TestSdlControl::padReadingIsDueWhen_data()
{
    QTest::addColumn<bool>("wanted");
    QTest::addColumn<QByteArray>("node");     // the pad's stand-in node: "" none, "quiet", "byte", "gone"
    QTest::addColumn<bool>("held");           // the d-pad held right from 0 ms
    QTest::addColumn<QList<int>>("readings"); // each due in ms, the thread reading then; -1 none
    QTest::addColumn<QString>("felt");
    QTest::newRow("window inactive") << false << QByteArray() << true << QList{-1} << QString();
    QTest::newRow("pad without a node: polled") << true << QByteArray() << false << QList{16, 32} << QString();
    QTest::newRow("pad with a node, untouched") << true << QByteArray("quiet") << false << QList{-1} << QString();
    QTest::newRow("input on the node: one more reading") << true << QByteArray("byte") << false << QList{16, -1} << QString();
    QTest::newRow("held on a node: its repeat") << true << QByteArray("byte") << true << QList{16, 400} << QStringLiteral("RR");
    QTest::newRow("node gone: polled") << true << QByteArray("gone") << false << QList{16, 32} << QString();
}

// The pad reading of the playback thread, stepped on this thread by time
// points: when it must look at the controllers next.
void TestSdlControl::padReadingIsDueWhen()
{
    QFETCH(bool, wanted);
    QFETCH(QByteArray, node);
    QFETCH(bool, held);
    QFETCH(QList<int>, readings);
    QFETCH(QString, felt);
    m_control.reset(); // this thread plays the playback thread's part
    const QByteArray fifo = QFile::encodeName(m_dir.filePath(QStringLiteral("node")));
    QFile::remove(QFile::decodeName(fifo));
    QCOMPARE(mkfifo(fifo.constData(), 0600), 0);
    int writer = open(fifo.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC); // the FIFO stays open while it is
    QVERIFY(writer >= 0);
    EventPump pump([&](const std::string &) { return node.isEmpty() ? std::string() : fifo.toStdString(); });
    DeviceWatch watch([] {});
    QString got;
    pump.pads().setListener([&](const PadPress &press) { got += QStringLiteral("UDLRTSFCNPY").at(int(press.action)); });
    VirtualPad pad;
    // On a whole millisecond: the stepper counts in them.
    const Clock::time_point t0 = std::chrono::ceil<std::chrono::milliseconds>(Clock::now());
    pump.inputWanted(wanted, t0);
    if (held)
        pad.press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    if (node == "byte")
        QCOMPARE(write(writer, "x", 1), ssize_t(1));
    if (node == "gone")
        close(std::exchange(writer, -1)); // the node reads as ended, as an unplugged one fails
    QCOMPARE(pump.inputArrived(t0), node == "byte" || node == "gone");
    pump.pump(t0, watch);
    for (int due : readings) {
        const auto input = pump.nextInput();
        QCOMPARE(input ? int(std::chrono::duration_cast<std::chrono::milliseconds>(*input - t0).count()) : -1, due);
        if (input)
            pump.pump(*input, watch);
    }
    QCOMPARE(got, felt);
    if (writer >= 0)
        close(writer);
}

// A click with no device must not leave an effect waiting for the next pad.
void TestSdlControl::nothingPlaysWithoutDevice()
{
    QVERIFY(!m_control->ForceDeviceAttached());
    QVERIFY_THROWS_EXCEPTION(HapticError, m_control->StartEffect(QStringLiteral("hum"), openEffects()));

    VirtualPad pad;
    QTRY_VERIFY(m_control->ForceDeviceAttached());
    // Another round trip: a start held back for the pad would have gone out.
    (void)m_control->devices();
    QVERIFY(m_control->waitUntilIdle(std::chrono::seconds(1)));
    QCOMPARE(pad.count(), std::size_t(0));
}

void TestSdlControl::badCallsThrow_data()
{
    QTest::addColumn<std::function<void(SdlHapticControl &, std::int32_t)>>("call");
    using Call = std::function<void(SdlHapticControl &, std::int32_t)>;
    QTest::newRow("count of unknown handle") << Call([](SdlHapticControl &c, std::int32_t h) { c.GetNumberOfEffects(h + 1); });
    QTest::newRow("count of failed open") << Call([](SdlHapticControl &c, std::int32_t) { c.GetNumberOfEffects(-2); });
    // Regression: the first file opened got handle 0, the handle a raising open leaves.
    QTest::newRow("count of handle 0") << Call([](SdlHapticControl &c, std::int32_t) { c.GetNumberOfEffects(0); });
    QTest::newRow("name below range") << Call([](SdlHapticControl &c, std::int32_t h) { c.GetNameOfEffect(-1, h); });
    QTest::newRow("name above range") << Call([](SdlHapticControl &c, std::int32_t h) { c.GetNameOfEffect(4, h); });
    QTest::newRow("name of unknown handle") << Call([](SdlHapticControl &c, std::int32_t h) { c.GetNameOfEffect(0, h + 1); });
    QTest::newRow("start unknown name") << Call([](SdlHapticControl &c, std::int32_t h) { c.StartEffect(QStringLiteral("KNOCK"), h); });
    QTest::newRow("start empty name") << Call([](SdlHapticControl &c, std::int32_t h) { c.StartEffect(QString(), h); });
    QTest::newRow("start unknown handle") << Call([](SdlHapticControl &c, std::int32_t h) { c.StartEffect(QStringLiteral("knock"), h + 1); });
}

void TestSdlControl::badCallsThrow()
{
    using Call = std::function<void(SdlHapticControl &, std::int32_t)>;
    QFETCH(Call, call);
    // With a pad, so a start can only fail for the reason under test.
    VirtualPad pad;
    QVERIFY(m_control->ForceDeviceAttached());
    const auto handle = openEffects();
    QCOMPARE(m_control->GetNumberOfEffects(handle), 4);
    QCOMPARE(m_control->GetNameOfEffect(3, handle), QStringLiteral("hum"));
    QVERIFY_THROWS_EXCEPTION(HapticError, call(*m_control, handle));
}

void TestSdlControl::badFilesDoNotOpen_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("missing") << QStringLiteral("missing.ifr") << QByteArray();
    QTest::newRow("empty path") << QString() << QByteArray();
    QTest::newRow("folder") << QStringLiteral(".") << QByteArray();
    // Regression: a name no file can have raised "filesystem error: …" up to the player.
    QTest::newRow("lone surrogate") << (QStringLiteral("bad") + QChar(0xD800) + QStringLiteral(".ifr")) << QByteArray();
    QTest::newRow("not toml") << QStringLiteral("bad.ifr") << QByteArray("[[effect\nname=");
    QTest::newRow("unknown type") << QStringLiteral("odd.ifr")
                                  << QByteArray("version = 1\n[[effect]]\nname = \"x\"\ntype = \"wobble\"\nduration = 10\n");
}

void TestSdlControl::badFilesDoNotOpen()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QString path = name.isEmpty() ? QString() : m_dir.filePath(name);
    if (!content.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QVERIFY(m_control->OpenForceResource(path) < -1);
}

// The game opens its file again for every check and game and never closes one.
void TestSdlControl::unchangedFileIsParsedOnce()
{
    const auto first = openEffects();
    QVERIFY(first >= -1);
    for (int i = 0; i < 10000; ++i)
        QCOMPARE(openEffects(), first);
    QCOMPARE(m_control->library().versionCount(), 1);
}

void TestSdlControl::changedFileGetsNewHandleAndOldStaysValid()
{
    const QString path = m_dir.filePath(QStringLiteral("edited.ifr"));
    QVERIFY(QFile::copy(m_path, path));
    const auto before = m_control->OpenForceResource(path);
    QVERIFY(before >= 0);

    QFile file(path);
    QVERIFY(file.open(QIODevice::Append));
    file.write("\n[[effect]]\nname = \"extra\"\ntype = \"rumble\"\nduration = 50\nstrong = 1.0\nweak = 1.0\n");
    file.close();

    const auto after = m_control->OpenForceResource(path);
    QVERIFY(after >= 0);
    QVERIFY(after != before);
    QCOMPARE(m_control->GetNumberOfEffects(after), 5);
    QCOMPARE(m_control->GetNumberOfEffects(before), 4);
}

void TestSdlControl::fileVersionsKeptAreBounded()
{
    std::vector<std::int32_t> handles;
    for (int i = 0; i <= EffectLibrary::kMaxVersions + 1; ++i) {
        const QString path = m_dir.filePath(QStringLiteral("version%1.ifr").arg(i));
        QFile::remove(path);
        QVERIFY(QFile::copy(m_path, path));
        handles.push_back(m_control->OpenForceResource(path));
        QVERIFY(handles.back() >= 1);
        if (i == 0) // a game starts on the first file
            QCOMPARE(m_control->GetNameOfEffect(0, handles.front()), QStringLiteral("knock"));
    }
    QCOMPARE(m_control->library().versionCount(), EffectLibrary::kMaxVersions);
    // Regression: the running game's handle was forgotten once 64 other
    // files had been opened. Now the least recently opened others go.
    QCOMPARE(m_control->GetNumberOfEffects(handles.front()), 4);
    QVERIFY_THROWS_EXCEPTION(HapticError, m_control->GetNumberOfEffects(handles[1]));
    QVERIFY_THROWS_EXCEPTION(HapticError, m_control->GetNumberOfEffects(handles[2]));
    QCOMPARE(m_control->GetNumberOfEffects(handles[3]), 4);
    QCOMPARE(m_control->GetNumberOfEffects(handles.back()), 4);
}

void TestSdlControl::closingStopsTheMotors()
{
    VirtualPad pad;
    QVERIFY(m_control->ForceDeviceAttached());
    m_control->StartEffect(QStringLiteral("hum"), openEffects());
    QTRY_VERIFY(pad.count() >= 1);
    m_control.reset();

    const auto commands = pad.commands();
    QCOMPARE(commands.size(), std::size_t(2));
    QVERIFY(isZero(commands.back()));
}

} // namespace pelnori

QTEST_GUILESS_MAIN(pelnori::TestSdlControl)
#include "tst_sdlcontrol.moc"
