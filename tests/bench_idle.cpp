// SPDX-License-Identifier: GPL-3.0-or-later
// How often the idle program wakes up: the real window after start-up, with
// the real haptic control on a virtual pad, left alone for ten seconds before
// any game (Timer1 off). Wake-ups are the context switches of all the
// process's threads, Qt's own included. A bare window of the same size is
// measured the same way for comparison. Prints figures; never fails on them.
#include "app/fonts.h"
#include "app/frmmain.h"
#include "app/qtplatform.h"
#include "common/globals.h"
#include "fakes/virtualpad.h"
#include "haptics/controlfactory.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <cstdio>

using namespace pelnori;

namespace {

constexpr int kIdleMs = 10000;

// Voluntary and involuntary context switches of every thread of the process.
long long contextSwitches()
{
    long long total = 0;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile status(tasks.filePath(task) + QStringLiteral("/status"));
        if (!status.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.contains("ctxt_switches:"))
                total += line.mid(line.indexOf(':') + 1).trimmed().toLongLong();
        }
    }
    return total;
}

double wakeUpsPerSecond(QWidget &window)
{
    // A plain event loop: QTest::qWait() would itself wake every few ms.
    const auto idle = [](int ms) {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    };
    window.show();
    idle(500); // start-up and the activation shake settle
    const long long before = contextSwitches();
    QElapsedTimer timer;
    timer.start();
    idle(kIdleMs);
    const long long after = contextSwitches();
    return double(after - before) * 1000.0 / double(timer.elapsed());
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
    QtPlatform platform;
    Globals globals;
    frmMain window(platform, globals, nullptr);
    platform.setMainWindow(&window);
    if (!window.Form_Load(createHapticControl)) {
        std::printf("idle wake-ups: not measured (start-up found no device)\n");
        return 0;
    }
    const double pelnoriRate = wakeUpsPerSecond(window);

    std::printf("idle wake-ups over %d s, all threads (context switches per second):\n", kIdleMs / 1000);
    std::printf("  bare window of the same size : %6.2f\n", bareRate);
    std::printf("  Pelnori before a game        : %6.2f  (aim: <= 1)\n", pelnoriRate);
    return 0;
}
