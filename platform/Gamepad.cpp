// platform/Gamepad.cpp
#include "platform/Gamepad.h"

#include <SDL.h>

#include <cstring>

#include "platform/SdlVideo.h"

namespace zumek {
namespace {

int16_t NegateAxis(int16_t v) {
    // SDL's y axes point down; the block's point up. -(-32768) does not fit: clamp to 32767.
    return v == INT16_MIN ? INT16_MAX : static_cast<int16_t>(-v);
}

uint8_t TriggerByte(int16_t v) {
    if (v <= 0) return 0;
    return static_cast<uint8_t>((static_cast<int32_t>(v) * 255 + 16383) / 32767);
}

} // namespace

SdlGamepadSource::SdlGamepadSource() { m_started = SdlGameControllers::Acquire(); }

SdlGamepadSource::~SdlGamepadSource() {
    if (m_controller) SDL_GameControllerClose(m_controller);
    if (m_started) SdlGameControllers::Release();
}

bool SdlGamepadSource::Open() {
    if (!m_started) return false;
    if (m_controller && SDL_GameControllerGetAttached(m_controller)) return true;
    if (m_controller) {
        SDL_GameControllerClose(m_controller);
        m_controller = nullptr;
    }
    SDL_GameControllerUpdate();
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (!SDL_IsGameController(i)) continue;
        m_controller = SDL_GameControllerOpen(i);
        if (m_controller) return true;
    }
    return false;
}

bool SdlGamepadSource::GetState(int index, GamepadReading& reading) {
    if (index != 0 || !Open()) return false;
    SDL_GameControllerUpdate();
    GamepadBlock block;
    struct Map { SDL_GameControllerButton button; uint16_t bit; };
    static const Map buttons[] = {
        {SDL_CONTROLLER_BUTTON_DPAD_UP, GAMEPAD_DPAD_UP},       {SDL_CONTROLLER_BUTTON_DPAD_DOWN, GAMEPAD_DPAD_DOWN},
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, GAMEPAD_DPAD_LEFT},   {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, GAMEPAD_DPAD_RIGHT},
        {SDL_CONTROLLER_BUTTON_START, GAMEPAD_START},           {SDL_CONTROLLER_BUTTON_BACK, GAMEPAD_BACK},
        {SDL_CONTROLLER_BUTTON_LEFTSTICK, GAMEPAD_LEFT_THUMB},  {SDL_CONTROLLER_BUTTON_RIGHTSTICK, GAMEPAD_RIGHT_THUMB},
        {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, GAMEPAD_LEFT_SHOULDER},
        {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, GAMEPAD_RIGHT_SHOULDER},
        {SDL_CONTROLLER_BUTTON_A, GAMEPAD_A}, {SDL_CONTROLLER_BUTTON_B, GAMEPAD_B},
        {SDL_CONTROLLER_BUTTON_X, GAMEPAD_X}, {SDL_CONTROLLER_BUTTON_Y, GAMEPAD_Y},
    };
    for (const auto& b : buttons)
        if (SDL_GameControllerGetButton(m_controller, b.button)) block.buttons |= b.bit;
    block.leftTrigger = TriggerByte(SDL_GameControllerGetAxis(m_controller, SDL_CONTROLLER_AXIS_TRIGGERLEFT));
    block.rightTrigger = TriggerByte(SDL_GameControllerGetAxis(m_controller, SDL_CONTROLLER_AXIS_TRIGGERRIGHT));
    block.thumbLX = SDL_GameControllerGetAxis(m_controller, SDL_CONTROLLER_AXIS_LEFTX);
    block.thumbLY = NegateAxis(SDL_GameControllerGetAxis(m_controller, SDL_CONTROLLER_AXIS_LEFTY));
    block.thumbRX = SDL_GameControllerGetAxis(m_controller, SDL_CONTROLLER_AXIS_RIGHTX);
    block.thumbRY = NegateAxis(SDL_GameControllerGetAxis(m_controller, SDL_CONTROLLER_AXIS_RIGHTY));
    if (std::memcmp(&block, &m_last, sizeof block) != 0) ++m_packet;
    m_last = block;
    reading.packetNumber = m_packet;
    reading.gamepad = block;
    return true;
}

} // namespace zumek
