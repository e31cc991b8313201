// sound/OpenAlDevice.cpp
#include "sound/OpenAlDevice.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <dlfcn.h>

#include <cstdlib>

namespace zumek {
namespace {

void IgnoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

/// The sound libraries print their own errors on a machine without sound (ALSA's "cannot find
/// card", OpenAL's "(EE) Could not open playback device"); the game says it once, in its own
/// words. OpenAL is asked for no log unless the user asked for one, and ALSA, which OpenAL loads
/// on its own, gets a handler that drops its messages (the library stays loaded, and with it the
/// handler).
void QuietSoundLibraries() {
    static bool done = false;
    if (done) return;
    done = true;
    setenv("ALSOFT_LOGLEVEL", "0", 0);
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL);
    if (!alsa) return;
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(Handler);
    if (auto set = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler"))) set(IgnoreAlsaMessage);
}

} // namespace

std::unique_ptr<OpenAlDevice> OpenAlDevice::OpenDefault(int sampleRate) {
    QuietSoundLibraries();
    ALCdevice* device = alcOpenDevice(nullptr);
    if (!device) return nullptr;
    ALCint attributes[] = {ALC_FREQUENCY, sampleRate, 0};
    ALCcontext* context = alcCreateContext(device, sampleRate > 0 ? attributes : nullptr);
    if (!context) {
        alcCloseDevice(device);
        return nullptr;
    }
    const ALCchar* name = alcGetString(device, ALC_DEVICE_SPECIFIER);
    return std::unique_ptr<OpenAlDevice>(new OpenAlDevice(device, context, name ? name : "OpenAL"));
}

OpenAlDevice::OpenAlDevice(void* device, void* context, std::string description)
    : m_device(device), m_context(context), m_description(std::move(description)) {
    Select();
}

OpenAlDevice::~OpenAlDevice() {
    auto* context = static_cast<ALCcontext*>(m_context);
    if (alcGetCurrentContext() == context) alcMakeContextCurrent(nullptr);
    alcDestroyContext(context);
    alcCloseDevice(static_cast<ALCdevice*>(m_device));
}

std::string OpenAlDevice::Describe() const { return m_description; }

void OpenAlDevice::Select() const {
    auto* context = static_cast<ALCcontext*>(m_context);
    if (alcGetCurrentContext() != context) alcMakeContextCurrent(context);
}

AudioBufferId OpenAlDevice::CreateBuffer(const SampleBuffer& samples) {
    if (samples.channels != 1 && samples.channels != 2) return 0;
    Select();
    alGetError();
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    if (alGetError() != AL_NO_ERROR) return 0;
    alBufferData(buffer, samples.channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16, samples.samples.data(),
                 static_cast<ALsizei>(samples.Bytes()), samples.sampleRate);
    if (alGetError() != AL_NO_ERROR) {
        alDeleteBuffers(1, &buffer);
        return 0;
    }
    return buffer;
}

void OpenAlDevice::DestroyBuffer(AudioBufferId buffer) {
    Select();
    ALuint id = buffer;
    alDeleteBuffers(1, &id);
}

AudioVoiceId OpenAlDevice::CreateVoice() {
    Select();
    alGetError();
    ALuint source = 0;
    alGenSources(1, &source);
    if (alGetError() != AL_NO_ERROR) return 0;
    return source;
}

void OpenAlDevice::DestroyVoice(AudioVoiceId voice) {
    Select();
    ALuint id = voice;
    alSourceStop(id);
    alSourcei(id, AL_BUFFER, 0);
    alDeleteSources(1, &id);
}

void OpenAlDevice::Assign(AudioVoiceId voice, AudioBufferId buffer, bool loop) {
    Select();
    // A source must be stopped before its buffer may change.
    alSourceStop(voice);
    alSourcei(voice, AL_BUFFER, static_cast<ALint>(buffer));
    alSourcei(voice, AL_LOOPING, loop ? AL_TRUE : AL_FALSE);
}

void OpenAlDevice::SetGain(AudioVoiceId voice, float gain) {
    Select();
    alSourcef(voice, AL_GAIN, gain);
}

void OpenAlDevice::SetPlacement(AudioVoiceId voice, bool positioned, const glm::vec3& position) {
    Select();
    if (positioned) {
        alSourcei(voice, AL_SOURCE_RELATIVE, AL_FALSE);
        alSource3f(voice, AL_POSITION, position.x, position.y, position.z);
    } else {
        // Relative to the listener at its own position: heard centred and at full level.
        alSourcei(voice, AL_SOURCE_RELATIVE, AL_TRUE);
        alSource3f(voice, AL_POSITION, 0.0f, 0.0f, 0.0f);
    }
}

void OpenAlDevice::Play(AudioVoiceId voice) {
    Select();
    alSourcePlay(voice);
}

void OpenAlDevice::Pause(AudioVoiceId voice) {
    Select();
    alSourcePause(voice);
}

void OpenAlDevice::Stop(AudioVoiceId voice) {
    Select();
    alSourceStop(voice);
}

bool OpenAlDevice::IsBusy(AudioVoiceId voice) const {
    Select();
    ALint state = AL_STOPPED;
    alGetSourcei(voice, AL_SOURCE_STATE, &state);
    return state == AL_PLAYING || state == AL_PAUSED;
}

void OpenAlDevice::SetListener(const ListenerAttributes& listener) {
    Select();
    alListener3f(AL_POSITION, listener.position.x, listener.position.y, listener.position.z);
    alListener3f(AL_VELOCITY, listener.velocity.x, listener.velocity.y, listener.velocity.z);
    const ALfloat orientation[6] = {listener.forward.x, listener.forward.y, listener.forward.z,
                                    listener.up.x,      listener.up.y,      listener.up.z};
    alListenerfv(AL_ORIENTATION, orientation);
}

} // namespace zumek
