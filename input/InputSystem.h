// input/InputSystem.h
#pragma once
#include <memory>

#include "engine/SignalHandler.h"
#include "engine/Signals.h"
#include "engine/System.h"
#include "platform/Gamepad.h"

namespace zumek {

/// The gamepad record: the raw state of controller 0 and its normalised sticks and triggers.
struct Gamepad {
    int32_t index = 0;     ///< 0 when controller 0 answered at the last read, -1 otherwise
    GamepadReading state;  ///< the raw state
    float leftX = 0, leftY = 0, rightX = 0, rightY = 0; ///< in [-1, 1], y up
    float leftTrigger = 0, rightTrigger = 0;            ///< in [0, 1]
};

/// Each frame, first raises the events of the held walk and arrow keys (HeldKeys), then polls
/// the first gamepad and writes its buttons, sticks and triggers into the input states, and its
/// right stick as arrow events.
class InputSystem final : public System, public SignalHandler<PlaceId> {
public:
    static constexpr float kDeadZone = 0.2f; ///< per axis, of the full deflection

    /// A system reading `source` (not owned); the default reads the first SDL game controller.
    explicit InputSystem(GamepadSource* source = nullptr);
    ~InputSystem() override;

    void Update(float dt, std::vector<Object*>& objects) override;
    void Shutdown() override {}
    void Handle(PlaceId place) override { m_place = place; }

    /// Reads from `source` from now on (not owned; null restores the default).
    void SetSource(GamepadSource* source);

    bool IsConnected() const { return m_connected; }
    const Gamepad& GetGamepad() const { return m_gamepad; }

    /// A raw stick axis in [-1, 1] with the dead zone cut out and the rest stretched back.
    static float NormaliseAxis(int16_t raw);
    /// A raw trigger byte in [0, 1].
    static float NormaliseTrigger(uint8_t raw) { return static_cast<float>(raw) / 255.0f; }

private:
    void Poll();

    std::unique_ptr<GamepadSource> m_ownSource;
    GamepadSource* m_source = nullptr;
    bool m_connected = false;
    Gamepad m_gamepad;
    PlaceId m_place = PLACE_DEFAULT;
};

} // namespace zumek
