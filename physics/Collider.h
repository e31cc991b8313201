// physics/Collider.h
#pragma once
#include <cstdint>

#include <glm/mat3x3.hpp>
#include <glm/vec3.hpp>

#include "physics/Contact.h"

namespace zumek {

class Body;
class SphereCollider;
class PlaneCollider;
class BoxCollider;

/// The shape of a body: overlap tests against the other kinds, and contact generation for the
/// solver. Every test works on the pose last given to SetPose (the physics step sets it from the
/// owner's transform before it looks for overlaps), so a pose changed by a collision receiver
/// in the middle of a step takes effect at the next step.
///
/// Overlaps use a tolerance of 0.001 world units: shapes that just touch overlap. Contacts are
/// appended to a list; "A" is the collider asked, "B" the other, and each normal points from A
/// towards B, except where a shape hands the question to the other (a plane always asks the
/// other shape, and a sphere asks a box), which then becomes A.
class Collider {
public:
    /// Shape type numbers.
    static constexpr int32_t kSphere = 0;
    static constexpr int32_t kPlane = 1;
    static constexpr int32_t kBox = 2;
    /// Distance (world units) within which shapes count as touching.
    static constexpr float kTolerance = 0.001f;

    Collider(int32_t type, Body* owner) : m_type(type), m_owner(owner) {}
    Collider(const Collider&) = delete;
    Collider& operator=(const Collider&) = delete;
    virtual ~Collider() = default;

    int32_t GetType() const { return m_type; }
    /// A ghost overlaps others but produces no contacts.
    virtual bool IsGhost() const { return false; }
    Body* GetBody() const { return m_owner; }

    /// The pose the tests use: the owner's position and rotation (columns: the body's axes).
    virtual void SetPose(const glm::vec3& centre, const glm::mat3& rotation) {
        m_centre = centre;
        (void)rotation;
    }
    const glm::vec3& Centre() const { return m_centre; }

    /// Whether the point (world space) lies in the shape, within the tolerance.
    virtual bool ContainsPoint(const glm::vec3& point) const = 0;
    /// Whether the shapes overlap; dispatches on the other's type.
    bool Intersects(const Collider& other) const;
    virtual bool IntersectsSphere(const SphereCollider& sphere) const = 0;
    virtual bool IntersectsPlane(const PlaneCollider& plane) const = 0;
    virtual bool IntersectsBox(const BoxCollider& box) const = 0;

    /// Appends the contacts of an overlapping pair to `contacts`; dispatches on the other's type.
    void GenerateContacts(const Collider& other, ContactList& contacts) const;
    virtual void ContactsWithSphere(const SphereCollider& sphere, ContactList& contacts) const = 0;
    virtual void ContactsWithPlane(const PlaneCollider& plane, ContactList& contacts) const = 0;
    virtual void ContactsWithBox(const BoxCollider& box, ContactList& contacts) const = 0;

protected:
    glm::vec3 m_centre{0.0f};

private:
    int32_t m_type;
    Body* m_owner;
};

} // namespace zumek
