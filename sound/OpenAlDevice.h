// sound/OpenAlDevice.h
#pragma once
#include <memory>

#include "sound/AudioDevice.h"

namespace zumek {

/// The OpenAL Soft back end: one device with its own context, buffers and sources. Every call
/// makes its context current first, so a loopback device used by a test and a real one never mix.
class OpenAlDevice : public AudioDevice {
public:
    /// Opens the system's default output; `sampleRate` 0 keeps the device's own rate. Null when
    /// no device opens (no sound card, no sound server).
    static std::unique_ptr<OpenAlDevice> OpenDefault(int sampleRate);

    ~OpenAlDevice() override;
    OpenAlDevice(const OpenAlDevice&) = delete;
    OpenAlDevice& operator=(const OpenAlDevice&) = delete;

    bool IsAudible() const override { return true; }
    std::string Describe() const override;

    AudioBufferId CreateBuffer(const SampleBuffer& samples) override;
    void DestroyBuffer(AudioBufferId buffer) override;
    AudioVoiceId CreateVoice() override;
    void DestroyVoice(AudioVoiceId voice) override;
    void Assign(AudioVoiceId voice, AudioBufferId buffer, bool loop) override;
    void SetGain(AudioVoiceId voice, float gain) override;
    void SetPlacement(AudioVoiceId voice, bool positioned, const glm::vec3& position) override;
    void Play(AudioVoiceId voice) override;
    void Pause(AudioVoiceId voice) override;
    void Stop(AudioVoiceId voice) override;
    bool IsBusy(AudioVoiceId voice) const override;
    void SetListener(const ListenerAttributes& listener) override;

protected:
    /// Takes ownership of an open ALCdevice and its ALCcontext. They are held untyped so that
    /// users of the device need no OpenAL header (the handle types differ between versions).
    OpenAlDevice(void* device, void* context, std::string description);

    /// Makes this device's context the current one.
    void Select() const;
    void* Device() const { return m_device; }

private:
    void* m_device;
    void* m_context;
    std::string m_description;
};

} // namespace zumek
