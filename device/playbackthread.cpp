// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/playbackthread.h"

#include "device/hapticslog.h"
#include "device/sdlsubsystems.h"

#include <atomic>
#include <future>

namespace pelnori {

namespace {

std::unique_ptr<SdlSubsystems> startSubsystems()
{
    return std::make_unique<SdlSubsystems>();
}

// What a thread left behind holds is kept for the life of the process and
// never destroyed: destroying it would close devices and SDL while the
// process may be ending. Kept reachable, so a leak checker does not count
// it; the list head has nothing to destroy at exit.
struct Kept
{
    std::shared_ptr<PlaybackLoop> loop;
    Kept *next = nullptr;
};
constinit std::atomic<Kept *> g_kept{nullptr};

void keepForever(std::shared_ptr<PlaybackLoop> loop)
{
    auto *kept = new Kept{std::move(loop), g_kept.load()};
    while (!g_kept.compare_exchange_weak(kept->next, kept)) {
    }
}

} // namespace

PlaybackThread::PlaybackThread(ControlOptions options, StartSdl startSdl)
    : m_options(options)
    , m_loop(std::make_shared<PlaybackLoop>(options, startSdl ? std::move(startSdl) : StartSdl(&startSubsystems)))
{
    std::promise<bool> started;
    std::promise<void> ended;
    auto up = started.get_future();
    m_ended = ended.get_future().share();
    // The promises live with the thread: it may still be inside set_value()
    // when this constructor has its answer and returns.
    m_thread = std::thread([loop = m_loop, started = std::move(started), ended = std::move(ended)]() mutable {
        loop->run(started);
        if (loop->leftBehind())
            keepForever(std::move(loop));
        ended.set_value();
    });
    if (up.wait_for(options.startTimeout) == std::future_status::ready) {
        m_started = up.get();
    } else {
        qCWarning(lcHaptics) << "SDL has not started within" << options.startTimeout.count()
                             << "ms; the game goes on without a device until it has";
        m_started = true;
    }
}

PlaybackThread::~PlaybackThread()
{
    m_loop->worker().quit();
    if (m_ended.wait_for(m_options.quitTimeout) == std::future_status::ready) {
        m_thread.join();
        return;
    }
    // A driver that does not return keeps the thread; the program ends anyway.
    m_loop->leaveBehind();
    qCWarning(lcHaptics) << "the playback thread has not ended within" << m_options.quitTimeout.count()
                         << "ms and is left behind, with SDL and the device it holds";
    m_thread.detach();
}

void PlaybackThread::play(Request request)
{
    // None known: look once more before saying there is none.
    if (!m_loop->attached() && !ask([](PlaybackLoop &loop) { return loop.findDevice(); }))
        throw HapticError("no force-feedback device is attached");
    m_loop->handOver(std::move(request));
}

bool PlaybackThread::waitUntilIdle(std::chrono::milliseconds timeout)
{
    return m_loop->waitUntilIdle(timeout);
}

} // namespace pelnori
