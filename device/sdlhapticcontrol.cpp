// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/sdlhapticcontrol.h"

#include "device/playbackthread.h"

namespace pelnori {

std::unique_ptr<SdlHapticControl> SdlHapticControl::create(ControlOptions options)
{
    auto player = std::make_unique<PlaybackThread>(options);
    if (!player->started())
        return nullptr;
    return std::unique_ptr<SdlHapticControl>(new SdlHapticControl(std::move(player)));
}

SdlHapticControl::SdlHapticControl(std::unique_ptr<PlaybackThread> player)
    : m_player(std::move(player))
{
}

SdlHapticControl::~SdlHapticControl() = default;

bool SdlHapticControl::answered(std::chrono::milliseconds wait)
{
    return m_player->answered(wait);
}

bool SdlHapticControl::ForceDeviceAttached()
{
    return m_player->findDevice();
}

std::int32_t SdlHapticControl::OpenForceResource(const QString &path)
{
    return m_library.open(path);
}

std::shared_ptr<const LoadedEffects> SdlHapticControl::effects(std::int32_t handle) const
{
    auto found = m_library.find(handle);
    if (!found)
        throw HapticError("unknown effect resource");
    return found;
}

std::int32_t SdlHapticControl::GetNumberOfEffects(std::int32_t handle)
{
    return std::int32_t(effects(handle)->effects.size());
}

// Only a game asks for names and plays effects: the handle it uses is kept
// however many other files are opened meanwhile.
QString SdlHapticControl::GetNameOfEffect(std::int16_t index, std::int32_t handle)
{
    const auto found = effects(handle);
    m_library.keep(handle);
    if (index < 0 || std::size_t(index) >= found->effects.size())
        throw HapticError("effect index out of range");
    return found->effects[std::size_t(index)].name;
}

void SdlHapticControl::StartEffect(const QString &name, std::int32_t handle)
{
    auto found = effects(handle);
    m_library.keep(handle);
    const int index = found->indexOf(name);
    if (index < 0)
        throw HapticError("no effect of that name");
    m_player->play({std::move(found), index});
}

bool SdlHapticControl::soundOn()
{
    return m_player->soundOn();
}

bool SdlHapticControl::soundOutputWorks()
{
    return m_player->soundOutputWorks();
}

bool SdlHapticControl::turnSoundOn()
{
    return m_player->turnSoundOn();
}

std::vector<HapticDeviceInfo> SdlHapticControl::devices()
{
    return m_player->devices();
}

bool SdlHapticControl::waitUntilIdle(std::chrono::milliseconds timeout)
{
    return m_player->waitUntilIdle(timeout);
}

void SdlHapticControl::setPadListener(std::function<void(PadAction)> listener)
{
    m_player->setPadListener(std::move(listener));
}

void SdlHapticControl::setPadInputWanted(bool wanted)
{
    m_player->setPadInputWanted(wanted);
}

} // namespace pelnori
