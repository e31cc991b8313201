// physics/PlaneCollider.h
#pragma once
#include <glm/vec3.hpp>

#include "physics/Collider.h"

namespace zumek {

/// An infinite plane through its body's position.
class PlaneCollider final : public Collider {
public:
    explicit PlaneCollider(Body* owner) : Collider(kPlane, owner) {}
    const glm::vec3& Normal() const { return m_normal; }

private:
    glm::vec3 m_normal{0.0f, 1.0f, 0.0f}; ///< unit
};

} // namespace zumek
