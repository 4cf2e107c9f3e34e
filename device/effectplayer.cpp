// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/effectplayer.h"

#include "device/hapticslog.h"
#include "device/sdldevice.h"
#include "device/sdloutput.h"
#include "effects/effectrenderer.h"

#include <algorithm>

namespace pelnori {

bool EffectPlayer::begin(const Request &request, SdlDevice &device, Clock::time_point now)
{
    // A rendered effect is replaced by the next one's first update without a
    // gap; only a native one must be stopped first.
    const bool motorsRunning = m_playing && m_nativeId < 0;
    if (m_playing && m_nativeId >= 0)
        end(device);
    m_effect = request.effect();
    m_start = now;
    m_playing = true;
    m_nativeId = startNative(device, m_effect, {request.effects->handle, request.index, request.strength});
    if (m_nativeId < 0)
        return tick(device, now);
    if (motorsRunning)
        sendMotors(device, {}, std::chrono::milliseconds(0));
    m_nextTick = std::min(m_start + std::chrono::milliseconds(effectLengthMs(m_effect)), m_start + kNativeCheck);
    return true;
}

bool EffectPlayer::tick(SdlDevice &device, Clock::time_point now)
{
    const double t = std::chrono::duration<double, std::milli>(now - m_start).count();
    const int length = effectLengthMs(m_effect);
    const auto end = m_start + std::chrono::milliseconds(length);
    if (m_nativeId >= 0) {
        if (now >= end)
            this->end(device);
        else
            m_nextTick = std::min(end, now + kNativeCheck);
        return true;
    }
    if (t >= length) {
        this->end(device);
        return true;
    }
    if (!sendMotors(device, motorLevelsAt(m_effect, t), kMotorHold)) {
        // A failed command means the device is gone or never rumbled.
        HAPTICS_INFO << device.name << "refused a rumble command and is no longer used";
        forget();
        return false;
    }
    // Stay on the effect's own schedule so a late tick doesn't shift the rest.
    const auto period = std::chrono::duration_cast<Clock::duration>(kUpdatePeriod);
    m_nextTick = std::min(end, m_start + ((now - m_start) / period + 1) * period);
    return true;
}

void EffectPlayer::end(SdlDevice &device)
{
    if (!m_playing)
        return;
    m_playing = false;
    if (m_nativeId >= 0) {
        stopNative(device, m_nativeId);
        m_nativeId = -1;
    } else {
        sendMotors(device, {}, std::chrono::milliseconds(0));
    }
}

void EffectPlayer::forget()
{
    m_playing = false;
    m_nativeId = -1;
}

std::optional<EffectPlayer::Clock::time_point> EffectPlayer::nextTick() const
{
    if (!m_playing)
        return std::nullopt;
    return m_nextTick;
}

} // namespace pelnori
