// input/InputStates.cpp
#include "input/InputStates.h"

namespace zumek {

InputStates& InputStates::Instance() {
    static InputStates* instance = new InputStates();
    return *instance;
}

void InputStates::Set(int32_t id, float x, float y) {
    InputState& state = m_states[id];
    state.value = std::make_unique<InputValue>(InputValue{x, y});
    state.active = true;
}

void InputStates::Mark(int32_t id) {
    InputState& state = m_states[id];
    state.value.reset();
    state.active = true;
}

void InputStates::Clear(int32_t id) {
    InputState& state = m_states[id];
    state.value.reset();
    state.active = false;
}

} // namespace zumek
