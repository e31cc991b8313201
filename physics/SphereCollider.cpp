// physics/SphereCollider.cpp
//
// Sphere tests, with c the centre, r the radius and n, p₀ a plane's normal and point:
//   sphere–sphere  d = cB − cA, overlap when |d|² − (rA + rB)² < tol;
//                  contact at cA + rA·d̂, normal d̂, penetration (rA + rB) − |d|.
//   sphere–plane   overlap when |n·c − n·p₀| − r < tol (either side of the plane);
//                  contact at c − r·n, normal −n, penetration r − |n·(c − p₀)|.
#include "physics/SphereCollider.h"

#include <cmath>

#include <glm/geometric.hpp>

#include "physics/BoxCollider.h"
#include "physics/PlaneCollider.h"

namespace zumek {

bool SphereCollider::ContainsPoint(const glm::vec3& point) const {
    glm::vec3 d = point - m_centre;
    return glm::dot(d, d) - m_radius * m_radius < kTolerance;
}

bool SphereCollider::IntersectsSphere(const SphereCollider& other) const {
    glm::vec3 d = other.m_centre - m_centre;
    float reach = m_radius + other.m_radius;
    return glm::dot(d, d) - reach * reach < kTolerance;
}

bool SphereCollider::IntersectsPlane(const PlaneCollider& plane) const {
    const glm::vec3& n = plane.Normal();
    return std::fabs(glm::dot(n, m_centre) - glm::dot(n, plane.Centre())) - m_radius < kTolerance;
}

bool SphereCollider::IntersectsBox(const BoxCollider& box) const { return box.IntersectsSphere(*this); }

void SphereCollider::ContactsWithSphere(const SphereCollider& other, ContactList& contacts) const {
    glm::vec3 d = other.m_centre - m_centre;
    float distance = glm::length(d);
    // Concentric spheres have no line of centres: any direction separates them, and +y lifts
    // the second one (the later object) out, which is what a stacked pair needs.
    glm::vec3 normal = distance > 1e-6f ? d / distance : glm::vec3(0.0f, 1.0f, 0.0f);
    Contact contact;
    contact.bodyA = GetBody();
    contact.bodyB = other.GetBody();
    contact.point = m_centre + m_radius * normal;
    contact.normal = normal;
    contact.penetration = (m_radius + other.m_radius) - distance;
    contacts.push_back(contact);
}

void SphereCollider::ContactsWithPlane(const PlaneCollider& plane, ContactList& contacts) const {
    const glm::vec3& n = plane.Normal();
    Contact contact;
    contact.bodyA = GetBody();
    contact.bodyB = plane.GetBody();
    contact.point = m_centre - m_radius * n;
    contact.normal = -n;
    contact.penetration = m_radius - std::fabs(glm::dot(n, m_centre - plane.Centre()));
    contacts.push_back(contact);
}

void SphereCollider::ContactsWithBox(const BoxCollider& box, ContactList& contacts) const {
    box.ContactsWithSphere(*this, contacts);
}

} // namespace zumek
