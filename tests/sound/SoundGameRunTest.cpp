// tests/sound/SoundGameRunTest.cpp
// The frame loop with the sound engine on a machine without an audio device: the scripts' sound
// signals arrive frame after frame and the run ends normally.
#include <cstdlib>

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

TEST(SoundGameRun, MusicAndEffectsRunToTheEndWithoutAnAudioDevice) {
    // No OpenAL back end at all: the default device cannot open.
    setenv("ALSOFT_DRIVERS", "none", 1);
    test::UseShippedResources();
    MainEngine main("splash");
    main.SetFrameLimit(30);
    main.SetFixedFrameMs(11);
    testing::internal::CaptureStderr();
    auto* sound = new SoundEngine();
    main.AddEngine(sound);
    ScriptedSounds scripts;
    main.SetFrameSystems({&scripts});
    main.Initialize();
    main.Run();
    main.Shutdown();
    std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(scripts.Frames(), 30);
    EXPECT_FALSE(sound->Studio().IsAudible());
    EXPECT_EQ(test::ProblemCount(), 1u) << errors;
    EXPECT_NE(errors.find("No audio device; sound is off"), std::string::npos) << errors;
}

} // namespace
} // namespace zumek
