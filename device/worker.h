// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/hapticinterface.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#ifdef __linux__
#include <poll.h>
#endif

namespace pelnori {

// The mailbox of a thread that owns a device: other threads queue work for
// it, or ask it for an answer and wait at most until a deadline; the thread
// sleeps until its next wake-up or the next piece of work. Once the thread
// has failed or ended, every caller learns it at once: a waiting one, and any
// later one.
class Worker
{
public:
    using Clock = std::chrono::steady_clock;
    using Task = std::function<void()>;

    Worker();
    ~Worker();

    Worker(const Worker &) = delete;
    Worker &operator=(const Worker &) = delete;

    // Queues work for the thread. Throws HapticError once it has failed or ended.
    void post(Task task);
    // Runs work on the thread and returns its result. Throws HapticError when
    // the answer has not come by the timeout, or as soon as the thread fails
    // or ends without it; an error the work raises reaches the caller.
    template<typename Work>
    auto call(Work work, std::chrono::milliseconds timeout) -> decltype(work());
    // Asks the thread to end; the work still queued is dropped.
    void quit();

    // The thread's side. Sleeps until wakeAt, new work, quit, or (on Linux)
    // until one of the watched descriptors can be read or has failed; the
    // caller reads them. False when the thread is to end, else tasks holds
    // the work queued meanwhile, oldest first.
    bool wait(Clock::time_point wakeAt, std::deque<Task> &tasks, std::span<const int> watched = {});
    // Something went wrong that the thread has no answer to: the work queued
    // is dropped and every call from now on raises HapticError.
    void fail();
    // Whether the thread is to end: asked to, or failed.
    bool ending() const;

private:
    void refuseIfClosed() const;
    // Refuses work from now on, as failed or as ended; the work queued is
    // handed back, to be dropped outside the lock.
    std::deque<Task> refuseWork(bool failed);
    // Ends the thread's sleep; called after the state it looks at changed.
    void wake();
    // True when the thread is to end or has work, which it then takes.
    bool take(std::deque<Task> &tasks, bool &end);

    mutable std::mutex m_mutex;
#ifdef __linux__
    // An eventfd, so that the thread can sleep in poll() beside the
    // descriptors it watches.
    int m_wakeFd = -1;
    std::vector<pollfd> m_polled; // the thread's, kept between sleeps
#else
    std::condition_variable m_wake;
#endif
    std::deque<Task> m_tasks;
    bool m_quit = false;
    bool m_failed = false;
};

template<typename Work>
auto Worker::call(Work work, std::chrono::milliseconds timeout) -> decltype(work())
{
    using Result = decltype(work());
    // Only the queued task holds the promise: when the thread drops it, or
    // ends before running it, the future learns so at once.
    auto task = std::make_shared<std::packaged_task<Result()>>(std::move(work));
    auto result = task->get_future();
    post([task = std::move(task)] { (*task)(); });
    if (result.wait_for(timeout) != std::future_status::ready)
        throw HapticError("the force-feedback device does not answer");
    try {
        return result.get();
    } catch (const std::future_error &) {
        throw HapticError("the force-feedback playback has stopped");
    }
}

} // namespace pelnori
