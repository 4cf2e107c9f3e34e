// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/soundfollower.h"

#include "device/soundoutput.h"

namespace pelnori {

SoundFollower::SoundFollower(bool on)
{
    if (on)
        m_sound = std::make_unique<SoundOutput>();
}

SoundFollower::~SoundFollower() = default;

bool SoundFollower::works() const
{
    return m_sound && m_sound->works();
}

bool SoundFollower::aloud() const
{
    return m_sound && m_sound->aloud();
}

bool SoundFollower::turnOn()
{
    if (!m_sound)
        m_sound = std::make_unique<SoundOutput>();
    return aloud();
}

void SoundFollower::ready()
{
    if (m_sound)
        m_sound->reopen();
}

void SoundFollower::play(const Effect &effect)
{
    if (m_sound)
        m_sound->play(effect);
}

void SoundFollower::stop()
{
    if (m_sound)
        m_sound->stop();
}

void SoundFollower::pump(Clock::time_point now)
{
    if (m_sound)
        m_sound->pump(now);
}

std::optional<SoundFollower::Clock::time_point> SoundFollower::soundingUntil(Clock::time_point now) const
{
    return m_sound ? m_sound->soundingUntil(now) : std::nullopt;
}

} // namespace pelnori
