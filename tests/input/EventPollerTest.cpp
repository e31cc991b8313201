// Window messages become input events: keys outside the key table, place rules, mouse motion
// and clicks.
#include "input/EventPoller.h"

#include <gtest/gtest.h>

#include "engine/SettingManager.h"
#include "engine/SignalManager.h"
#include "input/HeldKeys.h"
#include "input/InputEvents.h"
#include "platform/WindowMessages.h"

using namespace zumek;
namespace ie = zumek::input_event;

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

TEST_F(Poller, OtherKeysRaiseNothing) {
    for (uint32_t key : {VK_SHIFT, VK_MENU, uint32_t('B'), uint32_t('3'), VK_BACK, VK_TAB, VK_NUMPAD0, uint32_t(0x71)}) Key(key);
    poller.OnMessage(nullptr, WM_KEYUP, 'A', 0);
    EXPECT_EQ(InputEvents::Instance().PendingCount(), 0u);
}

TEST_F(Poller, EscapeTogglesThePlaceButPlaceElevenIsAPromptAndPlaceNineIgnoresEscape) {
    Key(VK_ESCAPE);
    EXPECT_TRUE(TakeOnly(input_event::PLACE_TOGGLE));
    SignalManager::Emit(PlaceId(11));
    Key('W');
    EXPECT_EQ(InputEvents::Instance().PendingCount(), 0u);
    for (uint32_t key : {VK_BACK, VK_RETURN, VK_F5}) {
        Key(key);
        EXPECT_TRUE(TakeOnly(input_event::SKIP_SCREEN));
    }
    Key(VK_ESCAPE);
    EXPECT_TRUE(TakeOnly(input_event::PLACE_TOGGLE));
    Mouse(WM_LBUTTONDOWN, 1, 1);
    EXPECT_TRUE(TakeOnly(input_event::PLACE_TOGGLE));

    SignalManager::Emit(PlaceId(9));
    Key(VK_ESCAPE);
    EXPECT_EQ(InputEvents::Instance().PendingCount(), 0u);
    Key('W');
    EXPECT_TRUE(TakeOnly(input_event::MOVE_FORWARD));
}

TEST_F(Poller, WindowMessages) {
    poller.OnMessage(nullptr, WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_EQ(InputEvents::Instance().PendingCount(), 0u);
    poller.OnMessage(nullptr, WM_SIZE, SIZE_RESTORED, PackPoint(10, 10));
    EXPECT_TRUE(TakeOnly(input_event::RESIZED));
    poller.OnMessage(nullptr, WM_SETFOCUS, 0, 0);
    EXPECT_TRUE(TakeOnly(input_event::FOCUS_GAINED));
    poller.OnMessage(nullptr, WM_KILLFOCUS, 0, 0);
    EXPECT_TRUE(TakeOnly(input_event::FOCUS_LOST));
    for (uint32_t m : {WM_DESTROY, WM_CLOSE, WM_QUIT}) {
        poller.OnMessage(nullptr, m, 0, 0);
        EXPECT_TRUE(TakeOnly(input_event::QUIT));
    }
}

TEST_F(Poller, DiagonalMotionRaisesBothAxesAndRemembersThePosition) {
    Mouse(WM_MOUSEMOVE, 10, 20);
    auto& events = InputEvents::Instance();
    for (InputEvent e : {ie::CAMERA_RIGHT, ie::MOUSE_RIGHT, ie::CAMERA_DOWN, ie::MOUSE_DOWN}) EXPECT_TRUE(events.Take(e)) << e;
    EXPECT_EQ(events.PendingCount(), 0u);
    Mouse(WM_MOUSEMOVE, 4, 5);
    for (InputEvent e : {ie::CAMERA_LEFT, ie::MOUSE_LEFT, ie::CAMERA_UP, ie::MOUSE_UP}) EXPECT_TRUE(events.Take(e)) << e;
    Mouse(WM_MOUSEMOVE, 4, 5);
    EXPECT_EQ(events.PendingCount(), 0u);
}

TEST_F(Poller, MotionAcrossTheWrapOfSixteenBitPositionsKeepsItsDirection) {
    // Mouse-look positions are accumulated and wrap round at 65536.
    auto& events = InputEvents::Instance();
    Mouse(WM_MOUSEMOVE, 65530, 65533);
    events.Clear();
    Mouse(WM_MOUSEMOVE, 4, 65535); // 10 to the right, 2 down
    for (InputEvent e : {ie::CAMERA_RIGHT, ie::MOUSE_RIGHT, ie::CAMERA_DOWN, ie::MOUSE_DOWN}) EXPECT_TRUE(events.Take(e)) << e;
    EXPECT_EQ(events.PendingCount(), 0u);
    Mouse(WM_MOUSEMOVE, 65534, 1); // 6 to the left, 2 down
    for (InputEvent e : {ie::CAMERA_LEFT, ie::MOUSE_LEFT, ie::CAMERA_DOWN, ie::MOUSE_DOWN}) EXPECT_TRUE(events.Take(e)) << e;
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
    EXPECT_TRUE(TakeOnly(input_event::CLICK));
}
