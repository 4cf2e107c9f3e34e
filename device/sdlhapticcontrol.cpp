// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/sdlhapticcontrol.h"

#include "device/openfailure.h"
#include "device/playbackthread.h"

#include <algorithm>

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
    return m_player->ask([](PlaybackLoop &loop) { return loop.findDevice(); });
}

std::int32_t SdlHapticControl::OpenForceResource(const QString &path)
{
    return m_library.open(path);
}

OpenFailure SdlHapticControl::lastOpenFailure()
{
    return openFailureOf(m_library.lastProblems());
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
    m_player->play({std::move(found), index, m_strength, m_target});
}

bool SdlHapticControl::soundOn()
{
    return m_player->ask([](PlaybackLoop &loop) { return loop.soundOn(); });
}

bool SdlHapticControl::soundOutputWorks()
{
    return m_player->ask([](PlaybackLoop &loop) { return loop.soundOutputWorks(); });
}

bool SdlHapticControl::turnSoundOn()
{
    return m_player->ask([](PlaybackLoop &loop) { return loop.turnSoundOn(); });
}

void SdlHapticControl::setStrength(int percent)
{
    m_strength = std::clamp(percent, kMinStrengthPercent, kMaxStrengthPercent);
}

std::vector<HapticDeviceInfo> SdlHapticControl::devices()
{
    return m_player->ask([](PlaybackLoop &loop) { return loop.devices(); });
}

bool SdlHapticControl::waitUntilIdle(std::chrono::milliseconds timeout)
{
    return m_player->waitUntilIdle(timeout);
}

void SdlHapticControl::setPadSettings(const PadMapping &mapping, const QString &device, bool swapPlayers)
{
    m_player->tell([mapping, device, swapPlayers](PlaybackLoop &loop) { loop.setPadSettings(mapping, device, swapPlayers); });
}

void SdlHapticControl::setPadCapturing(bool capturing)
{
    m_player->tell([capturing](PlaybackLoop &loop) { loop.setPadCapturing(capturing); });
}

std::vector<std::pair<QString, QString>> SdlHapticControl::controllers()
{
    return m_player->ask([](PlaybackLoop &loop) { return loop.controllers(); });
}

void SdlHapticControl::setPadListener(std::function<void(const PadPress &)> listener)
{
    m_player->tell([listener = std::move(listener)](PlaybackLoop &loop) mutable {
        loop.setPadListener(std::move(listener));
    });
}

void SdlHapticControl::setPadInputWanted(bool wanted)
{
    m_player->tell([wanted](PlaybackLoop &loop) { loop.setPadInputWanted(wanted); });
}

} // namespace pelnori
