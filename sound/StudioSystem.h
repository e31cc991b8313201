// sound/StudioSystem.h
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "sound/AudioDevice.h"
#include "sound/EventDescription.h"
#include "sound/EventInstance.h"
#include "sound/SampleBuffer.h"
#include "sound/SampleCache.h"
#include "sound/SoundBank.h"

namespace zumek {

/// The version of this studio interface; callers pass the one they were built against.
constexpr uint32_t kStudioHeaderVersion = 0x10610;

/// The sound studio: banks of events over an audio device. Banks load at once; everything that
/// changes what is heard (starting, stopping, volumes, positions, the listener, pausing, raw
/// samples) is a request queued until the next Update, so a system that is not updated holds its
/// requests. Requests may come from any thread; loading banks and Update belong to one thread.
class StudioSystem {
public:
    /// A system for a caller built against `headerVersion`. On a mismatch the system still works
    /// but stays silent, after one log line.
    static std::unique_ptr<StudioSystem> Create(uint32_t headerVersion);
    ~StudioSystem();
    StudioSystem(const StudioSystem&) = delete;
    StudioSystem& operator=(const StudioSystem&) = delete;

    /// The output format asked of the default device: `sampleRate` 0 keeps the device's rate. The
    /// speaker mode and raw speaker count are recorded; OpenAL mixes for the speakers it finds.
    void SetSoftwareFormat(int sampleRate, int speakerMode, int rawSpeakers);
    /// Opens the output with `maxChannels` voices (sounds heard at once). `device` replaces the
    /// default device (tests pass a loopback device). When no device opens, the silent back end
    /// takes its place after one log line, and every call goes on working.
    void Initialize(int maxChannels, uint32_t studioFlags, uint32_t flags,
                    std::unique_ptr<AudioDevice> device = nullptr);

    /// Loads the bank file at `path` with its samples; loading the same file again gives the bank
    /// already loaded. Null, after one log line naming the file, when it cannot be loaded.
    SoundBank* LoadBankFile(const std::string& path, uint32_t flags);
    /// Stops every sound and forgets every bank, event, instance and decoded sample (pending
    /// requests are dropped), so the banks can be loaded afresh. Instances handed out before are
    /// gone. The device and its voices stay.
    void UnloadBanks();
    /// The event of a loaded bank with this path ("event:/..."); null when no bank has it.
    EventDescription* GetEvent(const std::string& path) const;
    /// Places listener `index`; only listener 0 exists.
    void SetListenerAttributes(int index, const ListenerAttributes& attributes);
    /// Carries out the queued requests and frees the voices of sounds that have ended.
    void Update();
    /// Stops everything and closes the device; later calls do nothing.
    void Release();

    /// Holds (true) or continues (false) every sound, keeping its place; sounds started while
    /// held wait for the continue.
    void SetPaused(bool paused);
    /// Plays raw samples once, unpositioned, at linear gain `volume` (the speech voice's lines).
    void PlaySamples(SampleBuffer samples, float volume);

    bool IsAudible() const { return m_device && m_device->IsAudible(); }
    const SampleCache* Samples() const { return m_samples.get(); }
    size_t BankCount() const { return m_banks.size(); }
    /// Instances created and not yet released (after the last Update).
    size_t InstanceCount() const { return m_instances.size(); }
    /// Voices now playing or held (after the last Update).
    size_t BusyChannelCount() const;
    int MaxChannels() const { return static_cast<int>(m_channels.size()); }

private:
    friend class EventDescription;
    friend class EventInstance;

    struct Channel {
        AudioVoiceId voice = 0;
        bool inUse = false;
        bool held = false;              ///< waiting for the continue (paused, or started while paused)
        EventInstance* owner = nullptr; ///< null for raw samples
        AudioBufferId ownBuffer = 0;    ///< raw samples' buffer, destroyed with the sound
    };

    explicit StudioSystem(bool versionMatches) : m_versionMatches(versionMatches) {}

    EventInstance* NewInstance(const EventDescription& description);
    /// Queues `command` for the next Update; dropped after Release.
    void Enqueue(std::function<void()> command);

    // Applied at Update, on the updating thread.
    void ApplyStart(EventInstance& instance);
    void ApplyStop(EventInstance& instance);
    void ApplyVolume(EventInstance& instance);
    void ApplyPosition(EventInstance& instance);
    void ApplyRelease(EventInstance& instance);
    void ApplyPaused(bool paused);
    void ApplySamples(const SampleBuffer& samples, float volume);
    int AcquireChannel();
    void FreeChannel(int index);

    bool m_versionMatches;
    int m_sampleRate = 0;
    int m_speakerMode = 0;
    int m_rawSpeakers = 0;
    bool m_released = false;
    bool m_paused = false;
    bool m_reportedFull = false;
    std::unique_ptr<AudioDevice> m_device;
    std::unique_ptr<SampleCache> m_samples;
    std::vector<std::unique_ptr<SoundBank>> m_banks;
    std::unordered_map<std::string, EventDescription*> m_eventsByPath;
    std::vector<std::unique_ptr<EventInstance>> m_instances;
    std::vector<Channel> m_channels;

    std::mutex m_queueMutex; ///< guards m_queue and m_released against the speech thread
    std::vector<std::function<void()>> m_queue;
};

} // namespace zumek
