// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/worker.h"

#include <utility>

namespace pelnori {

void Worker::post(Task task)
{
    {
        std::lock_guard lock(m_mutex);
        refuseIfClosed();
        m_tasks.push_back(std::move(task));
    }
    m_wake.notify_one();
}

void Worker::quit()
{
    // The dropped work is destroyed outside the lock: a waiting caller's
    // promise breaks there.
    std::deque<Task> dropped = close(false);
    m_wake.notify_one();
}

bool Worker::wait(Clock::time_point wakeAt, std::deque<Task> &tasks)
{
    std::unique_lock lock(m_mutex);
    m_wake.wait_until(lock, wakeAt, [this] { return m_quit || m_failed || !m_tasks.empty(); });
    if (m_quit || m_failed)
        return false;
    tasks = std::exchange(m_tasks, {});
    return true;
}

void Worker::fail()
{
    std::deque<Task> dropped = close(true);
    m_wake.notify_one();
}

bool Worker::failed() const
{
    std::lock_guard lock(m_mutex);
    return m_failed;
}

void Worker::refuseIfClosed() const
{
    if (m_failed)
        throw HapticError("the force-feedback playback has stopped after an error");
    if (m_quit)
        throw HapticError("the force-feedback playback has ended");
}

std::deque<Worker::Task> Worker::close(bool failed)
{
    std::lock_guard lock(m_mutex);
    (failed ? m_failed : m_quit) = true;
    return std::exchange(m_tasks, {});
}

} // namespace pelnori
