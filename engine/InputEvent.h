// engine/InputEvent.h
#pragma once
#include <cstdint>
#include <optional>

namespace zumek {

/// The one-shot input event codes: raised by the window callbacks and the input system, taken by
/// the frame loop, the renderer, the camera, physics and the scripts. The numbers are part of the
/// scripts' interface (Input.PressKey names one by its character code), so they never change.
namespace input_event {
enum Code : int32_t {
    QUIT = 3,
    RESIZED = 4,
    FOCUS_GAINED = 5,
    FOCUS_LOST = 6,
    PAUSE_PHYSICS = 7,        ///< P
    STEP_FORWARD = 8,         ///< F
    STEP_BACKWARD = 9,        ///< R
    KEY_E = 10,
    PLACE_TOGGLE = 11,        ///< Escape
    LEVEL_NEXT = 15,          ///< N
    LEVEL_PREVIOUS = 16,      ///< M
    SKIP_SCREEN = 17,         ///< F5, Return, Backspace
    SPACE = 30,
    MOVE_LEFT = 31,           ///< A
    MOVE_RIGHT = 32,          ///< D
    MOVE_FORWARD = 33,        ///< W
    MOVE_BACKWARD = 34,       ///< S
    SELECT = 39,              ///< Return
    ARROW_UP = 45,            ///< also the free camera's eye up
    ARROW_DOWN = 46,
    ARROW_LEFT = 47,
    ARROW_RIGHT = 48,
    EYE_FORWARD = 49,         ///< the free camera's eye forward (no key raises it)
    EYE_BACKWARD = 50,
    CAMERA_LEFT = 51,         ///< mouse moved left (no headset)
    CAMERA_RIGHT = 52,
    MOUSE_LEFT = 53,          ///< mouse moved left, for the scripts
    MOUSE_RIGHT = 54,
    MOUSE_DOWN = 55,          ///< window y grew
    MOUSE_UP = 56,
    CAMERA_DOWN = 58,
    CAMERA_UP = 59,
    RENDER_MODE_NEXT = 61,    ///< 2
    RENDER_MODE_PREVIOUS = 62, ///< 1
    TOGGLE_DEBUG_DRAW = 63,   ///< numeric keypad 1
    TOGGLE_HUD = 64,          ///< numeric keypad 3
    TOGGLE_DEBUG = 65,        ///< numeric keypad 2
    FIRE = 66,                ///< Control
    CLICK = 67,               ///< left button released
    QUERY_PICKING = 68,
    NUMPAD_7 = 71,
    NUMPAD_4 = 72,
    KEY_I = 73,
    KEY_J = 74,
    KEY_K = 75,
    KEY_L = 76,
    TOGGLE_INSPECTOR = 77,    ///< F1
    SCREENSHOT = 78,          ///< F12
};

/// The code numbered `number`, or none when no event has that number (scripts name events by
/// number).
std::optional<Code> FromNumber(int32_t number);

/// Whether `code` is a player's action for the current place (walking, looking, the beam, menu
/// keys, the level keys, clicks), as opposed to the window's and the engine's own events (quit,
/// resize, focus, the debug and render-mode toggles, the inspector, the screenshot). The actions
/// still pending when the place changes are dropped: they were meant for the place that went.
bool IsPlayerAction(Code code);
} // namespace input_event

using InputEvent = input_event::Code;

} // namespace zumek
