// physics/SphereCollider.h
#pragma once
#include "physics/Collider.h"

namespace zumek {

/// A sphere centred on its body's position; the radius is half the body's x extent.
class SphereCollider final : public Collider {
public:
    SphereCollider(Body* owner, float radius) : Collider(kSphere, owner), m_radius(radius) {}
    float Radius() const { return m_radius; }

    /// |p − c|² − r² < tolerance.
    bool ContainsPoint(const glm::vec3& point) const override;
    /// |cB − cA|² − (rA + rB)² < tolerance.
    bool IntersectsSphere(const SphereCollider& other) const override;
    /// Two-sided: |n·c − n·p₀| − r < tolerance.
    bool IntersectsPlane(const PlaneCollider& plane) const override;
    /// The box answers.
    bool IntersectsBox(const BoxCollider& box) const override;

    /// One contact on this sphere's surface along the line of centres; concentric spheres are
    /// pushed apart along +y.
    void ContactsWithSphere(const SphereCollider& other, ContactList& contacts) const override;
    /// One contact at the sphere's lowest point relative to the plane; the normal is −n.
    void ContactsWithPlane(const PlaneCollider& plane, ContactList& contacts) const override;
    /// The box answers (the box is A).
    void ContactsWithBox(const BoxCollider& box, ContactList& contacts) const override;

private:
    float m_radius; ///< world units: half the body's x extent
};

} // namespace zumek
