// The gamepad: normalisation, the states and events it writes, and losing the controller.
#include "input/InputSystem.h"

#include <gtest/gtest.h>

#include "engine/SignalManager.h"
#include "input/InputEvents.h"
#include "input/InputStates.h"

using namespace zumek;

namespace {

struct FakePad : GamepadSource {
    bool GetState(int index, GamepadReading& reading) override {
        ++reads;
        if (!connected || index != 0) return false;
        reading.gamepad = block;
        return true;
    }
    bool connected = true;
    GamepadBlock block;
    int reads = 0;
};

class GamepadInput : public ::testing::Test {
protected:
    void Frame() {
        std::vector<Object*> none;
        system.Update(0.01f, none);
    }
    FakePad pad;
    InputSystem system{&pad};
};

} // namespace

TEST(GamepadAxes, DeadZoneIsCutOutAndTheRestStretched) {
    EXPECT_EQ(InputSystem::NormaliseAxis(6553), 0.0f);
    EXPECT_EQ(InputSystem::NormaliseAxis(-6553), 0.0f);
    EXPECT_FLOAT_EQ(InputSystem::NormaliseAxis(32767), 1.0f);
    EXPECT_FLOAT_EQ(InputSystem::NormaliseAxis(-32768), -1.0f);
    EXPECT_NEAR(InputSystem::NormaliseAxis(16384), 0.375f, 1e-3); // (0.5 - 0.2) * 1.25
    EXPECT_NEAR(InputSystem::NormaliseTrigger(128), 0.502f, 1e-3);
    EXPECT_EQ(InputSystem::NormaliseTrigger(0), 0.0f);
    EXPECT_EQ(InputSystem::NormaliseTrigger(255), 1.0f);
}

TEST_F(GamepadInput, ButtonsStickAndTriggersReachTheStates) {
    pad.block.buttons = GAMEPAD_A | GAMEPAD_DPAD_UP | GAMEPAD_START | GAMEPAD_RIGHT_SHOULDER;
    pad.block.thumbRX = 32767;
    pad.block.thumbRY = -32768;
    pad.block.thumbLX = 100; // inside the dead zone
    pad.block.rightTrigger = 255;
    Frame();
    auto& states = InputStates::Instance();
    EXPECT_TRUE(system.IsConnected());
    EXPECT_TRUE(states.IsActive(input_state::JOYSTICK_A));
    EXPECT_FALSE(states.IsActive(input_state::JOYSTICK_B));
    EXPECT_TRUE(states.IsActive(input_state::DPAD_UP));
    EXPECT_TRUE(states.IsActive(input_state::JOYSTICK_START));
    EXPECT_TRUE(states.IsActive(input_state::R_SHOULDER));
    EXPECT_FALSE(states.IsActive(input_state::L_SHOULDER));
    EXPECT_TRUE(states.IsActive(input_state::GAMEPAD_CONNECTED));
    EXPECT_FLOAT_EQ(states.Get(input_state::RIGHT_STICK).value->x, 1.0f);
    EXPECT_FLOAT_EQ(states.Get(input_state::RIGHT_STICK).value->y, -1.0f);
    EXPECT_EQ(states.Get(input_state::LEFT_STICK).value->x, 0.0f);
    EXPECT_FLOAT_EQ(states.Get(input_state::TRIGGERS).value->x, 1.0f);
    auto& events = InputEvents::Instance();
    EXPECT_TRUE(events.Take(input_event::ARROW_RIGHT));  // right
    EXPECT_TRUE(events.Take(input_event::ARROW_DOWN));  // down
    EXPECT_FALSE(events.Take(input_event::ARROW_LEFT));
    EXPECT_FALSE(events.Take(input_event::ARROW_UP));
}

TEST_F(GamepadInput, ReleasedButtonsStayActiveUntilTheScriptsClearThem) {
    pad.block.buttons = GAMEPAD_A;
    Frame();
    pad.block.buttons = 0;
    Frame();
    EXPECT_TRUE(InputStates::Instance().IsActive(input_state::JOYSTICK_A));
}

TEST_F(GamepadInput, UnpluggedControllerTurnsConnectedOffNextFrameAndKeepsTheRest) {
    pad.block.buttons = GAMEPAD_B;
    pad.block.thumbLX = 32767;
    Frame();
    pad.connected = false;
    Frame();
    auto& states = InputStates::Instance();
    EXPECT_FALSE(system.IsConnected());
    EXPECT_FALSE(states.IsActive(input_state::GAMEPAD_CONNECTED));
    EXPECT_TRUE(states.IsActive(input_state::JOYSTICK_B));
    EXPECT_FLOAT_EQ(states.Get(input_state::LEFT_STICK).value->x, 1.0f);
    EXPECT_EQ(system.GetGamepad().index, -1);
    EXPECT_FLOAT_EQ(system.GetGamepad().leftX, 1.0f); // the last values are kept
    pad.connected = true;
    Frame();
    EXPECT_TRUE(states.IsActive(input_state::GAMEPAD_CONNECTED));
}

TEST_F(GamepadInput, OutsideTheDefaultPlaceOnlyConnectionIsTracked) {
    SignalManager::Emit(PlaceId(11));
    pad.block.buttons = GAMEPAD_Y;
    Frame();
    EXPECT_TRUE(system.IsConnected());
    EXPECT_FALSE(InputStates::Instance().IsActive(input_state::JOYSTICK_Y));
    EXPECT_FALSE(InputStates::Instance().IsActive(input_state::GAMEPAD_CONNECTED));
}
