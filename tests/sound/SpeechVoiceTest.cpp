// tests/sound/SpeechVoiceTest.cpp
#include "sound/SpeechVoice.h"

#include <cstdlib>

#include <gtest/gtest.h>

#include "tests/sound/SoundTestSupport.h"

namespace zumek {
namespace {

using test::LoopbackStudio;

constexpr const char* kNoVoiceData = "espeak-ng voice data is missing (tools/install-deps installs espeak-ng-data)";

TEST(SpeechVoice, TheCurrentVoiceSpeaksACaptionLineHeardAfterTheStudiosUpdate) {
    LoopbackStudio s(8);
    SpeechVoice voice(*s.system);
    if (!voice.IsAvailable()) GTEST_SKIP() << kNoVoiceData;
    SpeechVoice::SayWithCurrent("Not spoken: there is no current voice yet.");
    SpeechVoice::SetCurrent(&voice);
    SpeechVoice::SayWithCurrent("The door is open.");
    voice.WaitUntilIdle();
    SpeechVoice::SetCurrent(nullptr);
    EXPECT_EQ(s.system->BusyChannelCount(), 0u) << "the line plays only after the studio's Update";
    s.system->Update();
    EXPECT_EQ(s.system->BusyChannelCount(), 1u) << "one line, the one said with a current voice";
    EXPECT_GT(test::MixRms(s.Render(1.0)), 0.01);
}

TEST(SpeechVoice, LinesInQuickSuccessionAreAllSpokenOrDroppedSafely) {
    LoopbackStudio s(8);
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
    LoopbackStudio s(8);
    // An existing folder without voice data in it.
    setenv("ESPEAK_DATA_PATH", s.files.Root().c_str(), 1);
    testing::internal::CaptureStderr();
    SpeechVoice voice(*s.system);
    std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(voice.IsAvailable());
    EXPECT_NE(errors.find("No speech voice data"), std::string::npos) << errors;
    voice.Say("Nobody hears this.");
    voice.WaitUntilIdle();
    s.system->Update();
    EXPECT_EQ(test::Peak(s.Render(0.1)), 0.0);
    EXPECT_EQ(test::ProblemCount(), 1u);
}

} // namespace
} // namespace zumek
