// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/soundoutput.h"

#include "effects/effectrenderer.h"
#include "effects/effectsound.h"
#include "device/alsamessages.h"
#include "device/hapticslog.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace pelnori {

namespace {

// From handing a sound over to its last frame leaving SDL: the final ramp,
// up to one buffer before SDL's thread takes it and one it is mixed into.
constexpr std::chrono::milliseconds kTail{int(kSoundRampMs) + 1
                                          + 2 * (SoundOutput::kBufferFrames * 1000 / kSoundRate + 1)};

// Opens the default output, paused, with our format and callback; 0 when it
// does not open, with SDL's reason in the log.
SDL_AudioDeviceID openPaused(SDL_AudioCallback callback, void *userdata)
{
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Pelnori");
    // Audio devices coming and going would pile up in SDL's event queue,
    // which nobody reads.
    SDL_EventState(SDL_AUDIODEVICEADDED, SDL_IGNORE);
    SDL_EventState(SDL_AUDIODEVICEREMOVED, SDL_IGNORE);
    sendAlsaMessagesToLog();
    // Both calls can block on the audio server; a thread left behind
    // meanwhile opens nothing more and keeps what it opened.
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        logSdlFailure("SDL_InitSubSystem(audio)");
        return 0;
    }
    if (threadLeftBehind())
        return 0;
    SDL_AudioSpec wanted{};
    wanted.freq = kSoundRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = 1;
    wanted.samples = SoundOutput::kBufferFrames;
    wanted.callback = callback;
    wanted.userdata = userdata;
    // No changes allowed: SDL converts to whatever the device plays.
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (threadLeftBehind())
        return 0;
    if (device == 0) {
        logSdlFailure("SDL_OpenAudioDevice");
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    return device;
}

// Whether the output SDL opened reaches a speaker: its dummy driver takes
// every sample and plays none. Only while the audio subsystem is up.
bool playsAloud()
{
    const char *driver = SDL_GetCurrentAudioDriver();
    return driver != nullptr && std::strcmp(driver, "dummy") != 0;
}

void SDLCALL silence(void *, Uint8 *stream, int bytes)
{
    std::fill_n(stream, bytes, Uint8(0));
}

} // namespace

SoundOutput::SoundOutput(bool on)
{
    if (on)
        turnOn();
}

SoundOutput::~SoundOutput()
{
    close();
}

bool SoundOutput::opens()
{
    // A device opens paused, and this one is closed before it is unpaused:
    // SDL never asks it for a sample.
    const SDL_AudioDeviceID device = openPaused(&silence, nullptr);
    if (device == 0)
        return false;
    const bool aloud = playsAloud();
    HAPTICS_INFO << "an audio output opens on SDL's" << SDL_GetCurrentAudioDriver() << "driver"
                      << (aloud ? "" : "(which plays nothing)");
    SDL_CloseAudioDevice(device);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return aloud;
}

bool SoundOutput::turnOn()
{
    if (!m_on) {
        m_on = true;
        open();
        m_quietFrom = Clock::now();
    }
    return aloud();
}

bool SoundOutput::open()
{
    m_device = openPaused(&SoundOutput::fill, this);
    if (m_device == 0)
        return m_works = false;
    m_voices.reserve(16);
    m_aloud = playsAloud();
    HAPTICS_INFO << "sound output opened on SDL's" << SDL_GetCurrentAudioDriver() << "driver";
    SDL_PauseAudioDevice(m_device, 0);
    return m_works = true;
}

void SoundOutput::close()
{
    if (m_device == 0)
        return;
    // Returns once SDL's audio thread has ended.
    SDL_CloseAudioDevice(m_device);
    m_device = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_voices.clear();
}

void SoundOutput::play(const Effect &effect)
{
    if (!m_on || (m_device == 0 && !open()))
        return;
    auto voice = std::make_unique<EffectVoice>(effect);
    std::vector<std::unique_ptr<EffectVoice>> over;
    SDL_LockAudioDevice(m_device);
    for (const auto &playing : m_voices)
        playing->cut();
    const auto firstDone = std::stable_partition(m_voices.begin(), m_voices.end(),
                                                 [](const auto &v) { return !v->done(); });
    over.assign(std::make_move_iterator(firstDone), std::make_move_iterator(m_voices.end()));
    m_voices.erase(firstDone, m_voices.end());
    m_voices.push_back(std::move(voice));
    SDL_UnlockAudioDevice(m_device);
    m_quietFrom = Clock::now() + std::chrono::milliseconds(effectLengthMs(effect)) + kTail;
}

std::optional<SoundOutput::Clock::time_point> SoundOutput::soundingUntil(Clock::time_point now) const
{
    if (m_device != 0 && now < m_quietFrom)
        return m_quietFrom;
    return std::nullopt;
}

void SoundOutput::pump(Clock::time_point now)
{
    if (m_device != 0 && now >= m_quietFrom + kLinger) {
        HAPTICS_INFO << "sound output closed while quiet";
        close();
    }
}

void SoundOutput::reopen()
{
    if (m_on && m_device == 0 && open())
        m_quietFrom = Clock::now();
}

// On SDL's audio thread, which holds the audio-device lock meanwhile.
void SDLCALL SoundOutput::fill(void *userdata, Uint8 *stream, int bytes)
{
    auto &self = *static_cast<SoundOutput *>(userdata);
    auto *out = reinterpret_cast<float *>(stream);
    const int frames = bytes / int(sizeof(float));
    std::fill_n(out, frames, 0.0f);
    for (const auto &voice : self.m_voices) {
        if (!voice->done())
            voice->mixInto(out, frames);
    }
}

} // namespace pelnori
