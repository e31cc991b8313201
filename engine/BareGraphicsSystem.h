// engine/BareGraphicsSystem.h
#pragma once
#include "engine/System.h"

namespace zumek {

/// Holds the graphics engine's place in the systems list while no renderer is built in: it
/// draws nothing, and at the end of each frame turns a quit request (engine state 3, the window
/// was closed) into the stop (state 2), as the renderer does after presenting its frame.
class BareGraphicsSystem final : public System {
public:
    BareGraphicsSystem() : System(GRAPHICS_SYSTEM_ID) {}
    void Update(float dt, std::vector<Object*>& objects) override;
    void Shutdown() override {}
};

} // namespace zumek
