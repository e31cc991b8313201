// engine/InputEvent.cpp
#include "engine/InputEvent.h"

namespace zumek::input_event {

namespace {
/// Whether the event with this code is a player's action; nothing for a number that is no code.
/// Every code is listed once (the compiler warns about one left out).
std::optional<bool> PlayerActionOf(Code code) {
    switch (code) {
    case QUIT:
    case RESIZED:
    case FOCUS_GAINED:
    case FOCUS_LOST:
    case PAUSE_PHYSICS:
    case STEP_FORWARD:
    case STEP_BACKWARD:
    case RENDER_MODE_NEXT:
    case RENDER_MODE_PREVIOUS:
    case TOGGLE_DEBUG_DRAW:
    case TOGGLE_HUD:
    case TOGGLE_DEBUG:
    case TOGGLE_INSPECTOR:
    case SCREENSHOT:
        return false;
    case KEY_E:
    case PLACE_TOGGLE:
    case LEVEL_NEXT:
    case LEVEL_PREVIOUS:
    case SKIP_SCREEN:
    case SPACE:
    case MOVE_LEFT:
    case MOVE_RIGHT:
    case MOVE_FORWARD:
    case MOVE_BACKWARD:
    case SELECT:
    case ARROW_UP:
    case ARROW_DOWN:
    case ARROW_LEFT:
    case ARROW_RIGHT:
    case EYE_FORWARD:
    case EYE_BACKWARD:
    case CAMERA_LEFT:
    case CAMERA_RIGHT:
    case MOUSE_LEFT:
    case MOUSE_RIGHT:
    case MOUSE_DOWN:
    case MOUSE_UP:
    case CAMERA_DOWN:
    case CAMERA_UP:
    case FIRE:
    case CLICK:
    case QUERY_PICKING:
    case NUMPAD_7:
    case NUMPAD_4:
    case KEY_I:
    case KEY_J:
    case KEY_K:
    case KEY_L:
        return true;
    }
    return std::nullopt;
}
} // namespace

std::optional<Code> FromNumber(int32_t number) {
    const Code code = static_cast<Code>(number);
    if (!PlayerActionOf(code).has_value()) return std::nullopt;
    return code;
}

bool IsPlayerAction(Code code) { return PlayerActionOf(code).value_or(true); }

} // namespace zumek::input_event
