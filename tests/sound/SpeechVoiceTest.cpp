// tests/sound/SpeechVoiceTest.cpp
#include "sound/SpeechVoice.h"

#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "sound/LoopbackAudioDevice.h"
#include "sound/StudioSystem.h"
#include "tests/sound/SoundTestSupport.h"

namespace zumek {
namespace {

constexpr int kRate = 44100;
constexpr const char* kNoVoiceData = "espeak-ng voice data is missing (tools/install-deps installs espeak-ng-data)";

struct SpeechStudio {
    LoopbackAudioDevice* device = nullptr;
    std::unique_ptr<StudioSystem> system = StudioSystem::Create(kStudioHeaderVersion);

    SpeechStudio() {
        auto loopback = LoopbackAudioDevice::Open(kRate);
        EXPECT_NE(loopback, nullptr);
        device = loopback.get();
        system->Initialize(8, 0, 0, std::move(loopback));
    }
};

TEST(SpeechVoice, ASpokenLineIsHeard) {
    SpeechStudio s;
    SpeechVoice voice(*s.system);
    if (!voice.IsAvailable()) GTEST_SKIP() << kNoVoiceData;
    voice.Say("The door is open.");
    voice.WaitUntilIdle();
    EXPECT_EQ(s.system->BusyChannelCount(), 0u) << "the line plays only after the studio's Update";
    s.system->Update();
    EXPECT_EQ(s.system->BusyChannelCount(), 1u);
    std::vector<float> mix = s.device->Render(kRate);
    EXPECT_GT(test::MixRms(mix), 0.01);
}

TEST(SpeechVoice, LinesInQuickSuccessionAreAllSpokenOrDroppedSafely) {
    SpeechStudio s;
    {
        SpeechVoice voice(*s.system);
        if (!voice.IsAvailable()) GTEST_SKIP() << kNoVoiceData;
        for (int i = 0; i < 4; ++i) voice.Say("Line number " + std::to_string(i));
        voice.WaitUntilIdle();
        s.system->Update();
        EXPECT_EQ(s.system->BusyChannelCount(), 4u) << "each line plays on its own";
        // Lines still queued when the voice goes are dropped, never spoken into a dead system.
        for (int i = 0; i < 20; ++i) voice.Say("Another line that will not be finished");
    }
    s.system->Update();
    s.system->Release();
}

TEST(SpeechVoice, WithoutVoiceDataNothingIsSpokenAfterOneLogLine) {
    // An existing folder without voice data in it.
    test::TempResources empty;
    setenv("ESPEAK_DATA_PATH", empty.Root().c_str(), 1);
    SpeechStudio s;
    testing::internal::CaptureStderr();
    SpeechVoice voice(*s.system);
    std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(voice.IsAvailable());
    EXPECT_NE(errors.find("No speech voice data"), std::string::npos) << errors;
    voice.Say("Nobody hears this.");
    voice.WaitUntilIdle();
    s.system->Update();
    EXPECT_EQ(test::Peak(s.device->Render(kRate / 10)), 0.0);
    EXPECT_EQ(test::ProblemCount(), 1u);
}

TEST(SpeechVoice, TheCurrentVoiceSpeaksForTheCaptionWindow) {
    SpeechStudio s;
    SpeechVoice voice(*s.system);
    if (!voice.IsAvailable()) GTEST_SKIP() << kNoVoiceData;
    SpeechVoice::SayWithCurrent("Not spoken: there is no current voice yet.");
    SpeechVoice::SetCurrent(&voice);
    SpeechVoice::SayWithCurrent("Spoken.");
    voice.WaitUntilIdle();
    SpeechVoice::SetCurrent(nullptr);
    s.system->Update();
    EXPECT_EQ(s.system->BusyChannelCount(), 1u);
}

} // namespace
} // namespace zumek
