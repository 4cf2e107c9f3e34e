// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/worker.h"

#include <QTest>

#include <thread>

namespace pelnori {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class TestWorker : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void callGetsTheThreadsAnswer();
    void endOfTheThreadAnswersAWaitingCallAtOnce_data();
    void endOfTheThreadAnswersAWaitingCallAtOnce();
    void silentThreadMakesTheCallFailAtItsDeadline();
    void workAfterAFailureIsRefused();
};

namespace {

// Runs the worker's loop as a device thread would, until it is to end.
std::thread serve(Worker &worker)
{
    return std::thread([&worker] {
        std::deque<Worker::Task> tasks;
        while (worker.wait(Clock::now() + 1s, tasks))
            for (auto &task : std::exchange(tasks, {}))
                task();
    });
}

} // namespace

void TestWorker::callGetsTheThreadsAnswer()
{
    Worker worker;
    std::thread thread = serve(worker);
    const auto caller = std::this_thread::get_id();
    QCOMPARE(worker.call([] { return 42; }, 2000ms), 42);
    QVERIFY(worker.call([] { return std::this_thread::get_id(); }, 2000ms) != caller);
    // An error of the work reaches its caller; the thread goes on.
    QVERIFY_THROWS_EXCEPTION(HapticError, worker.call([]() -> int { throw HapticError("gone"); }, 2000ms));
    QCOMPARE(worker.call([] { return 7; }, 2000ms), 7);
    worker.quit();
    thread.join();
}

void TestWorker::endOfTheThreadAnswersAWaitingCallAtOnce_data()
{
    QTest::addColumn<bool>("failed");
    QTest::addColumn<bool>("taken");
    QTest::newRow("failure, work still queued") << true << false;
    QTest::newRow("failure, work taken by the thread") << true << true;
    QTest::newRow("quit, work still queued") << false << false;
}

// Broke: the caller kept its own copy of the work, so a thread that failed
// left it waiting for the whole deadline.
void TestWorker::endOfTheThreadAnswersAWaitingCallAtOnce()
{
    QFETCH(bool, failed);
    QFETCH(bool, taken);
    Worker worker;
    // A thread that gets into trouble 50 ms after it took the work, or
    // before it ever looks at it.
    std::thread thread([&] {
        std::deque<Worker::Task> tasks;
        if (taken)
            QVERIFY(worker.wait(Clock::now() + 5s, tasks));
        std::this_thread::sleep_for(50ms);
        failed ? worker.fail() : worker.quit();
    });
    const auto start = Clock::now();
    QVERIFY_THROWS_EXCEPTION(HapticError, worker.call([] { return 1; }, 2000ms));
    const auto waited = Clock::now() - start;
    thread.join();
    QVERIFY2(waited < 200ms, qPrintable(QStringLiteral("answered after %1 ms")
                                            .arg(std::chrono::duration<double, std::milli>(waited).count())));
}

void TestWorker::silentThreadMakesTheCallFailAtItsDeadline()
{
    Worker worker; // no thread serves it
    const auto start = Clock::now();
    QVERIFY_THROWS_EXCEPTION(HapticError, worker.call([] { return 1; }, 100ms));
    QVERIFY(Clock::now() - start >= 100ms);
}

void TestWorker::workAfterAFailureIsRefused()
{
    Worker worker;
    worker.fail();
    QVERIFY(worker.failed());
    QVERIFY_THROWS_EXCEPTION(HapticError, worker.post([] {}));
    std::deque<Worker::Task> tasks;
    QVERIFY(!worker.wait(Clock::now() + 1s, tasks));
}

} // namespace pelnori

QTEST_GUILESS_MAIN(pelnori::TestWorker)
#include "tst_worker.moc"
