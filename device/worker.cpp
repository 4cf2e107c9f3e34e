// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/worker.h"

#include <algorithm>
#include <cstdint>
#include <system_error>
#include <utility>
#include <vector>

#ifdef __linux__
#include <cerrno>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>
#endif

namespace pelnori {

#ifdef __linux__

Worker::Worker()
    : m_wakeFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
    if (m_wakeFd < 0)
        throw HapticError("the force-feedback playback cannot be woken (no eventfd)");
}

Worker::~Worker()
{
    ::close(m_wakeFd);
}

void Worker::wake()
{
    const std::uint64_t one = 1;
    // Only a counter at its limit refuses, and then a wake-up is pending anyway.
    [[maybe_unused]] const auto written = ::write(m_wakeFd, &one, sizeof one);
}

bool Worker::wait(Clock::time_point wakeAt, std::deque<Task> &tasks, std::span<const int> watched)
{
    auto &fds = m_polled;
    fds.assign(1, {m_wakeFd, POLLIN, 0});
    for (int fd : watched)
        fds.push_back({fd, POLLIN, 0});
    bool end = false;
    for (;;) {
        if (take(tasks, end))
            return !end;
        const auto left = std::max(wakeAt - Clock::now(), Clock::duration::zero());
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(left);
        const timespec timeout{time_t(seconds.count()),
                               long(std::chrono::duration_cast<std::chrono::nanoseconds>(left - seconds).count())};
        const int ready = ppoll(fds.data(), fds.size(), &timeout, nullptr);
        if (ready < 0 && errno != EINTR)
            throw std::system_error(errno, std::generic_category(), "ppoll");
        if (fds[0].revents) {
            std::uint64_t count = 0;
            [[maybe_unused]] const auto read = ::read(m_wakeFd, &count, sizeof count);
        }
        bool input = false;
        for (std::size_t i = 1; i < fds.size(); ++i)
            input = input || fds[i].revents != 0;
        // Work or an end that woke it are taken above; a timeout or input
        // returns with whatever is queued.
        if (ready == 0 || input) {
            take(tasks, end);
            return !end;
        }
    }
}

#else

Worker::Worker() = default;
Worker::~Worker() = default;

void Worker::wake()
{
    m_wake.notify_one();
}

bool Worker::wait(Clock::time_point wakeAt, std::deque<Task> &tasks, std::span<const int>)
{
    std::unique_lock lock(m_mutex);
    m_wake.wait_until(lock, wakeAt, [this] { return m_quit || m_failed || !m_tasks.empty(); });
    if (m_quit || m_failed)
        return false;
    tasks = std::exchange(m_tasks, {});
    return true;
}

#endif

bool Worker::take(std::deque<Task> &tasks, bool &end)
{
    std::lock_guard lock(m_mutex);
    end = m_quit || m_failed;
    if (end || m_tasks.empty())
        return end;
    tasks = std::exchange(m_tasks, {});
    return true;
}

void Worker::post(Task task)
{
    {
        std::lock_guard lock(m_mutex);
        refuseIfClosed();
        m_tasks.push_back(std::move(task));
    }
    wake();
}

void Worker::quit()
{
    // The dropped work is destroyed outside the lock: a waiting caller's
    // promise breaks there.
    std::deque<Task> dropped = refuseWork(false);
    wake();
}

void Worker::fail()
{
    std::deque<Task> dropped = refuseWork(true);
    wake();
}

bool Worker::ending() const
{
    std::lock_guard lock(m_mutex);
    return m_quit || m_failed;
}

void Worker::refuseIfClosed() const
{
    if (m_failed)
        throw HapticError("the force-feedback playback has stopped after an error");
    if (m_quit)
        throw HapticError("the force-feedback playback has ended");
}

std::deque<Worker::Task> Worker::refuseWork(bool failed)
{
    std::lock_guard lock(m_mutex);
    (failed ? m_failed : m_quit) = true;
    return std::exchange(m_tasks, {});
}

} // namespace pelnori
