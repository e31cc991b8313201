// tests/sound/SoundEngineTest.cpp
#include "sound/SoundEngine.h"

#include <gtest/gtest.h>

#include "engine/EngineLog.h"
#include "engine/SignalManager.h"
#include "tests/sound/SoundTestSupport.h"

namespace zumek {
namespace {

using test::ChannelRms;
using test::kRate;
using test::MixRms;

/// The sound engine mixing into memory, over the resource root set before Start().
struct LoopbackSound {
    LoopbackAudioDevice* device = nullptr;
    std::unique_ptr<SoundEngine> engine;

    void Start() {
        auto loopback = LoopbackAudioDevice::Open(kRate);
        ASSERT_NE(loopback, nullptr) << "OpenAL Soft's loopback device did not open";
        device = loopback.get();
        engine = std::make_unique<SoundEngine>(std::move(loopback));
        engine->Initialize();
    }
    /// One frame of the game: the engine's update, then `seconds` of mixing.
    std::vector<float> Frame(double seconds) {
        engine->Update();
        return device->Render(static_cast<int>(seconds * kRate));
    }
};

/// Over the shipped banks and event table.
struct ShippedSound : LoopbackSound {
    ShippedSound() {
        test::UseShippedResources();
        Start();
    }
};

/// Over a resource root of the test's own.
struct OwnSound : LoopbackSound {
    test::TempResources files;
};

TEST(SoundEngine, AnEffectPlaysOnItsOneInstanceAndThenDecaysToSilence) {
    ShippedSound s;
    size_t instances = s.engine->Studio().InstanceCount();
    SignalManager::Emit(SfxSignal{"Hit"});
    SignalManager::Emit(SfxSignal{"Hit"});
    std::vector<float> mix = s.Frame(0.5);
    EXPECT_EQ(s.engine->Studio().InstanceCount(), instances) << "a play made an instance of its own";
    EXPECT_EQ(s.engine->Studio().BusyChannelCount(), 1u) << "the same effect twice took two channels";
    double start = MixRms(mix, 0, kRate / 20);
    EXPECT_GT(start, 0.01);
    EXPECT_LT(MixRms(mix, kRate / 5, kRate / 4), start / 2) << "the hit does not fade";
    EXPECT_EQ(test::Peak(s.Frame(0.2)), 0.0) << "the hit is still heard after it ended";
    EXPECT_EQ(s.engine->Studio().BusyChannelCount(), 0u);
}

TEST(SoundEngine, MusicLoopsPausesResumesAndStopsAtOnceAndPauseAllHoldsEveryRequest) {
    ShippedSound s;
    SignalManager::Emit(MusicSignal{"Music", true});
    s.Frame(4.5); // the loop is four seconds long
    EXPECT_GT(MixRms(s.Frame(0.5)), 0.01) << "the music does not loop";
    SignalManager::Emit(SOUND_PAUSE_MUSIC);
    EXPECT_EQ(test::Peak(s.Frame(0.3)), 0.0);
    SignalManager::Emit(SOUND_RESUME_MUSIC);
    EXPECT_GT(MixRms(s.Frame(0.3)), 0.01);
    SignalManager::Emit(MusicSignal{"Music", false});
    EXPECT_EQ(test::Peak(s.Frame(0.1)), 0.0);
    // Stopping what is not playing does nothing.
    SignalManager::Emit(MusicSignal{"Music", false});
    EXPECT_EQ(test::Peak(s.Frame(0.1)), 0.0);

    // While the engine is paused, requests wait for its resume.
    SignalManager::Emit(SOUND_PAUSE_ALL);
    SignalManager::Emit(SfxSignal{"LevelComplete"});
    EXPECT_EQ(test::Peak(s.Frame(0.2)), 0.0);
    EXPECT_TRUE(s.engine->IsPaused());
    SignalManager::Emit(SOUND_RESUME_ALL);
    EXPECT_GT(MixRms(s.Frame(0.3)), 0.01);
}

TEST(SoundEngine, ReloadingTheSoundsStopsWhatPlaysAndEveryNamePlaysAgain) {
    ShippedSound s;
    SignalManager::Emit(MusicSignal{"Music", true});
    EXPECT_GT(MixRms(s.Frame(0.3)), 0.01);
    const size_t events = s.engine->EventCount();
    SignalManager::Emit(SfxSignal{"Hit"}); // queued for an instance the reload drops
    s.engine->ReloadSounds();
    EXPECT_EQ(test::Peak(s.Frame(0.1)), 0.0) << "what played before the reload goes on";
    EXPECT_EQ(s.engine->EventCount(), events);
    EXPECT_EQ(s.engine->Studio().BusyChannelCount(), 0u);
    SignalManager::Emit(MusicSignal{"Music", true});
    EXPECT_GT(MixRms(s.Frame(0.3)), 0.01) << "the reloaded music does not play";
    EXPECT_EQ(test::ProblemCount(), 0u);
}

TEST(SoundEngine, APositionedSoundIsHeardFromItsSideAndQuieterFartherAway) {
    ShippedSound s;
    SignalManager::Emit(Sound3DSignal{"Hum", 3.0f, 0.0f, 0.0f, true});
    std::vector<float> mix = s.Frame(0.3);
    EXPECT_GT(ChannelRms(mix, 1), 2.0 * ChannelRms(mix, 0)) << "a sound to the right is not louder on the right";
    // The listener walks past it: the sound is now on its left.
    SignalManager::Emit(ListenerPositionSignal{6.0f, 0.0f, 0.0f});
    mix = s.Frame(0.3);
    EXPECT_GT(ChannelRms(mix, 0), 2.0 * ChannelRms(mix, 1));
    // Moving the sound (play flag false) follows it without restarting it.
    SignalManager::Emit(Sound3DSignal{"Hum", 9.0f, 0.0f, 0.0f, false});
    mix = s.Frame(0.3);
    EXPECT_GT(ChannelRms(mix, 1), 2.0 * ChannelRms(mix, 0));

    SignalManager::Emit(ListenerPositionSignal{0.0f, 0.0f, 0.0f});
    SignalManager::Emit(Sound3DSignal{"Hum", 0.0f, 0.0f, -1.0f, false});
    double near = MixRms(s.Frame(0.3));
    SignalManager::Emit(Sound3DSignal{"Hum", 0.0f, 0.0f, -8.0f, false});
    EXPECT_LT(MixRms(s.Frame(0.3)), near / 3) << "a farther sound is not quieter";
}

TEST(SoundEngine, AnUnknownNamePlaysNothingAndSaysNothing) {
    ShippedSound s;
    size_t records = EngineLog::Instance().Records().size();
    testing::internal::CaptureStderr();
    SignalManager::Emit(SfxSignal{"NoSuchSound"});
    SignalManager::Emit(MusicSignal{"NoSuchMusic", true});
    SignalManager::Emit(Sound3DSignal{"NoSuchThing", 1, 2, 3, true});
    std::vector<float> mix = s.Frame(0.2);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(test::Peak(mix), 0.0);
    EXPECT_EQ(EngineLog::Instance().Records().size(), records);
}

TEST(SoundEngine, ReloadLoadsTheBanksTheTableNamesAndReleasesDroppedInstances) {
    OwnSound s;
    test::WriteToneWav(s.files.Path("resources/sounds/tone.wav"), 0.5, 440, 0.5);
    s.files.Write("resources/soundbanks/Main.bank", test::BankText({{"event:/Tone", "../sounds/tone.wav"}}));
    s.files.Write("resources/soundevents/Table.xml",
                  "<Sounds><Event Name=\"Tone\" Path=\"event:/Tone\"/><Event Name=\"Old\" Path=\"event:/Tone\"/></Sounds>");
    s.Start();
    ASSERT_EQ(s.engine->EventCount(), 2u);
    EXPECT_EQ(s.engine->LastBank(), nullptr);

    // A bank that appears later is only reached through the table's bus entry.
    s.files.Write("resources/soundbanks/late_bus.bank", test::BankText({{"event:/Late", "../sounds/tone.wav"}}));
    s.files.Write("resources/soundevents/Table.xml", "<Sounds><Event Name=\"late_bus\" Path=\"bus:/\"/>"
                                                     "<Event Name=\"Late\" Path=\"event:/Late\"/>"
                                                     "<Event Name=\"Tone\" Path=\"event:/Tone\"/></Sounds>");
    SignalManager::Emit(SOUND_RELOAD_EVENTS);
    s.Frame(0.0);
    ASSERT_NE(s.engine->LastBank(), nullptr);
    EXPECT_EQ(s.engine->Studio().BankCount(), 2u);
    EXPECT_FALSE(s.engine->HasEvent("late_bus"));
    EXPECT_FALSE(s.engine->HasEvent("Old"));
    EXPECT_EQ(s.engine->EventCount(), 2u);
    EXPECT_EQ(s.engine->Studio().InstanceCount(), 2u) << "the dropped instances were not released";
    SignalManager::Emit(SfxSignal{"Late"});
    EXPECT_GT(MixRms(s.Frame(0.2)), 0.01);
    EXPECT_EQ(test::ProblemCount(), 0u);
}

TEST(SoundEngine, ATablePathNoBankHasIsReportedAndPlaysNothing) {
    OwnSound s;
    s.files.Write("resources/soundevents/Table.xml", "<Sounds><Event Name=\"Ghost\" Path=\"event:/Ghost\"/></Sounds>");
    testing::internal::CaptureStderr();
    s.Start();
    std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("Ghost -> event:/Ghost"), std::string::npos) << errors;
    EXPECT_TRUE(s.engine->HasEvent("Ghost"));
    SignalManager::Emit(SfxSignal{"Ghost"});
    EXPECT_EQ(test::Peak(s.Frame(0.1)), 0.0);
}

} // namespace
} // namespace zumek
