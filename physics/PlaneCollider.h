// physics/PlaneCollider.h
#pragma once
#include <glm/vec3.hpp>

#include "physics/Collider.h"

namespace zumek {

/// An infinite plane through its body's position. Its normal is +y and does not turn with the
/// body; the side the normal points to is outside.
class PlaneCollider final : public Collider {
public:
    explicit PlaneCollider(Body* owner) : Collider(kPlane, owner) {}
    const glm::vec3& Normal() const { return m_normal; }

    /// The point is on or behind the plane: n·p − n·p₀ < tolerance.
    bool ContainsPoint(const glm::vec3& point) const override;
    /// The sphere answers.
    bool IntersectsSphere(const SphereCollider& sphere) const override;
    /// Two planes never overlap.
    bool IntersectsPlane(const PlaneCollider&) const override { return false; }
    /// The box answers.
    bool IntersectsBox(const BoxCollider& box) const override;

    /// The other shape answers, and becomes A.
    void ContactsWithSphere(const SphereCollider& sphere, ContactList& contacts) const override;
    void ContactsWithPlane(const PlaneCollider&, ContactList&) const override {}
    void ContactsWithBox(const BoxCollider& box, ContactList& contacts) const override;

private:
    glm::vec3 m_normal{0.0f, 1.0f, 0.0f}; ///< unit
};

} // namespace zumek
