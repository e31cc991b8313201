// scripting/libraries/InputManagerLibrary.cpp
// InputManager: the level states of the mouse and the gamepad, and the INPUT_* button globals.
#include "input/InputEvents.h"
#include "input/InputStates.h"
#include "scripting/ScriptArguments.h"
#include "scripting/libraries/EngineLibraries.h"

namespace zumek {
namespace {

namespace state = input_state;

int PushActive(lua_State* L, int32_t id) {
    lua_pushboolean(L, InputStates::Instance().IsActive(id));
    return 1;
}

/// The value pair of state `id` when it is active and has one, else zeros.
InputValue ValueOf(int32_t id) {
    InputState& entry = InputStates::Instance().Get(id);
    return entry.active && entry.value ? *entry.value : InputValue{};
}

int PushPair(lua_State* L, int32_t id) {
    InputValue value = ValueOf(id);
    lua_pushnumber(L, value.x);
    lua_pushnumber(L, value.y);
    return 2;
}

/// A state id from a script; ids beyond 32 bits name no state.
int32_t StateId(lua_State* L, int index) {
    long long id = script::Integer(L, index);
    return id >= INT32_MIN && id <= INT32_MAX ? static_cast<int32_t>(id) : -1;
}

int MouseLeft(lua_State* L) { return PushActive(L, state::LEFT); }
int MouseRight(lua_State* L) { return PushActive(L, state::RIGHT); }
int IsJoyConnected(lua_State* L) { return PushActive(L, state::GAMEPAD_CONNECTED); }
int GetJoyButton(lua_State* L) { return PushActive(L, StateId(L, 1)); }
int GetMousePosition(lua_State* L) { return PushPair(L, state::CURSOR); }

/// GetJoyPad(1): the right stick; any other number: the left stick.
int GetJoyPad(lua_State* L) { return PushPair(L, script::Integer(L, 1) == 1 ? state::RIGHT_STICK : state::LEFT_STICK); }

/// GetJoyTrigger(1): the right trigger; any other number: the left one. 0 while disconnected.
int GetJoyTrigger(lua_State* L) {
    InputValue triggers = ValueOf(state::TRIGGERS);
    lua_pushnumber(L, script::Integer(L, 1) == 1 ? triggers.x : triggers.y);
    return 1;
}

/// GetHydraPosition(1) reads state 5, any other number state 4: x, y, 0 (no motion controller
/// driver writes them, so these are zeros unless a tool sets them).
int GetHydraPosition(lua_State* L) {
    InputValue value = ValueOf(script::Integer(L, 1) == 1 ? state::HYDRA_POSITION : 4);
    return script::PushVector(L, glm::vec3(value.x, value.y, 0.0f));
}

/// GetHydraTriggers(1) reads state 6, any other number state 7: the two trigger values.
int GetHydraTriggers(lua_State* L) { return PushPair(L, script::Integer(L, 1) == 1 ? state::HYDRA_TRIGGERS : state::HYDRA_OTHER); }

/// Clears the one-shot button states and the debug key events the scripts have seen.
int Refresh(lua_State*) {
    InputStates& states = InputStates::Instance();
    for (int32_t id : {state::HYDRA_OTHER, state::HYDRA_TRIGGERS, state::R_SHOULDER, state::L_SHOULDER, state::JOYSTICK_A,
                       state::JOYSTICK_B, state::DPAD_LEFT, state::DPAD_RIGHT, state::DPAD_DOWN, state::DPAD_UP})
        states.Clear(id);
    InputEvents& events = InputEvents::Instance();
    for (InputEvent code : {input_event::KEY_J, input_event::KEY_K, input_event::KEY_L, input_event::KEY_I}) events.Take(code);
    states.Clear(state::JOYSTICK_START);
    return 0;
}

constexpr luaL_Reg kFunctions[] = {
    {"MouseLeft", MouseLeft},
    {"MouseRight", MouseRight},
    {"IsJoyConnected", IsJoyConnected},
    {"GetJoyButton", GetJoyButton},
    {"GetMousePosition", GetMousePosition},
    {"GetJoyPad", GetJoyPad},
    {"GetJoyTrigger", GetJoyTrigger},
    {"GetHydraPosition", GetHydraPosition},
    {"GetHydraTriggers", GetHydraTriggers},
    {"Refresh", Refresh},
    {nullptr, nullptr},
};

struct ButtonGlobal {
    const char* name;
    int32_t id;
};

constexpr ButtonGlobal kButtons[] = {
    {"INPUT_LEFT", state::LEFT},
    {"INPUT_RIGHT", state::RIGHT},
    {"INPUT_R_SHOULDER", state::R_SHOULDER},
    {"INPUT_L_SHOULDER", state::L_SHOULDER},
    {"INPUT_JOYSTICK_A", state::JOYSTICK_A},
    {"INPUT_JOYSTICK_B", state::JOYSTICK_B},
    {"INPUT_JOYSTICK_X", state::JOYSTICK_X},
    {"INPUT_JOYSTICK_Y", state::JOYSTICK_Y},
    {"INPUT_DPAD_LEFT", state::DPAD_LEFT},
    {"INPUT_DPAD_RIGHT", state::DPAD_RIGHT},
    {"INPUT_DPAD_UP", state::DPAD_UP},
    {"INPUT_DPAD_DOWN", state::DPAD_DOWN},
    {"INPUT_JOYSTICK_START", state::JOYSTICK_START},
};

} // namespace

int OpenInputManagerLibrary(lua_State* L) {
    luaL_newlib(L, kFunctions);
    for (const ButtonGlobal& button : kButtons) {
        lua_pushnumber(L, button.id);
        lua_setglobal(L, button.name);
    }
    return 1;
}

} // namespace zumek
