// The Input and InputManager libraries: actions consumed by the first query, keys tested without
// consuming, the mouse and gamepad states, and Refresh clearing the one-shot buttons.
#include "engine/InputEvent.h"
#include "input/InputEvents.h"
#include "input/InputStates.h"
#include "tests/scripting/ScriptFixture.h"

using namespace zumek;
namespace ie = zumek::input_event;

namespace {

class InputLibraryTest : public test::ScriptFixture {
protected:
    void SetUp() override {
        ScriptFixture::SetUp();
        StartCases("InputCases");
        events.Clear();
    }
    InputEvents& events = InputEvents::Instance();
    InputStates& states = InputStates::Instance();
};

TEST_F(InputLibraryTest, EachActionIsTrueOnceThenConsumed) {
    for (InputEvent code : {ie::MOVE_LEFT, ie::MOVE_RIGHT, ie::MOVE_FORWARD, ie::MOVE_BACKWARD, ie::MOUSE_LEFT,
                            ie::MOUSE_RIGHT, ie::MOUSE_DOWN, ie::MOUSE_UP, ie::FIRE, ie::CLICK, ie::SKIP_SCREEN,
                            ie::LEVEL_NEXT, ie::LEVEL_PREVIOUS, ie::SELECT, ie::PLACE_TOGGLE})
        events.Raise(code);
    events.Raise(input_event::KEY_E); // nobody's action: left alone
    EXPECT_EQ(Lua("InputCases.Actions()"),
              "MoveLeft=true/false MoveRight=true/false MoveForward=true/false MoveBackward=true/false "
              "MouseMoveLeft=true/false MouseMoveRight=true/false MouseMoveUp=true/false MouseMoveDown=true/false "
              "KeyFire=true/false MouseClick=true/false SkipScreen=true/false LevelNext=true/false "
              "LevelPrevious=true/false Select=true/false PlaceToggle=true/false\n");
    EXPECT_EQ(events.PendingCount(), 1u);
    events.Raise(input_event::MOUSE_DOWN); // 55: the window y grew, which the scripts call up
    EXPECT_EQ(Lua("Show(Input.MouseMoveDown(), Input.MouseMoveUp())"), "false true\n");
}

TEST_F(InputLibraryTest, PressKeyTestsTheFirstCharacterWithoutConsuming) {
    events.Raise(input_event::MOVE_FORWARD); // 33, '!'
    EXPECT_EQ(Lua("InputCases.PressKey()"), "true true false false false\n");
    EXPECT_TRUE(events.Test(input_event::MOVE_FORWARD));
}

TEST_F(InputLibraryTest, StatesReadTheirSlotsAndZerosWhileInactive) {
    EXPECT_EQ(Lua("InputCases.States()"), "false false false\n0 0\n0 0\n0 0\n0 0\n0 0 0\n0 0 0\n0 0\n0 0\n");
    states.Set(input_state::LEFT, 10, 20);
    states.Mark(input_state::GAMEPAD_CONNECTED);
    states.Set(input_state::CURSOR, 320, 240);
    states.Set(input_state::RIGHT_STICK, 0.5f, -0.25f);
    states.Set(input_state::LEFT_STICK, -1, 1);
    states.Set(input_state::TRIGGERS, 0.75f, 0.125f);
    states.Set(input_state::HYDRA_POSITION, 1, 2);
    states.Set(4, 3, 4);
    states.Set(input_state::HYDRA_TRIGGERS, 0.5f, 0.5f);
    states.Set(input_state::HYDRA_OTHER, 0.25f, 0.25f);
    EXPECT_EQ(Lua("InputCases.States()"), "true false true\n320 240\n0.5 -0.25\n-1 1\n0.75 0.125\n1 2 0\n3 4 0\n0.5 0.5\n0.25 0.25\n");
    states.Clear(input_state::TRIGGERS);
    EXPECT_EQ(Lua("Show(InputManager.GetJoyTrigger(1))"), "0\n");
}

TEST_F(InputLibraryTest, RefreshClearsTheOneShotButtonsAndDebugKeys) {
    for (int32_t id = 12; id <= 22; ++id) states.Mark(id);
    for (InputEvent code : {ie::KEY_I, ie::KEY_J, ie::KEY_K, ie::KEY_L}) events.Raise(code);
    states.Set(input_state::HYDRA_TRIGGERS, 1, 1);
    EXPECT_EQ(Lua("InputCases.Buttons()"), "11111111111\n");
    Lua("InputCases.Refresh()");
    // X and Y (16, 17) are not among the cleared buttons.
    EXPECT_EQ(Lua("InputCases.Buttons()"), "00001100000\n");
    EXPECT_EQ(events.PendingCount(), 0u);
    EXPECT_FALSE(states.IsActive(input_state::HYDRA_TRIGGERS));
    EXPECT_EQ(Lua("Show(InputManager.GetJoyButton(99), InputManager.GetJoyButton(1e12))"), "false false\n");
}

} // namespace
