// Window messages become input events: the key table, place rules, mouse motion and clicks.
#include "input/EventPoller.h"

#include <gtest/gtest.h>

#include "engine/SettingManager.h"
#include "engine/SignalManager.h"
#include "engine/WindowCallback.h"
#include "input/HeldKeys.h"
#include "input/InputEvents.h"
#include "platform/WindowMessages.h"

using namespace zumek;

namespace {

class Poller : public ::testing::Test {
protected:
    void SetUp() override {
        InputEvents::Instance().Clear();
        HeldKeys::Instance().ReleaseAll();
    }
    /// A key pressed and released, as the next frame's input sees it (the walk and arrow keys
    /// are raised there, by the held keys).
    void Key(uint32_t key) {
        poller.OnMessage(nullptr, WM_KEYDOWN, key, 0);
        poller.OnMessage(nullptr, WM_KEYUP, key, 0);
        HeldKeys::Instance().RaiseHeld(InputEvents::Instance());
    }
    void Mouse(uint32_t message, int x, int y) { poller.OnMessage(nullptr, message, 0, PackPoint(x, y)); }
    bool TakeOnly(InputEvent code) {
        bool taken = InputEvents::Instance().Take(code);
        return taken && InputEvents::Instance().PendingCount() == 0;
    }
    EventPoller poller;
};

} // namespace

TEST_F(Poller, EveryKeyOfTheTableRaisesItsEvent) {
    const std::pair<uint32_t, InputEvent> table[] = {
        {VK_RETURN, 39}, {VK_CONTROL, 66}, {VK_ESCAPE, 11}, {VK_SPACE, 30}, {VK_LEFT, 47}, {VK_UP, 45},
        {VK_RIGHT, 48}, {VK_DOWN, 46}, {'1', 62}, {'2', 61}, {'A', 31}, {'D', 32}, {'E', 10}, {'F', 8},
        {'I', 73}, {0x68, 73}, {'J', 74}, {0x65, 74}, {'K', 75}, {0x69, 75}, {'L', 76}, {0x66, 76},
        {'M', 16}, {'N', 15}, {'P', 7}, {'R', 9}, {'S', 34}, {'W', 33}, {0x61, 63}, {0x62, 65}, {0x63, 64},
        {0x64, 72}, {0x67, 71}, {VK_F5, 17},
    };
    for (const auto& [key, event] : table) {
        Key(key);
        EXPECT_TRUE(TakeOnly(event)) << "key 0x" << std::hex << key;
    }
}

TEST_F(Poller, OtherKeysRaiseNothing) {
    for (uint32_t key : {VK_SHIFT, VK_MENU, uint32_t('B'), uint32_t('3'), VK_BACK, VK_TAB, VK_NUMPAD0, uint32_t(0x71)}) Key(key);
    poller.OnMessage(nullptr, WM_KEYUP, 'A', 0);
    EXPECT_EQ(InputEvents::Instance().PendingCount(), 0u);
}

TEST_F(Poller, F1AndF12AreTheInspectorAndTheScreenshot) {
    Key(VK_F1);
    Key(VK_F1 + 11);
    EXPECT_TRUE(InputEvents::Instance().Take(input_event::TOGGLE_INSPECTOR));
    EXPECT_TRUE(InputEvents::Instance().Take(input_event::SCREENSHOT));
    EXPECT_EQ(InputEvents::Instance().PendingCount(), 0u);
}

TEST_F(Poller, AKeyPressedTwiceIsPendingOnce) {
    Key('W');
    Key('W');
    EXPECT_TRUE(InputEvents::Instance().Take(33));
    EXPECT_FALSE(InputEvents::Instance().Take(33));
}

TEST_F(Poller, PlaceElevenIsAPromptAndPlaceNineIgnoresEscape) {
    SignalManager::Emit(PlaceId(11));
    Key('W');
    EXPECT_EQ(InputEvents::Instance().PendingCount(), 0u);
    for (uint32_t key : {VK_BACK, VK_RETURN, VK_F5}) {
        Key(key);
        EXPECT_TRUE(TakeOnly(17));
    }
    Key(VK_ESCAPE);
    EXPECT_TRUE(TakeOnly(11));
    Mouse(WM_LBUTTONDOWN, 1, 1);
    EXPECT_TRUE(TakeOnly(11));

    SignalManager::Emit(PlaceId(9));
    Key(VK_ESCAPE);
    EXPECT_EQ(InputEvents::Instance().PendingCount(), 0u);
    Key('W');
    EXPECT_TRUE(TakeOnly(33));
}

TEST_F(Poller, WindowMessages) {
    poller.OnMessage(nullptr, WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_EQ(InputEvents::Instance().PendingCount(), 0u);
    poller.OnMessage(nullptr, WM_SIZE, SIZE_RESTORED, PackPoint(10, 10));
    EXPECT_TRUE(TakeOnly(4));
    poller.OnMessage(nullptr, WM_SETFOCUS, 0, 0);
    EXPECT_TRUE(TakeOnly(5));
    poller.OnMessage(nullptr, WM_KILLFOCUS, 0, 0);
    EXPECT_TRUE(TakeOnly(6));
    for (uint32_t m : {WM_DESTROY, WM_CLOSE, WM_QUIT}) {
        poller.OnMessage(nullptr, m, 0, 0);
        EXPECT_TRUE(TakeOnly(3));
    }
}

TEST_F(Poller, DiagonalMotionRaisesBothAxesAndRemembersThePosition) {
    Mouse(WM_MOUSEMOVE, 10, 20);
    auto& events = InputEvents::Instance();
    for (InputEvent e : {52, 54, 58, 55}) EXPECT_TRUE(events.Take(e)) << e;
    EXPECT_EQ(events.PendingCount(), 0u);
    Mouse(WM_MOUSEMOVE, 4, 5);
    for (InputEvent e : {51, 53, 59, 56}) EXPECT_TRUE(events.Take(e)) << e;
    Mouse(WM_MOUSEMOVE, 4, 5);
    EXPECT_EQ(events.PendingCount(), 0u);
}

TEST_F(Poller, MotionAcrossTheWrapOfSixteenBitPositionsKeepsItsDirection) {
    // Mouse-look positions are accumulated and wrap round at 65536.
    auto& events = InputEvents::Instance();
    Mouse(WM_MOUSEMOVE, 65530, 65533);
    events.Clear();
    Mouse(WM_MOUSEMOVE, 4, 65535); // 10 to the right, 2 down
    for (InputEvent e : {52, 54, 58, 55}) EXPECT_TRUE(events.Take(e)) << e;
    EXPECT_EQ(events.PendingCount(), 0u);
    Mouse(WM_MOUSEMOVE, 65534, 1); // 6 to the left, 2 down
    for (InputEvent e : {51, 53, 58, 55}) EXPECT_TRUE(events.Take(e)) << e;
    EXPECT_EQ(events.PendingCount(), 0u);
}

TEST_F(Poller, NoMotionEventsWhileAHeadsetIsInUse) {
    SettingManager::GetSetting<OculusSetting>() = OculusSetting(0);
    Mouse(WM_MOUSEMOVE, 10, 20);
    EXPECT_EQ(InputEvents::Instance().PendingCount(), 0u);
}

TEST_F(Poller, ReleasingTwiceKeepsOneClickAtTheSecondPosition) {
    Mouse(WM_LBUTTONUP, 100, 200);
    Mouse(WM_LBUTTONUP, 65535, 7);
    auto& events = InputEvents::Instance();
    EXPECT_EQ(events.clickPosition, glm::vec4(65535, 7, 0, 0));
    EXPECT_TRUE(TakeOnly(67));
}

TEST_F(Poller, ThroughTheWindowProcedureInRegistrationOrder) {
    RegisterCallback(&poller);
    WndProc(nullptr, WM_KEYDOWN, 'P', 0);
    EXPECT_TRUE(TakeOnly(7));
    WndProc(nullptr, WM_CLOSE, 0, 0); // handled by the window procedure itself
    EXPECT_EQ(InputEvents::Instance().PendingCount(), 0u);
}
