// input/InputSystem.cpp
#include "input/InputSystem.h"

#include <cmath>

#include "engine/SignalManager.h"
#include "input/HeldKeys.h"
#include "input/InputEvents.h"
#include "input/InputStates.h"

namespace zumek {

InputSystem::InputSystem(GamepadSource* source) : System(INPUT_SYSTEM_ID) {
    SetSource(source);
    SignalManager::Connect<PlaceId>(this);
}

InputSystem::~InputSystem() = default;

void InputSystem::SetSource(GamepadSource* source) {
    if (source) {
        m_source = source;
        return;
    }
    if (!m_ownSource) m_ownSource = std::make_unique<SdlGamepadSource>();
    m_source = m_ownSource.get();
}

float InputSystem::NormaliseAxis(int16_t raw) {
    float n = std::fmax(-1.0f, static_cast<float>(raw) / 32767.0f);
    if (std::fabs(n) < kDeadZone) return 0.0f;
    float sign = n < 0 ? -1.0f : 1.0f;
    return sign * (std::fabs(n) - kDeadZone) * 1.25f;
}

void InputSystem::Poll() {
    if (m_gamepad.index == -1) {
        GamepadReading probe;
        if (!m_source->GetState(0, probe)) return;
        m_gamepad.index = 0;
    }
    m_gamepad.state = GamepadReading{};
    if (!m_source->GetState(m_gamepad.index, m_gamepad.state)) {
        m_gamepad.index = -1;
        return;
    }
    const GamepadBlock& pad = m_gamepad.state.gamepad;
    m_gamepad.leftX = NormaliseAxis(pad.thumbLX);
    m_gamepad.leftY = NormaliseAxis(pad.thumbLY);
    m_gamepad.rightX = NormaliseAxis(pad.thumbRX);
    m_gamepad.rightY = NormaliseAxis(pad.thumbRY);
    m_gamepad.leftTrigger = NormaliseTrigger(pad.leftTrigger);
    m_gamepad.rightTrigger = NormaliseTrigger(pad.rightTrigger);
}

void InputSystem::Update(float, std::vector<Object*>&) {
    // Held walk and arrow keys count in every frame they are down, before the scripts look.
    HeldKeys::Instance().RaiseHeld(InputEvents::Instance());
    Poll();
    GamepadReading reading;
    bool ok = m_source->GetState(0, reading);
    m_gamepad.index = ok ? 0 : -1;
    InputStates& states = InputStates::Instance();
    if (!ok) {
        m_connected = false;
        states.Clear(input_state::GAMEPAD_CONNECTED);
        return;
    }
    m_connected = true;
    if (m_place != PLACE_DEFAULT) return;

    const uint16_t buttons = m_gamepad.state.gamepad.buttons;
    struct ButtonState { uint16_t mask; int32_t id; };
    static const ButtonState order[] = {
        {GAMEPAD_A, input_state::JOYSTICK_A},           {GAMEPAD_B, input_state::JOYSTICK_B},
        {GAMEPAD_X, input_state::JOYSTICK_X},           {GAMEPAD_Y, input_state::JOYSTICK_Y},
        {GAMEPAD_DPAD_LEFT, input_state::DPAD_LEFT},    {GAMEPAD_DPAD_RIGHT, input_state::DPAD_RIGHT},
        {GAMEPAD_DPAD_UP, input_state::DPAD_UP},        {GAMEPAD_DPAD_DOWN, input_state::DPAD_DOWN},
        {GAMEPAD_START, input_state::JOYSTICK_START},
    };
    for (const auto& b : order)
        if (buttons & b.mask) states.Mark(b.id);

    InputEvents& events = InputEvents::Instance();
    if (m_gamepad.rightX > 0) events.Raise(input_event::ARROW_RIGHT);
    if (m_gamepad.rightX < 0) events.Raise(input_event::ARROW_LEFT);
    if (m_gamepad.rightY > 0) events.Raise(input_event::ARROW_UP);
    if (m_gamepad.rightY < 0) events.Raise(input_event::ARROW_DOWN);

    states.Set(input_state::RIGHT_STICK, m_gamepad.rightX, m_gamepad.rightY);
    states.Set(input_state::LEFT_STICK, m_gamepad.leftX, m_gamepad.leftY);
    states.Set(input_state::TRIGGERS, m_gamepad.rightTrigger, m_gamepad.leftTrigger);
    states.Mark(input_state::GAMEPAD_CONNECTED);
    if (buttons & GAMEPAD_RIGHT_SHOULDER) states.Mark(input_state::R_SHOULDER);
    if (buttons & GAMEPAD_LEFT_SHOULDER) states.Mark(input_state::L_SHOULDER);
}

} // namespace zumek
