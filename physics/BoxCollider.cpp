// physics/BoxCollider.cpp
//
// Notation: c the box centre, R its rotation (columns uᵢ, the box axes), h its half extents,
// tol = 0.001. A point p in the box's frame is l = Rᵀ(p − c).
//
// Box–plane (normal n through p₀): the box's projected radius is r = Σ |hᵢ (uᵢ·n)|; the shapes
// overlap when |n·c − n·p₀| − r < tol. Each corner on or behind the plane is one contact with
// normal −n and penetration |n·p₀ − n·corner|.
//
// Box–sphere (centre s, radius ρ): l = Rᵀ(s − c); q = l clamped to [−h, h], a component within
// tol of a bound counting as inside; d = |l − q|. A contact when d − ρ ≤ tol: point c + R q,
// normal (s − point)/d, penetration ρ − d.
//
// Box–box (A this box, B the other, t = Rₐᵀ(c_B − c_A), C = Rₐᵀ R_B): separating-axis test on
// 15 axes L, the 3 axes of each box and the 9 products uᵢ × vⱼ with 0.001 added to every
// component (so that parallel edges never give a zero axis). With r_A(L) = Σ hₐₖ |uₖ·L| and
// r_B(L) = Σ h_Bₖ |vₖ·L|, the boxes are apart when |d·L| − (r_A + r_B) ≥ tol on some axis.
// For the cross axes the projections come from C (uₖ·(uᵢ×vⱼ) = (uₖ×uᵢ)·vⱼ, and so on) plus
// the 0.001 term times the component sums of each axis.
#include "physics/BoxCollider.h"

#include <cmath>

#include <glm/geometric.hpp>
#include <glm/matrix.hpp>

#include "physics/BoxBoxContacts.h"
#include "physics/PlaneCollider.h"
#include "physics/SphereCollider.h"

namespace zumek {

const int BoxCollider::kEdges[12][2] = {
    {0, 1}, {2, 3}, {4, 5}, {6, 7}, // along x
    {0, 2}, {1, 3}, {4, 6}, {5, 7}, // along y
    {0, 4}, {1, 5}, {2, 6}, {3, 7}, // along z
};

void BoxCollider::SetPose(const glm::vec3& centre, const glm::mat3& rotation) {
    m_centre = centre;
    m_axes = rotation;
    glm::vec3 x = rotation[0] * m_halfExtents.x;
    glm::vec3 y = rotation[1] * m_halfExtents.y;
    glm::vec3 z = rotation[2] * m_halfExtents.z;
    for (int k = 0; k < 8; ++k)
        m_corners[k] = centre + ((k & 1) ? x : -x) + ((k & 2) ? y : -y) + ((k & 4) ? z : -z);
}

bool BoxCollider::ContainsPoint(const glm::vec3& point) const {
    glm::vec3 l = glm::transpose(m_axes) * (point - m_centre);
    for (int i = 0; i < 3; ++i)
        if (!(std::fabs(l[i]) < m_halfExtents[i] + kTolerance)) return false;
    return true;
}

bool BoxCollider::IntersectsSphere(const SphereCollider& sphere) const {
    glm::vec3 l = glm::transpose(m_axes) * (sphere.Centre() - m_centre);
    for (int i = 0; i < 3; ++i)
        if (!(std::fabs(l[i]) < m_halfExtents[i] + sphere.Radius() + kTolerance)) return false;
    return true;
}

bool BoxCollider::IntersectsPlane(const PlaneCollider& plane) const {
    const glm::vec3& n = plane.Normal();
    float radius = 0.0f;
    for (int i = 0; i < 3; ++i) radius += std::fabs(m_halfExtents[i] * glm::dot(m_axes[i], n));
    return std::fabs(glm::dot(n, m_centre) - glm::dot(n, plane.Centre())) - radius < kTolerance;
}

bool BoxCollider::IntersectsBox(const BoxCollider& other) const {
    const glm::vec3& ha = m_halfExtents;
    const glm::vec3& hb = other.m_halfExtents;
    const glm::mat3& ua = m_axes;
    const glm::mat3& vb = other.m_axes;
    glm::vec3 d = other.m_centre - m_centre;

    float c[3][3], absC[3][3];
    glm::vec3 t;
    for (int i = 0; i < 3; ++i) {
        t[i] = glm::dot(ua[i], d);
        for (int j = 0; j < 3; ++j) {
            c[i][j] = glm::dot(ua[i], vb[j]);
            absC[i][j] = std::fabs(c[i][j]);
        }
    }
    // This box's axes.
    for (int i = 0; i < 3; ++i) {
        float rb = hb.x * absC[i][0] + hb.y * absC[i][1] + hb.z * absC[i][2];
        if (std::fabs(t[i]) - (ha[i] + rb) >= kTolerance) return false;
    }
    // The other box's axes.
    for (int j = 0; j < 3; ++j) {
        float ra = ha.x * absC[0][j] + ha.y * absC[1][j] + ha.z * absC[2][j];
        if (std::fabs(glm::dot(vb[j], d)) - (ra + hb[j]) >= kTolerance) return false;
    }
    // The 9 cross products, each shifted by (ε, ε, ε).
    constexpr float kShift = 0.001f;
    glm::vec3 sumA, sumB;
    for (int k = 0; k < 3; ++k) {
        sumA[k] = ua[k].x + ua[k].y + ua[k].z;
        sumB[k] = vb[k].x + vb[k].y + vb[k].z;
    }
    float sumD = d.x + d.y + d.z;
    for (int i = 0; i < 3; ++i) {
        int i1 = (i + 1) % 3, i2 = (i + 2) % 3;
        for (int j = 0; j < 3; ++j) {
            int j1 = (j + 1) % 3, j2 = (j + 2) % 3;
            // Projections of this box's axes on L: uᵢ·L = ε Σuᵢ, uᵢ₊₁·L = −C[i+2][j], uᵢ₊₂·L = C[i+1][j].
            float pa[3] = {};
            pa[i] = kShift * sumA[i];
            pa[i1] = -c[i2][j] + kShift * sumA[i1];
            pa[i2] = c[i1][j] + kShift * sumA[i2];
            // The other's: vⱼ·L = ε Σvⱼ, vⱼ₊₁·L = C[i][j+2], vⱼ₊₂·L = −C[i][j+1].
            float pb[3] = {};
            pb[j] = kShift * sumB[j];
            pb[j1] = c[i][j2] + kShift * sumB[j1];
            pb[j2] = -c[i][j1] + kShift * sumB[j2];
            float ra = ha.x * std::fabs(pa[0]) + ha.y * std::fabs(pa[1]) + ha.z * std::fabs(pa[2]);
            float rb = hb.x * std::fabs(pb[0]) + hb.y * std::fabs(pb[1]) + hb.z * std::fabs(pb[2]);
            float distance = t[i2] * c[i1][j] - t[i1] * c[i2][j] + kShift * sumD;
            if (std::fabs(distance) - (ra + rb) >= kTolerance) return false;
        }
    }
    return true;
}

void BoxCollider::ContactsWithSphere(const SphereCollider& sphere, ContactList& contacts) const {
    glm::vec3 l = glm::transpose(m_axes) * (sphere.Centre() - m_centre);
    glm::vec3 q = l;
    for (int i = 0; i < 3; ++i) {
        if (std::fabs(l[i]) > m_halfExtents[i] + kTolerance) q[i] = l[i] < 0.0f ? -m_halfExtents[i] : m_halfExtents[i];
    }
    glm::vec3 offset = l - q;
    float d = glm::length(offset);
    float radius = sphere.Radius();
    if (d - radius > kTolerance) return;

    Contact contact;
    contact.bodyA = GetBody();
    contact.bodyB = sphere.GetBody();
    if (d > 1e-6f) {
        contact.point = m_centre + m_axes * q;
        contact.normal = (sphere.Centre() - contact.point) / d;
        contact.penetration = radius - d;
    } else {
        // The centre is inside the box (or on its surface): no direction from the surface to
        // the centre exists, so push out through the face the centre is least deep behind.
        int axis = 0;
        float least = m_halfExtents[0] - std::fabs(l[0]);
        for (int i = 1; i < 3; ++i) {
            float depth = m_halfExtents[i] - std::fabs(l[i]);
            if (depth < least) {
                least = depth;
                axis = i;
            }
        }
        float side = l[axis] < 0.0f ? -1.0f : 1.0f;
        glm::vec3 onFace = l;
        onFace[axis] = side * m_halfExtents[axis];
        contact.point = m_centre + m_axes * onFace;
        contact.normal = side * m_axes[axis];
        contact.penetration = radius + std::fmax(least, 0.0f);
    }
    contacts.push_back(contact);
}

void BoxCollider::ContactsWithPlane(const PlaneCollider& plane, ContactList& contacts) const {
    const glm::vec3& n = plane.Normal();
    float level = glm::dot(n, plane.Centre());
    for (const glm::vec3& corner : m_corners) {
        if (!plane.ContainsPoint(corner)) continue;
        Contact contact;
        contact.bodyA = GetBody();
        contact.bodyB = plane.GetBody();
        contact.point = corner;
        contact.normal = -n;
        contact.penetration = std::fabs(level - glm::dot(n, corner));
        contacts.push_back(contact);
    }
}

void BoxCollider::ContactsWithBox(const BoxCollider& other, ContactList& contacts) const {
    GenerateBoxBoxContacts(*this, other, contacts);
}

} // namespace zumek
