// physics/BoxCollider.h
#pragma once
#include <array>

#include <glm/mat3x3.hpp>
#include <glm/vec3.hpp>

#include "physics/Collider.h"

namespace zumek {

/// An oriented box centred on its body's position, turned by the body's orientation. A ghost box
/// overlaps like any box but produces no contacts (the physics step never asks it for any).
class BoxCollider final : public Collider {
public:
    BoxCollider(Body* owner, const glm::vec3& halfExtents, bool ghost)
        : Collider(kBox, owner), m_halfExtents(halfExtents), m_ghost(ghost) {
        SetPose(glm::vec3(0.0f), glm::mat3(1.0f));
    }
    bool IsGhost() const override { return m_ghost; }
    const glm::vec3& HalfExtents() const { return m_halfExtents; }

    /// Also recomputes the 8 world-space corners.
    void SetPose(const glm::vec3& centre, const glm::mat3& rotation) override;
    /// The box's axes in world space (columns), from the last pose.
    const glm::mat3& Axes() const { return m_axes; }
    /// Corner k sits at centre + Σᵢ ±halfᵢ·axisᵢ, the sign of axis i being + when bit i of k is set.
    const glm::vec3& Corner(int k) const { return m_corners[k]; }
    const std::array<glm::vec3, 8>& Corners() const { return m_corners; }
    /// Corner indices of the 12 edges; edge e runs from kEdges[e][0] to kEdges[e][1].
    static const int kEdges[12][2];

    /// In the box's frame, l = Rᵀ(p − centre): |lᵢ| < halfᵢ + tolerance on every axis.
    bool ContainsPoint(const glm::vec3& point) const override;
    /// The sphere centre lies in the box grown by the radius on each axis (a rounded-corner-free
    /// test: the grown box, not the exact rounded shape), within the tolerance.
    bool IntersectsSphere(const SphereCollider& sphere) const override;
    /// Two-sided, with the box's projected radius on the plane normal.
    bool IntersectsPlane(const PlaneCollider& plane) const override;
    /// Separating axes: both boxes' 3 axes and the 9 cross products of an axis of each.
    bool IntersectsBox(const BoxCollider& other) const override;

    /// At most one contact, at the box surface point nearest the sphere centre; a centre inside
    /// the box is pushed out through the face it is least deep behind.
    void ContactsWithSphere(const SphereCollider& sphere, ContactList& contacts) const override;
    /// One contact per corner on or behind the plane; normal −n.
    void ContactsWithPlane(const PlaneCollider& plane, ContactList& contacts) const override;
    /// Corners of either box inside the other, then pairs of nearly touching crossed edges.
    void ContactsWithBox(const BoxCollider& other, ContactList& contacts) const override;

private:
    glm::vec3 m_halfExtents; ///< world units: half the body's extents
    bool m_ghost;
    glm::mat3 m_axes{1.0f};
    std::array<glm::vec3, 8> m_corners{};
};

} // namespace zumek
