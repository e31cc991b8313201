// physics/PlaneCollider.cpp
#include "physics/PlaneCollider.h"

#include <glm/geometric.hpp>

#include "physics/BoxCollider.h"
#include "physics/SphereCollider.h"

namespace zumek {

bool PlaneCollider::ContainsPoint(const glm::vec3& point) const {
    return glm::dot(m_normal, point) - glm::dot(m_normal, m_centre) < kTolerance;
}

bool PlaneCollider::IntersectsSphere(const SphereCollider& sphere) const { return sphere.IntersectsPlane(*this); }

bool PlaneCollider::IntersectsBox(const BoxCollider& box) const { return box.IntersectsPlane(*this); }

void PlaneCollider::ContactsWithSphere(const SphereCollider& sphere, ContactList& contacts) const {
    sphere.ContactsWithPlane(*this, contacts);
}

void PlaneCollider::ContactsWithBox(const BoxCollider& box, ContactList& contacts) const {
    box.ContactsWithPlane(*this, contacts);
}

} // namespace zumek
