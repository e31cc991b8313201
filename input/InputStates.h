// input/InputStates.h
#pragma once
#include <cstdint>
#include <memory>
#include <unordered_map>

namespace zumek {

/// Input state ids.
namespace input_state {
constexpr int32_t LEFT = 0;            ///< INPUT_LEFT: left button down, at the press position
constexpr int32_t RIGHT = 1;           ///< INPUT_RIGHT
constexpr int32_t CURSOR = 2;          ///< the cursor position
constexpr int32_t HYDRA_POSITION = 5;
constexpr int32_t HYDRA_TRIGGERS = 6;
constexpr int32_t HYDRA_OTHER = 7;
constexpr int32_t RIGHT_STICK = 8;
constexpr int32_t LEFT_STICK = 9;
constexpr int32_t TRIGGERS = 10;       ///< right trigger, left trigger
constexpr int32_t GAMEPAD_CONNECTED = 11;
constexpr int32_t R_SHOULDER = 12;
constexpr int32_t L_SHOULDER = 13;
constexpr int32_t JOYSTICK_A = 14;
constexpr int32_t JOYSTICK_B = 15;
constexpr int32_t JOYSTICK_X = 16;
constexpr int32_t JOYSTICK_Y = 17;
constexpr int32_t DPAD_LEFT = 18;
constexpr int32_t DPAD_RIGHT = 19;
constexpr int32_t DPAD_UP = 20;
constexpr int32_t DPAD_DOWN = 21;
constexpr int32_t JOYSTICK_START = 22;
} // namespace input_state

/// A pair of floats held by an input state (a position, a stick, the triggers).
struct InputValue {
    float x = 0;
    float y = 0;
};

/// One level state: active or not, with an optional value owned by the entry.
struct InputState {
    std::unique_ptr<InputValue> value;
    bool active = false;
};

/// The input level states by id. Entries are created inactive on first access, never removed.
class InputStates {
public:
    static InputStates& Instance();

    /// Stores a new value (releasing the old one) and marks the entry active.
    void Set(int32_t id, float x, float y);
    /// Releases the value and marks the entry active.
    void Mark(int32_t id);
    /// Releases the value and marks the entry inactive.
    void Clear(int32_t id);
    /// The entry, created inactive if absent.
    InputState& Get(int32_t id) { return m_states[id]; }
    bool IsActive(int32_t id) { return Get(id).active; }

private:
    InputStates() = default;
    std::unordered_map<int32_t, InputState> m_states;
};

} // namespace zumek
