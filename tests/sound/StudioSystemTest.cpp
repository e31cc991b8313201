// tests/sound/StudioSystemTest.cpp
// (The silent back end, for a machine without a sound card, runs under the whole sound engine in
// SoundGameRunTest.)
#include "sound/StudioSystem.h"

#include <gtest/gtest.h>

#include "tests/sound/SoundTestSupport.h"

namespace zumek {
namespace {

using test::BankEvent;
using test::BankText;
using test::LoopbackStudio;
using test::MixRms;

TEST(StudioSystem, EventsSharingASampleDecodeItOnce) {
    LoopbackStudio s;
    s.LoadToneBank({{"event:/A", "tone.wav"}, {"event:/B", "tone.wav"}}, 0.5);
    s.files.Write("b.bank", BankText({{"event:/C", "tone.wav"}}));
    ASSERT_NE(s.system->LoadBankFile(s.files.Path("b.bank"), 0), nullptr);
    EXPECT_EQ(s.system->Samples()->DecodeCount(), 1u);
    EXPECT_EQ(s.system->Samples()->DecodedBytes(), size_t(0.5 * 22050) * 2);
    EXPECT_EQ(s.system->GetEvent("event:/A")->Sample(), s.system->GetEvent("event:/C")->Sample());
    // The same file again is the bank already loaded, not a second copy.
    EXPECT_EQ(s.system->LoadBankFile(s.files.Path("a.bank"), 0), s.system->LoadBankFile(s.files.Path("a.bank"), 0));
    EXPECT_EQ(s.system->BankCount(), 2u);
}

TEST(StudioSystem, BadBankEntriesAreReportedWithFileAndLineAndTheRestLoads) {
    LoopbackStudio s;
    test::WriteToneWav(s.files.Path("tone.wav"), 0.2, 440, 0.5);
    s.files.Write("bad.bank", "<SoundBank Version=\"1\">\n"
                              "  <Event Path=\"event:/Good\" Sample=\"tone.wav\"/>\n"
                              "  <Event Path=\"event:/Loud\" Sample=\"tone.wav\" Volume=\"lots\"/>\n"
                              "  <Event Path=\"nopath\" Sample=\"tone.wav\"/>\n"
                              "  <Event Path=\"event:/Missing\" Sample=\"missing.ogg\"/>\n"
                              "</SoundBank>\n");
    testing::internal::CaptureStderr();
    ASSERT_NE(s.system->LoadBankFile(s.files.Path("bad.bank"), 0), nullptr);
    std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("bad.bank:3: event:/Loud: Volume must be a number from 0 to 4, got \"lots\""),
              std::string::npos) << errors;
    EXPECT_NE(errors.find("bad.bank:4: <Event> needs a Path starting with \"event:/\""), std::string::npos) << errors;
    EXPECT_NE(errors.find("bad.bank:5: "), std::string::npos) << errors;
    EXPECT_NE(errors.find("missing.ogg: no such file"), std::string::npos) << errors;
    EXPECT_EQ(test::ProblemCount(), 3u);
    EXPECT_NE(s.system->GetEvent("event:/Good"), nullptr);
    EXPECT_EQ(s.system->GetEvent("event:/Loud"), nullptr);
    // A missing sample leaves an event that plays nothing.
    ASSERT_NE(s.system->GetEvent("event:/Missing"), nullptr);
    s.Instance("event:/Missing")->Start();
    s.system->Update();
    EXPECT_EQ(MixRms(s.Render(0.1)), 0.0);
}

TEST(StudioSystem, UnreadableBanksLoadNothingAndSayWhy) {
    LoopbackStudio s;
    s.files.Write("broken.bank", "<SoundBank Version=\"1\"><Event");
    s.files.Write("other.bank", "<Sounds/>");
    testing::internal::CaptureStderr();
    EXPECT_EQ(s.system->LoadBankFile(s.files.Path("broken.bank"), 0), nullptr);
    EXPECT_EQ(s.system->LoadBankFile(s.files.Path("other.bank"), 0), nullptr);
    EXPECT_EQ(s.system->LoadBankFile(s.files.Path("absent.bank"), 0), nullptr);
    std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("broken.bank: line 1"), std::string::npos) << errors;
    EXPECT_NE(errors.find("other.bank: the root element must be <SoundBank>"), std::string::npos) << errors;
    EXPECT_NE(errors.find("absent.bank: no such file"), std::string::npos) << errors;
    EXPECT_EQ(s.system->BankCount(), 0u);
}

TEST(StudioSystem, RequestsWaitForUpdateStopIsImmediateAndAStartWhilePausedWaitsForTheResume) {
    LoopbackStudio s;
    s.LoadToneBank({{"event:/Tone", "tone.wav", true}});
    EventInstance* tone = s.Instance("event:/Tone");
    tone->Start();
    EXPECT_EQ(MixRms(s.Render(0.05)), 0.0) << "a start is heard only after Update";
    s.system->Update();
    EXPECT_GT(MixRms(s.Render(0.1)), 0.1);
    tone->StopImmediate();
    s.system->Update();
    EXPECT_EQ(test::Peak(s.Render(0.1)), 0.0);
    EXPECT_EQ(s.system->BusyChannelCount(), 0u);

    s.system->SetPaused(true);
    tone->Start();
    s.system->Update();
    s.system->Update();
    EXPECT_EQ(MixRms(s.Render(0.1)), 0.0) << "a sound started while paused is heard";
    s.system->SetPaused(false);
    s.system->Update();
    EXPECT_GT(MixRms(s.Render(0.1)), 0.1) << "a sound started while paused is lost at the resume";

    // An Update after Release must not reach the closed device.
    s.system->Release();
    s.system->Update();
}

/// The music-loop mix from 0.3 s to 0.4 s of playing, with or without a pause at 0.3 s.
std::vector<float> MusicAfterPause(bool pause, double* pausedRms) {
    LoopbackStudio s;
    // 331 Hz: the 0.25 s pause is no whole number of periods, so a resume at the wrong place shows.
    s.LoadToneBank({{"event:/Tone", "tone.wav", true}}, 2.0, 331);
    s.Instance("event:/Tone")->Start();
    s.system->Update();
    s.Render(0.3);
    if (pause) {
        s.system->SetPaused(true);
        s.system->Update();
        *pausedRms = MixRms(s.Render(0.25));
        s.system->SetPaused(false);
        s.system->Update();
    }
    return s.Render(0.1);
}

TEST(StudioSystem, PauseHoldsTheMixAndResumeContinuesWhereItStopped) {
    double pausedRms = 1.0;
    std::vector<float> resumed = MusicAfterPause(true, &pausedRms);
    std::vector<float> unbroken = MusicAfterPause(false, nullptr);
    EXPECT_EQ(pausedRms, 0.0);
    ASSERT_EQ(resumed.size(), unbroken.size());
    std::vector<float> difference(resumed.size());
    for (size_t i = 0; i < resumed.size(); ++i) difference[i] = resumed[i] - unbroken[i];
    EXPECT_GT(MixRms(unbroken), 0.1);
    EXPECT_LT(MixRms(difference), 0.02 * MixRms(unbroken)) << "resumed at another place than it was held";
}

TEST(StudioSystem, MoreSoundsThanChannelsDropTheRestWithOneMessage) {
    LoopbackStudio s(4);
    std::vector<BankEvent> events;
    for (int i = 0; i < 6; ++i) events.push_back({"event:/T" + std::to_string(i), "tone.wav", true});
    s.LoadToneBank(events, 0.5);
    for (int i = 0; i < 6; ++i) s.Instance("event:/T" + std::to_string(i))->Start();
    testing::internal::CaptureStderr();
    s.system->Update();
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(s.system->BusyChannelCount(), 4u);
    EXPECT_EQ(test::ProblemCount(), 1u);
}

} // namespace
} // namespace zumek
