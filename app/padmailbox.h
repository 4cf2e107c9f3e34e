// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/padaction.h"

#include <deque>
#include <functional>
#include <mutex>
#include <optional>

namespace pelnori {

// Controller actions on their way from the playback thread to the window's
// thread. The playback thread posts under a mutex and wakes the window's
// thread, which takes them under the same mutex, one by one. The owner
// closes it when it goes; what is posted after that is dropped, so the
// playback thread may hold on to the mailbox as long as it likes.
class PadMailbox
{
public:
    PadMailbox();
    ~PadMailbox();

    PadMailbox(const PadMailbox &) = delete;
    PadMailbox &operator=(const PadMailbox &) = delete;

    // Any thread: queues the action and wakes the reader.
    void post(PadPress press);

    // The reading thread: becomes readable when actions wait (Linux), else -1.
    int wakeFd() const { return m_wakeFd; }
    // Where there is no wakeFd: called by post(), under the mailbox's lock,
    // until the mailbox is closed.
    void setWaker(std::function<void()> waker);
    // Clears the wake-up; call before taking the actions.
    void clearWake();
    // The oldest action waiting, if any.
    std::optional<PadPress> take();
    // Drops what waits and everything posted from now on.
    void close();

private:
    std::mutex m_mutex;
    std::deque<PadPress> m_actions;
    bool m_closed = false;
    int m_wakeFd = -1;
    std::function<void()> m_waker;
};

} // namespace pelnori
