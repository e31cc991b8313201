// sound/NullAudioDevice.h
#pragma once
#include "sound/AudioDevice.h"

namespace zumek {

/// The silent back end, used when no sound device opens (servers, CI): every call succeeds,
/// nothing is heard, and every voice finishes at once.
class NullAudioDevice final : public AudioDevice {
public:
    bool IsAudible() const override { return false; }
    std::string Describe() const override { return "none"; }

    AudioBufferId CreateBuffer(const SampleBuffer&) override { return ++m_lastBuffer; }
    void DestroyBuffer(AudioBufferId) override {}
    AudioVoiceId CreateVoice() override { return ++m_lastVoice; }
    void DestroyVoice(AudioVoiceId) override {}
    void Assign(AudioVoiceId, AudioBufferId, bool) override {}
    void SetGain(AudioVoiceId, float) override {}
    void SetPlacement(AudioVoiceId, bool, const glm::vec3&) override {}
    void Play(AudioVoiceId) override {}
    void Pause(AudioVoiceId) override {}
    void Stop(AudioVoiceId) override {}
    bool IsBusy(AudioVoiceId) const override { return false; }
    void SetListener(const ListenerAttributes&) override {}

private:
    AudioBufferId m_lastBuffer = 0;
    AudioVoiceId m_lastVoice = 0;
};

} // namespace zumek
