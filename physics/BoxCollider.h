// physics/BoxCollider.h
#pragma once
#include <glm/vec3.hpp>

#include "physics/Collider.h"

namespace zumek {

/// An oriented box centred on its body's position, turned by the body's orientation.
class BoxCollider final : public Collider {
public:
    BoxCollider(Body* owner, const glm::vec3& halfExtents, bool ghost)
        : Collider(kBox, owner), m_halfExtents(halfExtents), m_ghost(ghost) {}
    bool IsGhost() const override { return m_ghost; }
    const glm::vec3& HalfExtents() const { return m_halfExtents; }

private:
    glm::vec3 m_halfExtents; ///< world units: half the body's extents
    bool m_ghost;
};

} // namespace zumek
