// physics/GameLogicSystem.h
#pragma once
#include <cstdint>
#include <vector>

#include "engine/SignalHandler.h"
#include "engine/Signals.h"
#include "engine/System.h"

namespace zumek {

/// The place for game rules written in C++: a per-frame system that also hears every collision.
/// The game's rules live in its scripts and in the engine's tag rules ("player", "ball",
/// "button", ghost boxes), so both operations do nothing; removing the system changes nothing.
class GameLogicSystem final : public System, public SignalHandler<CollisionSignal> {
public:
    /// Connects to the CollisionSignal channel.
    GameLogicSystem();

    void Update(float dt, std::vector<Object*>& objects) override;
    void Shutdown() override {}
    void Handle(CollisionSignal signal) override;

private:
    int32_t m_state = 0; ///< reserved for native rules
};

} // namespace zumek
