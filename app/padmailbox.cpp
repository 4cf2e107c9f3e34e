// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/padmailbox.h"

#include <QtGlobal>

#include <cstdint>

#ifdef Q_OS_LINUX
#include <sys/eventfd.h>
#include <unistd.h>
#endif

namespace pelnori {

PadMailbox::PadMailbox()
{
#ifdef Q_OS_LINUX
    m_wakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
#endif
}

PadMailbox::~PadMailbox()
{
#ifdef Q_OS_LINUX
    if (m_wakeFd >= 0)
        ::close(m_wakeFd);
#endif
}

void PadMailbox::post(PadPress press)
{
    std::lock_guard lock(m_mutex);
    if (m_closed)
        return;
    m_actions.push_back(std::move(press));
#ifdef Q_OS_LINUX
    // The descriptor lives as long as the mailbox, which the poster holds.
    const std::uint64_t one = 1;
    if (m_wakeFd >= 0)
        [[maybe_unused]] const auto written = ::write(m_wakeFd, &one, sizeof one);
#endif
    if (m_waker)
        m_waker();
}

void PadMailbox::setWaker(std::function<void()> waker)
{
    std::lock_guard lock(m_mutex);
    m_waker = std::move(waker);
}

void PadMailbox::clearWake()
{
#ifdef Q_OS_LINUX
    std::uint64_t count = 0;
    if (m_wakeFd >= 0)
        [[maybe_unused]] const auto read = ::read(m_wakeFd, &count, sizeof count);
#endif
}

std::optional<PadPress> PadMailbox::take()
{
    std::lock_guard lock(m_mutex);
    if (m_actions.empty())
        return std::nullopt;
    PadPress press = std::move(m_actions.front());
    m_actions.pop_front();
    return press;
}

void PadMailbox::close()
{
    std::lock_guard lock(m_mutex);
    m_closed = true;
    m_actions.clear();
    m_waker = nullptr;
}

} // namespace pelnori
