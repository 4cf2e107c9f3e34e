// SPDX-License-Identifier: GPL-3.0-or-later
// Controller presses handed from the controllers' thread to the window's
// thread, as the thread checker sees them.
#include "app/cardbox.h"
#include "app/frmmain.h"
#include "app/padrelay.h"
#include "game/globals.h"
#include "fakes/fakeplatform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <atomic>
#include <chrono>
#include <mutex>
#include <random>
#include <thread>

using namespace pelnori;
using namespace pelnori::test;

namespace {

// The controllers' thread: it presses the d-pad, Right and Left in turn,
// every 1 to 30 ms, with the listener it was given, also after the relay
// has gone.
class PressingThread
{
public:
    PadSource source()
    {
        return {[this](std::function<void(const PadPress &)> listener) {
                    std::lock_guard lock(m_mutex);
                    m_listener = std::move(listener);
                },
                [](bool) {}, {}};
    }

    std::jthread start()
    {
        return std::jthread([this](std::stop_token stop) {
            std::minstd_rand draw(18);
            while (!stop.stop_requested()) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1 + draw() % 30));
                std::lock_guard lock(m_mutex);
                m_listener(PadPress{m_pressed % 2 ? PadAction::Left : PadAction::Right, std::nullopt, {}});
                ++m_pressed;
            }
        });
    }

    int pressed() const { return m_pressed; }

private:
    std::mutex m_mutex;
    std::function<void(const PadPress &)> m_listener;
    std::atomic<int> m_pressed = 0;
};

// The window's thread as the deal's yields run it.
void spin(std::chrono::milliseconds span)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < span.count())
        QCoreApplication::processEvents();
}

} // namespace

class PadRelayTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pressesFromAnotherThreadArriveInOrderUntilTheRelayGoes();
    void inputIsWantedOnceTheWindowIsActive_data();
    void inputIsWantedOnceTheWindowIsActive();
};

// The relay once handed the control's thread a raw pointer to itself, and
// each press a functor that the sanitizer could not see being handed over.
void PadRelayTest::pressesFromAnotherThreadArriveInOrderUntilTheRelayGoes()
{
    FakePlatform platform;
    Globals globals;
    frmMain window{platform, globals, nullptr};
    PressingThread pads;
    auto relay = std::make_unique<PadRelay>(window, pads.source());
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTRY_COMPARE(QApplication::focusWidget(), window.pic(1));
    QSignalSpy moves(qApp, &QApplication::focusChanged);

    // Every press moves the selection between cards 1 and 2: none is lost,
    // none comes twice.
    std::jthread pressing = pads.start();
    spin(std::chrono::seconds(2));
    pressing = {};
    QVERIFY(pads.pressed() > 20);
    QTRY_COMPARE(moves.count(), pads.pressed());
    QCOMPARE(QApplication::focusWidget(), window.pic(1 + pads.pressed() % 2));

    // Gone while the thread presses on: what it sends later reaches nothing.
    pressing = pads.start();
    const int before = pads.pressed();
    QTRY_VERIFY(pads.pressed() > before + 3);
    relay.reset();
    const int moved = moves.count();
    const int after = pads.pressed();
    QTRY_VERIFY(pads.pressed() >= after + 10);
    pressing = {};
    spin(std::chrono::milliseconds(50));
    QCOMPARE(moves.count(), moved);
}

void PadRelayTest::inputIsWantedOnceTheWindowIsActive_data()
{
    QTest::addColumn<bool>("listenerTimesOut");
    QTest::newRow("listener handed over") << false;
    // A thread busy for 2 s as the relay was built left the pad dead for the run.
    QTest::newRow("listener's round trip timed out") << true;
}

void PadRelayTest::inputIsWantedOnceTheWindowIsActive()
{
    QFETCH(bool, listenerTimesOut);
    FakePlatform platform;
    Globals globals;
    frmMain window{platform, globals, nullptr};
    bool wanted = false;
    PadRelay relay(window, PadSource{[listenerTimesOut](auto) {
                                         if (listenerTimesOut)
                                             throw HapticError("the force-feedback device does not answer");
                                     },
                                     [&wanted](bool now) { wanted = now; }, {}});
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTRY_VERIFY(wanted);
}

QTEST_MAIN(PadRelayTest)
#include "tst_padrelay.moc"
