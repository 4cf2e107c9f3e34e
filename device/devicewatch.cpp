// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/devicewatch.h"

#include "device/devicescan.h"
#include "device/hapticslog.h"

#include <algorithm>

namespace pelnori {

DeviceWatch::DeviceWatch(std::function<void()> changed)
    : m_changed(std::move(changed))
{
}

void DeviceWatch::setPreferred(const QString &id, bool playing)
{
    if (id == m_preferred)
        return;
    m_preferred = id;
    if (playing)
        m_lookAgain = true;
    else
        rescan();
}

void DeviceWatch::setTarget(SDL_JoystickID instance)
{
    if (instance == m_target)
        return;
    m_target = instance;
    rescan();
}

void DeviceWatch::rescan()
{
    m_newcomers = false;
    m_known.clear();
    std::unique_ptr<SdlDevice> best;
    if (m_target >= 0)
        best = chooseDevice([this](const ListedDevice &listed) { return listed.instance == m_target; });
    if (!best && !m_preferred.isEmpty())
        best = chooseDevice([this](const ListedDevice &listed) { return listed.id == m_preferred; });
    m_onPreferred = best != nullptr;
    if (best) {
        walkDevices([this](const ListedDevice &listed) {
            if (listed.list == ListedDevice::List::Joystick)
                m_known.push_back(listed.instance);
        });
    } else {
        best = chooseDevice([this](const ListedDevice &listed) {
            if (listed.list == ListedDevice::List::Joystick)
                m_known.push_back(listed.instance);
            return true;
        });
    }
    if (SDL_WasInit(SDL_INIT_HAPTIC))
        m_hapticCount = SDL_NumHaptics();
    if (best)
        HAPTICS_INFO << "chose" << best->name << "-" << rankReason(best->rank);
    else
        HAPTICS_INFO << "no device that can play effects is attached";
    set(std::move(best));
}

void DeviceWatch::afterPump(bool playing)
{
    if (m_device && m_device->stick() && !SDL_JoystickGetAttached(m_device->stick())) {
        HAPTICS_INFO << m_device->name << "was unplugged";
        drop();
    }
    if (!playing && m_lookAgain) {
        m_lookAgain = false;
        rescan();
    }
    if (!playing && m_newcomers)
        considerNewcomers();
    // Joysticks announce themselves; haptic devices only show in the count.
    if (!m_device && SDL_WasInit(SDL_INIT_HAPTIC) && SDL_NumHaptics() != m_hapticCount)
        rescan();
}

void DeviceWatch::drop()
{
    m_onPreferred = false;
    set(nullptr);
}

// Joysticks plugged in since the last look, known by their instance ids: a
// better one than the current device takes its place.
void DeviceWatch::considerNewcomers()
{
    if (!m_device) {
        rescan();
        return;
    }
    m_newcomers = false;
    std::vector<SDL_JoystickID> present;
    bool preferredCame = false;
    auto better = chooseDevice([&](const ListedDevice &listed) {
        if (listed.list != ListedDevice::List::Joystick)
            return false;
        present.push_back(listed.instance);
        const bool newcomer = std::find(m_known.begin(), m_known.end(), listed.instance) == m_known.end();
        preferredCame = preferredCame || (newcomer && !m_preferred.isEmpty() && listed.id == m_preferred);
        return newcomer;
    });
    m_known = std::move(present);
    // The player's choice came back: it plays, whatever plays now.
    if (preferredCame) {
        rescan();
        return;
    }
    if (better && !m_onPreferred && better->rank < m_device->rank) {
        HAPTICS_INFO << "chose" << better->name << "-" << rankReason(better->rank) << "- over" << m_device->name;
        set(std::move(better));
    }
}

void DeviceWatch::set(std::unique_ptr<SdlDevice> device)
{
    m_device = std::move(device);
    m_changed();
}

} // namespace pelnori
