// Held walk and arrow keys: their events come in every frame from the key-down to the key-up,
// whatever the auto-repeat does; other keys stay one event per key-down; losing the focus
// lets every key go.
#include "input/HeldKeys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Replay.h"
#include "input/EventPoller.h"
#include "input/InputEvents.h"
#include "input/InputSystem.h"
#include "platform/WindowMessages.h"

using namespace zumek;

namespace {

struct NoPad : GamepadSource {
    bool GetState(int, GamepadReading&) override { return false; }
};

/// The frame order that matters here: the input system first, then a script that takes one
/// event, then the window's message pump (which delivers the frame's replayed messages).
class HeldKeysTest : public ::testing::Test {
protected:
    void SetUp() override {
        InputEvents::Instance().Clear();
        HeldKeys::Instance().ReleaseAll();
    }
    /// Runs frames 1..`frames`; returns the frames in which the script found `event`.
    std::vector<int> Run(const std::string& replayText, InputEvent event, int frames) {
        Replay replay;
        std::string error;
        EXPECT_TRUE(replay.Parse(replayText, error)) << error;
        std::vector<int> seen;
        std::vector<Object*> none;
        for (int frame = 1; frame <= frames; ++frame) {
            input.Update(0.011f, none);
            if (InputEvents::Instance().Take(event)) seen.push_back(frame);
            for (const WindowMessage& m : replay.MessagesFor(frame)) poller.OnMessage(nullptr, m.message, m.wParam, m.lParam);
        }
        return seen;
    }
    static std::vector<int> Frames(int first, int last) {
        std::vector<int> frames;
        for (int f = first; f <= last; ++f) frames.push_back(f);
        return frames;
    }
    NoPad pad;
    InputSystem input{&pad};
    EventPoller poller;
};

} // namespace

TEST_F(HeldKeysTest, AReplayedSpanGivesTheEventInEveryFrameOfItAndNotAfter) {
    // Pressed during frame 10, released during frame 20: frames 11 to 20 see it.
    EXPECT_EQ(Run("10 keydown W\n20 keyup W\n", input_event::MOVE_FORWARD, 30), Frames(11, 20));
    EXPECT_EQ(HeldKeys::Instance().HeldCount(), 0u);
}

TEST_F(HeldKeysTest, AutoRepeatDoublesNothing) {
    // The keyboard repeats W while it is held: one event per frame all the same, and none after.
    EXPECT_EQ(Run("3 keydown W\n4 keydown W\n4 keydown W\n5 keydown W\n7 keyup W\n", input_event::MOVE_FORWARD, 12),
              Frames(4, 7));
    EXPECT_EQ(InputEvents::Instance().PendingCount(), 0u);
}

TEST_F(HeldKeysTest, TwoKeysHeldTogetherBothLastUntilTheirOwnKeyUp) {
    std::string replay = "2 keydown W\n2 keydown A\n4 keyup A\n8 keyup W\n";
    EXPECT_EQ(Run(replay, input_event::MOVE_LEFT, 10), Frames(3, 4));
    SetUp();
    EXPECT_EQ(Run(replay, input_event::MOVE_FORWARD, 10), Frames(3, 8));
}

TEST_F(HeldKeysTest, AKeyPressedAndReleasedInOneFrameCountsOnce) {
    EXPECT_EQ(Run("5 key D\n", input_event::MOVE_RIGHT, 10), Frames(6, 6));
}

TEST_F(HeldKeysTest, ArrowsReachTheScriptsBeforeTheCameraLooks) {
    // The message pump runs after the scripts and before the camera: an arrow pressed and
    // released there is raised at the next frame's input, where a menu script takes it first.
    Replay replay;
    std::string error;
    ASSERT_TRUE(replay.Parse("1 key Down\n", error));
    for (const WindowMessage& m : replay.MessagesFor(1)) poller.OnMessage(nullptr, m.message, m.wParam, m.lParam);
    EXPECT_FALSE(InputEvents::Instance().Test(input_event::ARROW_DOWN)); // the camera finds nothing
    std::vector<Object*> none;
    input.Update(0.011f, none);
    EXPECT_TRUE(InputEvents::Instance().Take(input_event::ARROW_DOWN)); // the script's, next frame
}

TEST_F(HeldKeysTest, OtherKeysStayOneEventPerKeyDown) {
    // Control held from frame 2 to 9: fire comes once, not every frame.
    EXPECT_EQ(Run("2 keydown Control\n9 keyup Control\n", input_event::FIRE, 12), Frames(3, 3));
    EXPECT_EQ(HeldKeys::Instance().HeldCount(), 0u);
}

TEST_F(HeldKeysTest, LosingTheFocusReleasesEveryKey) {
    Replay replay;
    std::string error;
    ASSERT_TRUE(replay.Parse("1 keydown W\n1 keydown Left\n", error));
    for (const WindowMessage& m : replay.MessagesFor(1)) poller.OnMessage(nullptr, m.message, m.wParam, m.lParam);
    EXPECT_EQ(HeldKeys::Instance().HeldCount(), 2u);
    poller.OnMessage(nullptr, WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(HeldKeys::Instance().HeldCount(), 0u);
    InputEvents::Instance().Clear();
    std::vector<Object*> none;
    input.Update(0.011f, none);
    EXPECT_EQ(InputEvents::Instance().PendingCount(), 0u);
}
