// sound/AudioDevice.h
#pragma once
#include <cstdint>
#include <string>

#include <glm/vec3.hpp>

#include "sound/SampleBuffer.h"

namespace zumek {

/// Handles the device hands out; 0 is never a valid handle.
using AudioBufferId = uint32_t;
using AudioVoiceId = uint32_t;

/// Where the listener is and which way it faces (metres; forward and up are unit vectors).
struct ListenerAttributes {
    glm::vec3 position{0.0f};
    glm::vec3 velocity{0.0f};
    glm::vec3 forward{0.0f, 0.0f, -1.0f};
    glm::vec3 up{0.0f, 1.0f, 0.0f};
};

/// The output the studio layer mixes through: sample buffers uploaded once, and voices that play
/// one buffer each. Three back ends: the real OpenAL device, the OpenAL loopback device that
/// renders into memory (tests, measurements), and a silent one for machines without a sound card.
/// Used from one thread at a time (the studio layer serialises its calls).
class AudioDevice {
public:
    virtual ~AudioDevice() = default;

    /// False for the silent back end: nothing is ever heard.
    virtual bool IsAudible() const = 0;
    /// A short description for the log ("OpenAL Soft", "loopback", "none").
    virtual std::string Describe() const = 0;

    /// Uploads `samples`; 0 when the device cannot hold them.
    virtual AudioBufferId CreateBuffer(const SampleBuffer& samples) = 0;
    virtual void DestroyBuffer(AudioBufferId buffer) = 0;

    /// A new stopped voice; 0 when the device has no voice left.
    virtual AudioVoiceId CreateVoice() = 0;
    virtual void DestroyVoice(AudioVoiceId voice) = 0;

    /// Stops `voice` and gives it `buffer` (0: none) to play, looping or once.
    virtual void Assign(AudioVoiceId voice, AudioBufferId buffer, bool loop) = 0;
    /// Linear gain: 1 is the sample's own level.
    virtual void SetGain(AudioVoiceId voice, float gain) = 0;
    /// A positioned voice is heard from `position` in the world; an unpositioned one plays at the
    /// listener, unpanned.
    virtual void SetPlacement(AudioVoiceId voice, bool positioned, const glm::vec3& position) = 0;
    /// Plays from the start, or continues where a paused voice was held.
    virtual void Play(AudioVoiceId voice) = 0;
    virtual void Pause(AudioVoiceId voice) = 0;
    virtual void Stop(AudioVoiceId voice) = 0;
    /// True while the voice is playing or paused; false once stopped or finished.
    virtual bool IsBusy(AudioVoiceId voice) const = 0;

    virtual void SetListener(const ListenerAttributes& listener) = 0;
};

} // namespace zumek
