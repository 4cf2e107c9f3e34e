// SPDX-License-Identifier: GPL-3.0-or-later
// How often the idle program wakes up: the real window after start-up, with
// the real haptic control on a virtual pad, left alone for ten seconds before
// any game (Timer1 off); then the same with the sound on, once the audio
// output has closed for being quiet. Wake-ups are the times all the
// process's threads went to sleep, Qt's own included. A bare window of the same size is
// measured the same way for comparison. Prints figures; never fails on them.
#include "app/fonts.h"
#include "app/frmmain.h"
#include "app/qtplatform.h"
#include "game/globals.h"
#include "fakes/threadsleeps.h"
#include "fakes/virtualpad.h"
#include "device/controlfactory.h"
#include "device/sdlhapticcontrol.h"
#include "device/soundoutput.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <cstdio>
#include <optional>

using namespace pelnori;

namespace {

constexpr int kIdleMs = 10000;

double wakeUpsPerSecond(QWidget &window, int settleMs = 500, int measureMs = kIdleMs)
{
    // A plain event loop: QTest::qWait() would itself wake every few ms.
    const auto idle = [](int ms) {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    };
    window.show();
    idle(settleMs); // start-up and the activation shake settle
    const long long before = threadSleeps();
    QElapsedTimer timer;
    timer.start();
    idle(measureMs);
    const long long after = threadSleeps();
    return double(after - before) * 1000.0 / double(timer.elapsed());
}

// The real window after start-up with the control made with options; nullopt
// when start-up ends.
// With readPad, the controller is read for input as while the window is the
// active one.
std::optional<double> pelnoriWakeUps(ControlOptions options, int settleMs, int measureMs = kIdleMs,
                                     bool readPad = false)
{
    QtPlatform platform;
    Globals globals;
    frmMain window(platform, globals, nullptr);
    platform.setMainWindow(&window);
    if (!window.Form_Load(hapticControlFactory(options)))
        return std::nullopt;
    if (readPad)
        static_cast<SdlHapticControl &>(*globals.HapticControl).setPadInputWanted(true);
    return wakeUpsPerSecond(window, settleMs, measureMs);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (!QFile::exists(QStringLiteral("/proc/self/task"))) {
        std::printf("idle wake-ups: not measured (no /proc on this system)\n");
        return 0;
    }
    installFontSubstitutions();

    QWidget bare;
    bare.setFixedSize(254, 359);
    const double bareRate = wakeUpsPerSecond(bare);
    bare.hide();

    if (!test::startVirtualPadSupport()) {
        std::printf("idle wake-ups: not measured (SDL's joystick support does not start)\n");
        return 0;
    }
    test::VirtualPad pad;
    const auto pelnoriRate = pelnoriWakeUps({}, 500);
    if (!pelnoriRate) {
        std::printf("idle wake-ups: not measured (start-up found no device)\n");
        return 0;
    }
    const auto padRate = pelnoriWakeUps({}, 500, kIdleMs, true);
    // The audio output opened at start-up closes after kLinger of quiet.
    const int quietMs = int(std::chrono::milliseconds(SoundOutput::kLinger).count()) + 1500;
    const auto soundRate = pelnoriWakeUps({.sound = true}, quietMs);
    const auto soundOpenRate = pelnoriWakeUps({.sound = true}, 500, 3000);

    std::printf("idle wake-ups over %d s, all threads (sleeps per second):\n", kIdleMs / 1000);
    std::printf("  bare window of the same size : %6.2f\n", bareRate);
    std::printf("  Pelnori before a game        : %6.2f  (aim: <= 1)\n", *pelnoriRate);
    if (padRate)
        std::printf("  controller read, untouched   : %6.2f  (the window active; a virtual pad has no device node, so it "
                    "is polled every 16 ms; bench_haptics measures one with a node)\n",
                    *padRate);
    if (soundRate)
        std::printf("  the same with the sound on   : %6.2f  (measured from %d ms after start-up)\n", *soundRate, quietMs);
    else
        std::printf("  the same with the sound on   : not measured (no audio output)\n");
    if (soundOpenRate)
        std::printf("  sound on, output still open  : %6.2f  (3 s right after start-up)\n", *soundOpenRate);
    return 0;
}
