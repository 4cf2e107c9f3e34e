// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/playbackthread.h"

#include "device/hapticslog.h"
#include "device/playbackloop.h"
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

template<typename Work>
auto PlaybackThread::ask(Work work) -> decltype(work())
{
    if (!answered(std::chrono::milliseconds(0)))
        throw HapticError("the force-feedback device has not answered yet");
    const std::uint64_t number = ++m_asked;
    // Counted however the work ends; not at all when the thread drops it,
    // but then it has ended.
    return m_loop->worker().call(
        [work = std::move(work), answered = m_answered, number]() mutable {
            struct Count
            {
                std::atomic<std::uint64_t> &answered;
                std::uint64_t number;
                ~Count() { answered.store(number); }
            } count{*answered, number};
            return work();
        },
        roundTripTimeout());
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
    if (!m_loop->attached() && !findDevice())
        throw HapticError("no force-feedback device is attached");
    m_loop->handOver(std::move(request));
}

bool PlaybackThread::waitUntilIdle(std::chrono::milliseconds timeout)
{
    return m_loop->waitUntilIdle(timeout);
}

bool PlaybackThread::findDevice()
{
    return ask([loop = m_loop.get()] { return loop->findDevice(); });
}

std::vector<HapticDeviceInfo> PlaybackThread::devices()
{
    return ask([loop = m_loop.get()] { return loop->devices(); });
}

void PlaybackThread::setPadListener(std::function<void(PadAction)> listener)
{
    m_loop->worker().post([loop = m_loop.get(), listener = std::move(listener)]() mutable {
        loop->setPadListener(std::move(listener));
    });
}

void PlaybackThread::setPadInputWanted(bool wanted)
{
    m_loop->worker().post([loop = m_loop.get(), wanted] { loop->setPadInputWanted(wanted); });
}

bool PlaybackThread::soundOn()
{
    return ask([loop = m_loop.get()] { return loop->soundOn(); });
}

bool PlaybackThread::soundOutputWorks()
{
    return ask([loop = m_loop.get()] { return loop->soundOutputWorks(); });
}

bool PlaybackThread::turnSoundOn()
{
    return ask([loop = m_loop.get()] { return loop->turnSoundOn(); });
}

} // namespace pelnori
