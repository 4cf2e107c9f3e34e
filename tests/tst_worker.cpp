// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/wakeplan.h"
#include "device/worker.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    void watchedDescriptorWakesTheSleepingThread_data();
    void watchedDescriptorWakesTheSleepingThread();
    void playbackThreadWakesAtTheEarliestDue_data();
    void playbackThreadWakesAtTheEarliestDue();
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

// Until the thread sleeps in the kernel (the state of /proc's stat is S).
bool asleep(pid_t thread)
{
    QFile stat(QStringLiteral("/proc/self/task/%1/stat").arg(thread));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = stat.readAll();
    return line.mid(line.lastIndexOf(')') + 2, 1) == "S";
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
    // A thread that gets into trouble once the caller waits for the work it
    // took, or before it ever looks at it.
    const pid_t caller = gettid();
    std::thread thread([&] {
        std::deque<Worker::Task> tasks;
        if (taken)
            QVERIFY(worker.wait(Clock::now() + 5s, tasks));
        for (const auto giveUp = Clock::now() + 2s; !asleep(caller) && Clock::now() < giveUp;)
            std::this_thread::yield();
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
    QVERIFY(worker.ending());
    QVERIFY_THROWS_EXCEPTION(HapticError, worker.post([] {}));
    std::deque<Worker::Task> tasks;
    QVERIFY(!worker.wait(Clock::now() + 1s, tasks));
}

void TestWorker::watchedDescriptorWakesTheSleepingThread_data()
{
    QTest::addColumn<QByteArray>("event"); // what happens to the watched FIFO
    QTest::newRow("a byte arrives") << QByteArray("write");
    // The caller learns of a node that went away, rather than sleeping on it.
    QTest::newRow("the writer goes") << QByteArray("close");
}

// A controller's device node, played by a FIFO: input on it ends the
// playback thread's sleep at once, however far away its own wake-up is.
void TestWorker::watchedDescriptorWakesTheSleepingThread()
{
    QFETCH(QByteArray, event);
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("node")));
    QCOMPARE(mkfifo(path.constData(), 0600), 0);
    const int node = open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    int writer = open(path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    QVERIFY(node >= 0 && writer >= 0);

    Worker worker;
    std::atomic<pid_t> tid = 0;
    std::atomic<bool> woke = false;
    Clock::time_point wokeAt;
    std::jthread thread([&] {
        tid = gettid();
        std::deque<Worker::Task> tasks;
        const int watched[] = {node};
        woke = worker.wait(Clock::now() + 5s, tasks, watched) && tasks.empty();
        wokeAt = Clock::now();
    });
    QTRY_VERIFY_WITH_TIMEOUT(tid != 0 && asleep(tid), 2000);
    const auto start = Clock::now();
    if (event == "write")
        QCOMPARE(write(writer, "x", 1), ssize_t(1));
    else
        close(std::exchange(writer, -1));
    thread.join();
    close(node);
    if (writer >= 0)
        close(writer);
    QVERIFY(woke);
    const auto ms = std::chrono::duration<double, std::milli>(wokeAt - start).count();
    QVERIFY2(ms <= 50, qPrintable(QStringLiteral("woke after %1 ms").arg(ms)));
}

void TestWorker::playbackThreadWakesAtTheEarliestDue_data()
{
    // In ms from now: the effect's update, the sound's end, the pads'
    // reading (-1: none) and the idle pump; then, where given, when input
    // came on a pad's node and when the nodes are watched again after the
    // last reading of node input; then the wake-up.
    QTest::addColumn<QList<int>>("due");
    QTest::addColumn<int>("wakeAt");
    QTest::newRow("idle") << QList{-1, -1, -1, 1000} << 1000;
    QTest::newRow("effect playing, the idle pump waits") << QList{10, -1, -1, 5} << 10;
    QTest::newRow("sound ends first") << QList{10, 4, -1, 1000} << 4;
    QTest::newRow("controller polled") << QList{-1, -1, 16, 1000} << 16;
    QTest::newRow("sound ends after the idle pump") << QList{-1, 2500, -1, 1000} << 1000;
    // A stick that never rests: its node reports every millisecond.
    QTest::newRow("node input just after a reading: read 4 ms after it") << QList{-1, -1, -1, 1000, 1, 4} << 4;
    QTest::newRow("after a reading of node input: the nodes again") << QList{-1, -1, -1, 1000, -1, 4} << 4;
    QTest::newRow("node input long after a reading: read at once") << QList{-1, -1, -1, 1000, 30, -1} << 30;
}

void TestWorker::playbackThreadWakesAtTheEarliestDue()
{
    QFETCH(QList<int>, due);
    QFETCH(int, wakeAt);
    const auto at = [](int ms) -> std::optional<Clock::time_point> {
        return ms < 0 ? std::nullopt : std::optional(Clock::time_point(std::chrono::milliseconds(ms)));
    };
    const WakePlan plan{at(due[0]), at(due[1]), at(due[2]), *at(due[3]), at(due.value(4, -1)), at(due.value(5, -1))};
    QCOMPARE(plan.wakeAt(), *at(wakeAt));
    // Node input is read when it is due, not before.
    if (plan.nodeInput)
        QVERIFY(plan.pumpsAt(*at(wakeAt), false) && !plan.pumpsAt(*at(wakeAt - 1), false));
}

} // namespace pelnori

QTEST_GUILESS_MAIN(pelnori::TestWorker)
#include "tst_worker.moc"
