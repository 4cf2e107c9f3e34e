// SPDX-License-Identifier: GPL-3.0-or-later
// How quickly the haptic control answers a card click, and how evenly it
// paces rumble updates while the UI thread sleeps, measured on an SDL virtual
// game controller; how soon a controller press becomes an action, and how
// often the playback thread wakes, in each state of the window and the pad;
// and how soon a click is heard with the sound on, on SDL's disk audio
// driver. Prints figures; never fails on timing.

#include "fakes/diskaudio.h"
#include "fakes/threadsleeps.h"
#include "fakes/virtualpad.h"
#include "device/effectplayer.h"
#include "device/sdlhapticcontrol.h"
#include "device/soundoutput.h"
#include "effects/effectfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace pelnori;
using test::Clock;

namespace {

constexpr int kStarts = 500;
constexpr int kSoundStarts = 200;
constexpr int kColdSoundStarts = 3;
constexpr auto kPaceRun = std::chrono::seconds(3);

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const auto at = std::size_t(p * double(values.size() - 1) + 0.5);
    return values[std::min(at, values.size() - 1)];
}

double usBetween(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double, std::micro>(b - a).count();
}

// Two short effects that differ on both motors, so every start reaches the
// pad (SDL passes on only changed rumble values), and a slow swell whose
// strength changes at every update.
constexpr auto kEffects = R"(version = 1

[[effect]]
name = "left"
type = "rumble"
duration = 40
strong = 1.0
weak = 0.0

[[effect]]
name = "right"
type = "rumble"
duration = 40
strong = 0.0
weak = 1.0

[[effect]]
name = "swell"
type = "constant"
duration = 3000
magnitude = 1.0
attack = { time = 3000, level = 0.0 }
)";

// Wake-ups per second of the process while this thread sleeps.
double wakeUpsPerSecond(std::chrono::seconds span)
{
    const long long before = threadSleeps();
    std::this_thread::sleep_for(span);
    return double(threadSleeps() - before - 1) / double(span.count());
}

// A press of the virtual pad to its action on the playback thread. With a
// node, a FIFO plays the pad's device node: each change writes to it, as
// the kernel hands the event to every reader.
class PadPresses
{
public:
    PadPresses(SdlHapticControl &control, test::VirtualPad &pad, int node)
        : m_control(control)
        , m_pad(pad)
        , m_node(node)
    {
        m_control.setPadListener([this](const PadPress &) {
            std::lock_guard lock(m_mutex);
            m_actedAt = Clock::now();
            m_acted.notify_all();
        });
    }
    ~PadPresses()
    {
        // The listener points here: the thread must have dropped it before this goes.
        m_control.setPadListener({});
        try {
            (void)m_control.devices();
        } catch (const HapticError &) {
        }
    }

    // Presses, each restAfter its action, one direction after the other.
    std::vector<double> delaysMs(int presses, const std::function<std::chrono::microseconds(int)> &restAfter)
    {
        std::vector<double> delays;
        for (int i = 0; i < presses; ++i) {
            const int button = i % 2 ? SDL_CONTROLLER_BUTTON_DPAD_LEFT : SDL_CONTROLLER_BUTTON_DPAD_RIGHT;
            std::unique_lock lock(m_mutex);
            m_actedAt.reset();
            const auto start = Clock::now();
            change(button, true);
            if (m_acted.wait_for(lock, std::chrono::seconds(2), [this] { return m_actedAt.has_value(); }))
                delays.push_back(usBetween(start, *m_actedAt) / 1000.0);
            lock.unlock();
            change(button, false);
            std::this_thread::sleep_for(restAfter(i));
        }
        return delays;
    }

private:
    void change(int button, bool down)
    {
        m_pad.press(button, down);
        if (m_node >= 0)
            (void)!write(m_node, "e", 1);
    }

    SdlHapticControl &m_control;
    test::VirtualPad &m_pad;
    const int m_node;
    std::mutex m_mutex;
    std::condition_variable m_acted;
    std::optional<Clock::time_point> m_actedAt;
};

// A stick that never rests, its node reporting every millisecond: the
// process's wake-ups per second besides the reporting thread's own, and
// presses to their actions meanwhile.
void noisyNodeFigures(PadPresses &presses, int writer)
{
    std::atomic<bool> stop = false;
    std::atomic<long> reports = 0; // each one a sleep of the reporting thread
    std::thread stick([&] {
        while (!stop) {
            (void)!write(writer, "s", 1);
            ++reports;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    const auto span = std::chrono::seconds(3);
    const long reportsBefore = reports;
    const long long before = threadSleeps();
    std::this_thread::sleep_for(span);
    const double wakeUps = double(threadSleeps() - before - 1 - (reports - reportsBefore)) / double(span.count());
    const auto noisy = presses.delaysMs(60, [](int i) { return std::chrono::microseconds(20000 + (i * 7919) % 90000); });
    stop = true;
    stick.join();
    std::printf("  window active, node reporting every ms: %6.1f wake-ups/s untouched (the reporter's own not "
                "counted); presses median %.2f ms, max %.2f ms (%zu)\n",
                wakeUps, percentile(noisy, 0.5), percentile(noisy, 1.0), noisy.size());
}

// What SDL's disk audio driver writes, looked at from where the last look
// stopped.
class Written
{
public:
    explicit Written(QString path)
        : m_path(std::move(path))
    {
    }

    // Whether a frame that is heard has been written since the last look.
    bool heard()
    {
        QFile file(m_path);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        if (file.size() < m_offset)
            m_offset = 0; // the output was opened again
        file.seek(m_offset);
        const QByteArray bytes = file.readAll();
        const qsizetype frames = bytes.size() / qsizetype(sizeof(float));
        m_offset += frames * qsizetype(sizeof(float));
        for (qsizetype i = 0; i < frames; ++i) {
            float sample = 0.0f;
            std::memcpy(&sample, bytes.constData() + i * qsizetype(sizeof(float)), sizeof sample);
            if (sample != 0.0f)
                return true;
        }
        return false;
    }

private:
    QString m_path;
    qint64 m_offset = 0;
};

// Controller input in each state: the window inactive, active without a
// controller, and active with one read by polling or through its node.
void padFigures(const QString &dir)
{
    std::optional<test::VirtualPad> pad;
    const QByteArray fifo = QFile::encodeName(dir + QStringLiteral("/pad-node"));
    if (mkfifo(fifo.constData(), 0600) != 0)
        return;
    const int writer = open(fifo.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    const auto span = std::chrono::seconds(5);
    std::printf("Controller input, a d-pad press to its action on the playback thread (in use: presses 20-110 ms "
                "apart; at rest: after 3.2 s untouched), and wake-ups per second of the process untouched (aim <= 1 but with a polled pad):\n");
    for (const bool node : {false, true}) {
        ControlOptions options;
        if (node)
            options.padNode = [&fifo](const std::string &) { return fifo.toStdString(); };
        auto control = SdlHapticControl::create(options);
        if (!control)
            return;
        pad.emplace();
        (void)control->ForceDeviceAttached();
        if (!node) {
            control->setPadInputWanted(false);
            (void)control->ForceDeviceAttached();
            std::printf("  window inactive, pad attached      : %6.1f wake-ups/s\n", wakeUpsPerSecond(span));
            pad.reset();
            control->setPadInputWanted(true);
            (void)control->ForceDeviceAttached();
            std::printf("  window active, no controller       : %6.1f wake-ups/s\n", wakeUpsPerSecond(span));
            pad.emplace();
        }
        control->setPadInputWanted(true);
        (void)control->ForceDeviceAttached(); // the pad is opened for input
        PadPresses presses(*control, *pad, node ? writer : -1);
        const auto inUse = presses.delaysMs(150, [](int i) {
            // Spread over the polling period, not in step with it.
            return std::chrono::microseconds(20000 + (i * 7919) % 90000);
        });
        const auto atRest = presses.delaysMs(6, [](int) { return std::chrono::microseconds(3200000); });
        const char *what = node ? "pad with a node (a FIFO)" : "pad polled (no node)    ";
        std::printf("  window active, %s: in use median %.2f ms, p99 %.2f ms, max %.2f ms (%zu presses); "
                    "at rest median %.2f ms, max %.2f ms (%zu); untouched %6.1f wake-ups/s\n",
                    what, percentile(inUse, 0.5), percentile(inUse, 0.99), percentile(inUse, 1.0), inUse.size(),
                    percentile(atRest, 0.5), percentile(atRest, 1.0), atRest.size(), wakeUpsPerSecond(span));
        if (node)
            noisyNodeFigures(presses, writer);
    }
    close(writer);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (!test::startVirtualPadSupport()) {
        std::printf("SDL joystick support does not start: %s\n", SDL_GetError());
        return 0;
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.ifr"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(kEffects) < 0)
        return 1;
    file.close();

    test::VirtualPad pad;

    auto control = SdlHapticControl::create();
    if (!pad.attached() || !control || !control->ForceDeviceAttached()) {
        std::printf("no virtual game controller: %s\n", SDL_GetError());
        return 0;
    }
    const auto handle = control->OpenForceResource(path);

    // Click to first rumble command, as the UI thread sees it.
    std::vector<double> latencies;
    std::vector<double> returns;
    for (int i = 0; i < kStarts; ++i) {
        const std::size_t before = pad.count();
        const auto start = Clock::now();
        control->StartEffect(i % 2 ? QStringLiteral("right") : QStringLiteral("left"), handle);
        returns.push_back(usBetween(start, Clock::now()));
        while (pad.count() == before && Clock::now() - start < std::chrono::seconds(1))
            std::this_thread::yield();
        if (pad.count() > before)
            latencies.push_back(usBetween(start, pad.commands()[before].at));
        // Clicks come while the previous effect plays or after it ended.
        std::this_thread::sleep_for(std::chrono::milliseconds(5 + (i % 7) * 7));
    }
    control->waitUntilIdle(std::chrono::seconds(1));

    // Update pace while the UI thread blocks in 100 ms sleeps.
    const std::size_t first = pad.count();
    control->StartEffect(QStringLiteral("swell"), handle);
    const auto paceStart = Clock::now();
    while (Clock::now() - paceStart < kPaceRun)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    control->waitUntilIdle(std::chrono::seconds(1));
    std::vector<double> spacing;
    const auto arrivals = pad.commands();
    // The last arrival is the final zero, not an update.
    for (std::size_t i = first + 1; i + 1 < arrivals.size(); ++i)
        spacing.push_back(usBetween(arrivals[i - 1].at, arrivals[i].at) / 1000.0);

    std::printf("StartEffect to first rumble command (%zu of %d starts): median %.0f us, p99 %.0f us, max %.0f us\n",
                latencies.size(), kStarts, percentile(latencies, 0.5), percentile(latencies, 0.99),
                percentile(latencies, 1.0));
    std::printf("StartEffect call returns after: median %.1f us, p99 %.1f us\n", percentile(returns, 0.5),
                percentile(returns, 0.99));
    std::printf("Rumble update spacing, UI thread in 100 ms sleeps (%zu updates, period %lld ms): "
                "median %.2f ms, p99 %.2f ms, max %.2f ms\n",
                spacing.size(), static_cast<long long>(EffectPlayer::kUpdatePeriod.count()),
                percentile(spacing, 0.5), percentile(spacing, 0.99), percentile(spacing, 1.0));

    control.reset();
    pad.unplug();
    padFigures(dir.path());

    // An effect handed to the sound output to its first frame handed to the
    // audio device (SDL's disk driver, which writes each buffer at the pace
    // of a real device), while the output is open, and after it closed for
    // being quiet. The output is driven here as the playback thread drives it.
    const auto loaded = readEffectFile(path);
    const test::DiskAudio disk;
    SoundOutput heard;
    Written written(disk.path());
    const auto soundLatency = [&](int i) {
        (void)written.heard(); // what sounded before
        const auto start = Clock::now();
        heard.pump(start);
        heard.play(loaded.effects.at(std::size_t(i % 2)));
        double us = -1.0;
        while (us < 0.0 && Clock::now() - start < std::chrono::milliseconds(200)) {
            if (written.heard())
                us = usBetween(start, Clock::now());
            else
                std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
        // The 40 ms effect and its last buffers are written before the next.
        std::this_thread::sleep_until(start + std::chrono::milliseconds(80 + (i % 7) * 3));
        return us;
    };
    std::vector<double> warm;
    for (int i = 0; i < kSoundStarts; ++i) {
        if (const double us = soundLatency(i); us >= 0.0)
            warm.push_back(us);
    }
    std::vector<double> cold;
    for (int i = 0; i < kColdSoundStarts; ++i) {
        std::this_thread::sleep_for(SoundOutput::kLinger + std::chrono::milliseconds(1200));
        if (const double us = soundLatency(i); us >= 0.0)
            cold.push_back(us);
    }
    std::printf("An effect handed to the sound output to its first frame handed to the audio device (SDL's disk "
                "driver, buffer %d frames at 48 kHz = %.1f ms):\n",
                SoundOutput::kBufferFrames, SoundOutput::kBufferFrames * 1000.0 / 48000.0);
    std::printf("  output open (%zu of %d starts): median %.0f us, p99 %.0f us, max %.0f us\n", warm.size(),
                kSoundStarts, percentile(warm, 0.5), percentile(warm, 0.99), percentile(warm, 1.0));
    std::printf("  output closed after %lld s quiet (%zu of %d starts): median %.0f us, max %.0f us\n",
                static_cast<long long>(SoundOutput::kLinger.count()), cold.size(), kColdSoundStarts,
                percentile(cold, 0.5), percentile(cold, 1.0));
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
    return 0;
}
