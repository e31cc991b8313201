// physics/SphereCollider.h
#pragma once
#include "physics/Collider.h"

namespace zumek {

/// A sphere centred on its body's position.
class SphereCollider final : public Collider {
public:
    SphereCollider(Body* owner, float radius) : Collider(kSphere, owner), m_radius(radius) {}
    float Radius() const { return m_radius; }

private:
    float m_radius; ///< world units: half the body's x extent
};

} // namespace zumek
