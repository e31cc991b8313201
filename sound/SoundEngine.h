// sound/SoundEngine.h
#pragma once
#include <memory>
#include <string>
#include <unordered_map>

#include "engine/Engine.h"
#include "engine/SignalHandler.h"
#include "engine/Signals.h"
#include "sound/AudioDevice.h"

namespace zumek {

class EventDescription;
class EventInstance;
class SoundBank;
class SpeechVoice;
class StudioSystem;

/// One game name of the event table: its event and the one instance every play of it reuses.
/// Both are null when the table names a path no bank has (the name then plays nothing).
struct SoundEvent {
    EventDescription* description = nullptr;
    EventInstance* instance = nullptr;
};

/// Plays the game's sound: loads every bank and the event table, and answers the sound signals the
/// scripts send (music, effects, positioned sounds, the listener, pause, resume and reload). Also
/// owns the speech voice that reads caption lines aloud. Main thread only.
class SoundEngine final : public Engine,
                          public SignalHandler<MusicSignal>,
                          public SignalHandler<SfxSignal>,
                          public SignalHandler<SoundSignal>,
                          public SignalHandler<Sound3DSignal>,
                          public SignalHandler<ListenerPositionSignal> {
public:
    static constexpr int kChannels = 32;       ///< sounds heard at once
    static constexpr float kMusicVolume = 0.5f;
    static constexpr float kEffectVolume = 0.49f;

    /// Creates the studio system on the default audio device, or on `device` when one is given
    /// (tests pass a loopback device), and connects the sound signals.
    explicit SoundEngine(std::unique_ptr<AudioDevice> device = nullptr);
    ~SoundEngine() override;

    /// Loads every bank of the bank folder, then the event table, and places the listener at the
    /// origin facing -z with +y up.
    void Initialize() override;
    /// Carries out the frame's sound requests, unless the engine is paused.
    void Update() override;
    /// Silences the speech voice and releases the studio system.
    void Shutdown() override;

    /// Reads the first event table of the event folder and creates one instance per name; a name
    /// containing "bus" loads the bank of that name instead.
    void LoadSoundEvents();
    /// Reads every bank, sample and the event table again (their files changed): what was
    /// playing stops, and the next music or effect request plays the new sound.
    void ReloadSounds();

    void Handle(MusicSignal signal) override;
    void Handle(SfxSignal signal) override;
    /// 0 holds what is playing and 1 continues it; 4 reloads the event table, releasing the
    /// instances it drops; 5 stops updating the studio (requests wait) and 6 updates it again.
    void Handle(SoundSignal signal) override;
    void Handle(Sound3DSignal signal) override;
    void Handle(ListenerPositionSignal signal) override;

    bool IsPaused() const { return m_paused; }
    bool HasEvent(const std::string& name) const { return m_events.count(name) != 0; }
    size_t EventCount() const { return m_events.size(); }
    StudioSystem& Studio() { return *m_system; }
    /// The voice that speaks caption lines; null after Shutdown.
    SpeechVoice* Voice() { return m_voice.get(); }
    /// The bank loaded last from the event table (null when none was).
    SoundBank* LastBank() const { return m_lastBank; }

private:
    /// Every bank of the bank folder, then the event table.
    void LoadBanks();
    /// The instance of `name`, or null when the name is unknown or plays nothing.
    EventInstance* Find(const std::string& name) const;
    void ReleaseEvents();

    bool m_paused = false;
    std::unique_ptr<StudioSystem> m_system;
    std::unique_ptr<SpeechVoice> m_voice;
    SoundBank* m_lastBank = nullptr;
    ListenerAttributes m_listener;
    std::unordered_map<std::string, SoundEvent> m_events;
};

} // namespace zumek
