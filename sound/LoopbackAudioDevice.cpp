// sound/LoopbackAudioDevice.cpp
#include "sound/LoopbackAudioDevice.h"

#define AL_ALEXT_PROTOTYPES
#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

namespace zumek {

std::unique_ptr<LoopbackAudioDevice> LoopbackAudioDevice::Open(int sampleRate) {
    if (!alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback")) return nullptr;
    ALCdevice* device = alcLoopbackOpenDeviceSOFT(nullptr);
    if (!device) return nullptr;
    if (!alcIsRenderFormatSupportedSOFT(device, sampleRate, ALC_STEREO_SOFT, ALC_FLOAT_SOFT)) {
        alcCloseDevice(device);
        return nullptr;
    }
    // HRTF off: the tests measure plain stereo panning.
    ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT, ALC_FLOAT_SOFT,
                           ALC_FREQUENCY,            sampleRate,      ALC_HRTF_SOFT,        ALC_FALSE,
                           0};
    ALCcontext* context = alcCreateContext(device, attributes);
    if (!context) {
        alcCloseDevice(device);
        return nullptr;
    }
    return std::unique_ptr<LoopbackAudioDevice>(new LoopbackAudioDevice(device, context, sampleRate));
}

LoopbackAudioDevice::LoopbackAudioDevice(void* device, void* context, int sampleRate)
    : OpenAlDevice(device, context, "loopback"), m_sampleRate(sampleRate) {}

std::vector<float> LoopbackAudioDevice::Render(int frames) {
    std::vector<float> mix(static_cast<size_t>(frames > 0 ? frames : 0) * 2, 0.0f);
    if (frames <= 0) return mix;
    Select();
    alcRenderSamplesSOFT(static_cast<ALCdevice*>(Device()), mix.data(), frames);
    return mix;
}

} // namespace zumek
