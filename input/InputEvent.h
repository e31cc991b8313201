// input/InputEvent.h
#pragma once
#include <cstdint>

namespace zumek {

/// The one-shot input event codes.
using InputEvent = int32_t;

namespace input_event {
constexpr InputEvent QUIT = 3;
constexpr InputEvent RESIZED = 4;
constexpr InputEvent FOCUS_GAINED = 5;
constexpr InputEvent FOCUS_LOST = 6;
constexpr InputEvent PAUSE_PHYSICS = 7;     ///< P
constexpr InputEvent STEP_FORWARD = 8;      ///< F
constexpr InputEvent STEP_BACKWARD = 9;     ///< R
constexpr InputEvent KEY_E = 10;
constexpr InputEvent PLACE_TOGGLE = 11;     ///< Escape
constexpr InputEvent LEVEL_NEXT = 15;       ///< N
constexpr InputEvent LEVEL_PREVIOUS = 16;   ///< M
constexpr InputEvent SKIP_SCREEN = 17;      ///< F5
constexpr InputEvent SPACE = 30;
constexpr InputEvent MOVE_LEFT = 31;        ///< A
constexpr InputEvent MOVE_RIGHT = 32;       ///< D
constexpr InputEvent MOVE_FORWARD = 33;     ///< W
constexpr InputEvent MOVE_BACKWARD = 34;    ///< S
constexpr InputEvent SELECT = 39;           ///< Return
constexpr InputEvent ARROW_UP = 45;
constexpr InputEvent ARROW_DOWN = 46;
constexpr InputEvent ARROW_LEFT = 47;
constexpr InputEvent ARROW_RIGHT = 48;
constexpr InputEvent CAMERA_LEFT = 51;      ///< mouse moved left (no headset)
constexpr InputEvent CAMERA_RIGHT = 52;
constexpr InputEvent MOUSE_LEFT = 53;       ///< mouse moved left, for the scripts
constexpr InputEvent MOUSE_RIGHT = 54;
constexpr InputEvent MOUSE_DOWN = 55;       ///< window y grew
constexpr InputEvent MOUSE_UP = 56;
constexpr InputEvent CAMERA_DOWN = 58;
constexpr InputEvent CAMERA_UP = 59;
constexpr InputEvent RENDER_MODE_NEXT = 61; ///< 2
constexpr InputEvent RENDER_MODE_PREVIOUS = 62; ///< 1
constexpr InputEvent TOGGLE_DEBUG_DRAW = 63; ///< numeric keypad 1
constexpr InputEvent TOGGLE_HUD = 64;       ///< numeric keypad 3
constexpr InputEvent TOGGLE_DEBUG = 65;     ///< numeric keypad 2
constexpr InputEvent FIRE = 66;             ///< Control
constexpr InputEvent CLICK = 67;            ///< left button released
constexpr InputEvent QUERY_PICKING = 68;
constexpr InputEvent NUMPAD_4 = 72;
constexpr InputEvent NUMPAD_7 = 71;
constexpr InputEvent KEY_I = 73;
constexpr InputEvent KEY_J = 74;
constexpr InputEvent KEY_K = 75;
constexpr InputEvent KEY_L = 76;
constexpr InputEvent TOGGLE_INSPECTOR = 77; ///< F1
constexpr InputEvent SCREENSHOT = 78;       ///< F12
} // namespace input_event

} // namespace zumek
