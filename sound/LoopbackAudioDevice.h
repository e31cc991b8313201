// sound/LoopbackAudioDevice.h
#pragma once
#include <memory>
#include <vector>

#include "sound/OpenAlDevice.h"

namespace zumek {

/// An OpenAL Soft device that mixes into memory instead of a sound card (ALC_SOFT_loopback): the
/// mix advances only when `Render` is called, so tests and measurements hear exactly what a
/// player would, frame by frame, on any machine.
class LoopbackAudioDevice final : public OpenAlDevice {
public:
    /// Stereo, 32-bit float output at `sampleRate`; null when the OpenAL library lacks the
    /// loopback extension or refuses the format.
    static std::unique_ptr<LoopbackAudioDevice> Open(int sampleRate = 44100);

    std::string Describe() const override { return "loopback"; }

    /// Mixes the next `frames` frames; returns them interleaved left, right.
    std::vector<float> Render(int frames);

    int SampleRate() const { return m_sampleRate; }

private:
    LoopbackAudioDevice(void* device, void* context, int sampleRate);

    int m_sampleRate;
};

} // namespace zumek
