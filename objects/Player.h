// objects/Player.h
#pragma once
#include <optional>

#include <glm/vec3.hpp>

#include "objects/Component.h"

namespace zumek {

/// Marks the player object (archetype "player") and remembers where it respawns.
class Player final : public Component {
public:
    /// Records the owner's position as built from its archetype and level entry. An owner
    /// without a transform is reported and gets no respawn position.
    void Initialize() override;
    void Respawn() override {}

    /// The position recorded by Initialize, or null before it / without a transform.
    const glm::vec3* GetRespawnPosition() const { return m_respawnPosition ? &*m_respawnPosition : nullptr; }

private:
    std::optional<glm::vec3> m_respawnPosition;
};

} // namespace zumek
