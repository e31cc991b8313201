// tests/sound/SoundGameRunTest.cpp
// The frame loop with the sound engine, on a machine without an audio device and on OpenAL's
// null device (which mixes on its own thread like a sound card's): the scripts' sound signals
// arrive frame after frame and the run ends normally, even while a caption line is being spoken.
#include <cstdlib>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "engine/EngineLog.h"
#include "engine/MainEngine.h"
#include "engine/SignalManager.h"
#include "engine/System.h"
#include "sound/SoundEngine.h"
#include "sound/SpeechVoice.h"
#include "sound/StudioSystem.h"
#include "tests/sound/SoundTestSupport.h"

namespace zumek {
namespace {

/// Sends what the game's scripts send, on a fixed frame schedule.
class ScriptedSounds final : public System {
public:
    ScriptedSounds() : System(SCRIPTING_SYSTEM_ID) {}
    void Update(float, std::vector<Object*>&) override {
        switch (++m_frame) {
        case 1: SignalManager::Emit(MusicSignal{"Music", true}); break;
        case 2: SignalManager::Emit(ListenerPositionSignal{1, 2, 3}); break;
        case 3: SignalManager::Emit(SfxSignal{"Hit"}); break;
        case 4: SignalManager::Emit(Sound3DSignal{"Hum", 4, 0, 0, true}); break;
        case 5: SignalManager::Emit(SOUND_PAUSE_MUSIC); break;
        case 6: SignalManager::Emit(SOUND_RESUME_MUSIC); break;
        case 7: SpeechVoice::SayWithCurrent("Welcome back."); break;
        case 8: SignalManager::Emit(SOUND_RELOAD_EVENTS); break;
        case 9: SignalManager::Emit(SfxSignal{"Button"}); break;
        case 10: SignalManager::Emit(SOUND_PAUSE_ALL); break;
        case 11: SignalManager::Emit(SfxSignal{"LevelComplete"}); break;
        case 12: SignalManager::Emit(SOUND_RESUME_ALL); break;
        case 13: SignalManager::Emit(MusicSignal{"Music", false}); break;
        default: break;
        }
    }
    void Shutdown() override {}
    int Frames() const { return m_frame; }

private:
    int m_frame = 0;
};

/// What a 30-frame run of the scripted sounds left, with OpenAL's back ends set to `drivers`.
struct SoundRun {
    int frames = 0;
    bool audible = false;
    size_t problems = 0;
    std::string errors;
};

SoundRun RunScriptedSounds(const char* drivers) {
    setenv("ALSOFT_DRIVERS", drivers, 1);
    test::UseShippedResources();
    MainEngine main("splash");
    main.SetFrameLimit(30);
    main.SetFixedFrameMs(11);
    testing::internal::CaptureStderr();
    SoundEngine* sound = &main.AddEngine(std::make_unique<SoundEngine>());
    ScriptedSounds scripts;
    main.SetFrameSystems({&scripts});
    main.Initialize();
    main.Run();
    SoundRun run;
    run.audible = sound->Studio().IsAudible();
    main.Shutdown();
    run.errors = testing::internal::GetCapturedStderr();
    run.frames = scripts.Frames();
    run.problems = test::ProblemCount();
    return run;
}

TEST(SoundGameRun, MusicAndEffectsRunToTheEndWithoutAnAudioDevice) {
    // No OpenAL back end at all: the default device cannot open.
    const SoundRun run = RunScriptedSounds("none");
    EXPECT_EQ(run.frames, 30);
    EXPECT_FALSE(run.audible);
    EXPECT_EQ(run.problems, 1u) << run.errors;
    EXPECT_NE(run.errors.find("No audio device; sound is off"), std::string::npos) << run.errors;
}

TEST(SoundGameRun, MusicEffectsAndSpeechPlayOnADeviceAndTheRunEndsWhileSpeaking) {
    // OpenAL's null back end opens like a sound card and mixes on its own thread; the run ends a
    // few frames after the caption line was handed over, so the voice may still be speaking.
    const SoundRun run = RunScriptedSounds("null");
    EXPECT_EQ(run.frames, 30);
    EXPECT_TRUE(run.audible) << run.errors;
    EXPECT_EQ(run.problems, 0u) << run.errors;
}

} // namespace
} // namespace zumek
