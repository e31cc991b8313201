// scripting/libraries/InputLibrary.cpp
// Input: one-shot actions. Each query consumes the pending event of its action; PressKey only
// looks.
#include "engine/InputEvent.h"
#include "input/InputEvents.h"
#include "scripting/ScriptArguments.h"
#include "scripting/libraries/EngineLibraries.h"

namespace zumek {
namespace {

/// A query function for one action: true (and the event taken) when it is pending.
template <InputEvent kAction>
int Take(lua_State* L) {
    lua_pushboolean(L, InputEvents::Instance().Take(kAction));
    return 1;
}

/// PressKey(text): whether the action numbered by the text's first character is pending.
int PressKey(lua_State* L) {
    std::string text = script::String(L, 1);
    const auto code = text.empty() ? std::nullopt : input_event::FromNumber(static_cast<unsigned char>(text[0]));
    bool pending = code && InputEvents::Instance().Test(*code);
    lua_pushboolean(L, pending);
    return 1;
}

constexpr luaL_Reg kFunctions[] = {
    {"MoveLeft", Take<input_event::MOVE_LEFT>},
    {"MoveRight", Take<input_event::MOVE_RIGHT>},
    {"MoveForward", Take<input_event::MOVE_FORWARD>},
    {"MoveBackward", Take<input_event::MOVE_BACKWARD>},
    {"MouseMoveLeft", Take<input_event::MOUSE_LEFT>},
    {"MouseMoveRight", Take<input_event::MOUSE_RIGHT>},
    {"MouseMoveUp", Take<input_event::MOUSE_DOWN>},   // 55: the window y grew
    {"MouseMoveDown", Take<input_event::MOUSE_UP>},   // 56
    {"KeyFire", Take<input_event::FIRE>},
    {"MouseClick", Take<input_event::CLICK>},
    {"SkipScreen", Take<input_event::SKIP_SCREEN>},
    {"LevelNext", Take<input_event::LEVEL_NEXT>},
    {"LevelPrevious", Take<input_event::LEVEL_PREVIOUS>},
    {"Select", Take<input_event::SELECT>},
    {"PlaceToggle", Take<input_event::PLACE_TOGGLE>},
    {"PressKey", PressKey},
    // The arrow keys (and the gamepad's right stick): a script that takes them, as a menu does,
    // keeps them from turning the camera in the same frame.
    {"ArrowUp", Take<input_event::ARROW_UP>},
    {"ArrowDown", Take<input_event::ARROW_DOWN>},
    {"ArrowLeft", Take<input_event::ARROW_LEFT>},
    {"ArrowRight", Take<input_event::ARROW_RIGHT>},
    {nullptr, nullptr},
};

} // namespace

int OpenInputLibrary(lua_State* L) {
    luaL_newlib(L, kFunctions);
    return 1;
}

} // namespace zumek
