// input/HeldKeys.cpp
#include "input/HeldKeys.h"

#include "input/InputEvents.h"

namespace zumek {

HeldKeys& HeldKeys::Instance() {
    static HeldKeys* instance = new HeldKeys();
    return *instance;
}

bool HeldKeys::Lasts(InputEvent event) {
    switch (event) {
    case input_event::MOVE_LEFT:
    case input_event::MOVE_RIGHT:
    case input_event::MOVE_FORWARD:
    case input_event::MOVE_BACKWARD:
    case input_event::ARROW_UP:
    case input_event::ARROW_DOWN:
    case input_event::ARROW_LEFT:
    case input_event::ARROW_RIGHT:
        return true;
    default:
        return false;
    }
}

void HeldKeys::Press(uint32_t key, InputEvent event) {
    m_held[key] = event;
    m_pressed[key] = event;
}

void HeldKeys::Release(uint32_t key) { m_held.erase(key); }

void HeldKeys::ReleaseAll() {
    m_held.clear();
    m_pressed.clear();
}

void HeldKeys::RaiseHeld(InputEvents& events) {
    for (const auto& [key, event] : m_held) events.Raise(event);
    for (const auto& [key, event] : m_pressed) events.Raise(event);
    m_pressed.clear();
}

} // namespace zumek
