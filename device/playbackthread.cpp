// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/playbackthread.h"

#include "device/hapticslog.h"
#include "device/sdlsubsystems.h"

#include <algorithm>
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
    , m_startDeadline(Clock::now() + options.startTimeout)
    , m_loop(std::make_shared<PlaybackLoop>(options, startSdl ? std::move(startSdl) : StartSdl(&startSubsystems)))
{
    std::promise<bool> started;
    std::promise<void> ended;
    m_up = started.get_future().share();
    m_ended = ended.get_future().share();
    // The promises live with the thread: it may still be inside set_value()
    // when this constructor has its answer and returns.
    m_thread = std::thread([loop = m_loop, started = std::move(started), ended = std::move(ended)]() mutable {
        loop->run(started);
        if (loop->leftBehind())
            keepForever(std::move(loop));
        ended.set_value();
    });
    if (m_up.wait_until(m_startDeadline) == std::future_status::ready) {
        m_started = m_up.get();
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

bool PlaybackThread::answered(std::chrono::milliseconds wait)
{
    const auto deadline = Clock::now() + wait;
    if (m_up.wait_until(deadline) != std::future_status::ready)
        return false;
    const auto ended = [this] { return m_ended.wait_for(std::chrono::seconds(0)) == std::future_status::ready; };
    if (m_answered->load() == m_asked || ended())
        return true;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    if (left <= std::chrono::milliseconds(0))
        return false;
    // The thread runs its work in order: once this comes back, so has
    // everything asked before it.
    try {
        m_loop->worker().call([] {}, left);
    } catch (const HapticError &) {
        return ended();
    }
    return true;
}

// The start's round trips share its deadline; later ones have their own.
std::chrono::milliseconds PlaybackThread::roundTripTimeout() const
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(m_startDeadline - Clock::now());
    return left > std::chrono::milliseconds(0) ? std::min(left, kRoundTripTimeout) : kRoundTripTimeout;
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
