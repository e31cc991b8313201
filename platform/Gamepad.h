// platform/Gamepad.h
#pragma once
#include <cstdint>

struct _SDL_GameController;

namespace zumek {

// Button mask bits of the gamepad block.
constexpr uint16_t GAMEPAD_DPAD_UP = 0x0001;
constexpr uint16_t GAMEPAD_DPAD_DOWN = 0x0002;
constexpr uint16_t GAMEPAD_DPAD_LEFT = 0x0004;
constexpr uint16_t GAMEPAD_DPAD_RIGHT = 0x0008;
constexpr uint16_t GAMEPAD_START = 0x0010;
constexpr uint16_t GAMEPAD_BACK = 0x0020;
constexpr uint16_t GAMEPAD_LEFT_THUMB = 0x0040;
constexpr uint16_t GAMEPAD_RIGHT_THUMB = 0x0080;
constexpr uint16_t GAMEPAD_LEFT_SHOULDER = 0x0100;
constexpr uint16_t GAMEPAD_RIGHT_SHOULDER = 0x0200;
constexpr uint16_t GAMEPAD_A = 0x1000;
constexpr uint16_t GAMEPAD_B = 0x2000;
constexpr uint16_t GAMEPAD_X = 0x4000;
constexpr uint16_t GAMEPAD_Y = 0x8000;

/// The raw state of a gamepad: buttons as a mask, triggers 0..255, sticks as signed 16-bit with y up.
struct GamepadBlock {
    uint16_t buttons = 0;
    uint8_t leftTrigger = 0;
    uint8_t rightTrigger = 0;
    int16_t thumbLX = 0;
    int16_t thumbLY = 0;
    int16_t thumbRX = 0;
    int16_t thumbRY = 0;
};

struct GamepadReading {
    uint32_t packetNumber = 0; ///< changes whenever the state changed
    GamepadBlock gamepad;
};

/// Where gamepad states come from; tests put in their own.
class GamepadSource {
public:
    virtual ~GamepadSource() = default;
    /// Reads controller `index`; false when it is not connected.
    virtual bool GetState(int index, GamepadReading& reading) = 0;
};

/// The first SDL game controller as controller 0 (other indices are never connected).
class SdlGamepadSource final : public GamepadSource {
public:
    SdlGamepadSource();
    ~SdlGamepadSource() override;
    bool GetState(int index, GamepadReading& reading) override;

private:
    bool Open();

    _SDL_GameController* m_controller = nullptr;
    bool m_started = false;
    uint32_t m_packet = 0;
    GamepadBlock m_last;
};

} // namespace zumek
