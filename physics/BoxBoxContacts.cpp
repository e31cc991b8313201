// physics/BoxBoxContacts.cpp
#include "physics/BoxBoxContacts.h"

#include <array>
#include <cmath>

#include <glm/geometric.hpp>
#include <glm/matrix.hpp>

#include "physics/BoxCollider.h"

namespace zumek {
namespace {

// Edge–edge contacts are kept when the closest points are nearer than this (world units).
constexpr float kEdgeContactDistance = 0.01f;
// An edge pair is examined only when the edges come this near in the second box's frame; larger
// than the contact distance, so that only pairs that cannot give a contact are skipped.
constexpr float kEdgeFilterMargin = 0.02f;
// Edges closer to parallel than this (squared sine of the angle) give no contact: their cross
// product has no reliable direction.
constexpr float kParallelSine2 = 1e-6f;

// Σ |hᵢ (axisᵢ·n)|: half the extent of the box along n.
float ProjectedRadius(const glm::mat3& axes, const glm::vec3& h, const glm::vec3& n) {
    return std::fabs(h.x * glm::dot(axes[0], n)) + std::fabs(h.y * glm::dot(axes[1], n)) +
           std::fabs(h.z * glm::dot(axes[2], n));
}

// Appends a contact for each corner of `corners` that lies deeper than the tolerance inside the
// box (centre, axes, h), on the face it is least deep behind. `sign` orients the normal: +1 when
// the box holding the corners is B (the face normal points from A to B), −1 when it is A.
void CornersInside(const std::array<glm::vec3, 8>& corners, const std::array<glm::vec3, 8>& local,
                   const glm::mat3& axes, const glm::vec3& h, float sign, Body* bodyA, Body* bodyB,
                   ContactList& contacts) {
    for (int k = 0; k < 8; ++k) {
        const glm::vec3& l = local[k];
        if (!(std::fabs(l.x) < h.x - Collider::kTolerance && std::fabs(l.y) < h.y - Collider::kTolerance &&
              std::fabs(l.z) < h.z - Collider::kTolerance))
            continue;
        int axis = 0;
        float least = h[0] - std::fabs(l[0]);
        for (int i = 1; i < 3; ++i) {
            float depth = h[i] - std::fabs(l[i]);
            if (depth < least) {
                least = depth;
                axis = i;
            }
        }
        Contact contact;
        contact.bodyA = bodyA;
        contact.bodyB = bodyB;
        contact.point = corners[k];
        contact.normal = (l[axis] < 0.0f ? -sign : sign) * axes[axis];
        contact.penetration = least;
        contacts.push_back(contact);
    }
}

// Whether the bounding box of the segment from p to q (in a box's frame) comes within the filter
// margin of the box of half extents h.
bool SegmentNearBox(const glm::vec3& p, const glm::vec3& q, const glm::vec3& h) {
    for (int i = 0; i < 3; ++i) {
        if (std::fmax(p[i], q[i]) < -h[i] - kEdgeFilterMargin || std::fmin(p[i], q[i]) > h[i] + kEdgeFilterMargin)
            return false;
    }
    return true;
}

// Whether the segment from p to q (in the other box's frame) may pass within the filter margin
// of that box's edge along `axis` at the fixed coordinates `fixed` of the other two axes.
bool EdgesMayTouch(const glm::vec3& p, const glm::vec3& q, int axis, const glm::vec3& fixed, const glm::vec3& h) {
    for (int i = 0; i < 3; ++i) {
        float lo = std::fmin(p[i], q[i]) - kEdgeFilterMargin;
        float hi = std::fmax(p[i], q[i]) + kEdgeFilterMargin;
        if (i == axis) {
            if (hi < -h[i] || lo > h[i]) return false;
        } else if (fixed[i] < lo || fixed[i] > hi) {
            return false;
        }
    }
    return true;
}

// Boxes that overlap without a corner inside the other or a touching pair of crossed edges
// (equal boxes face to face: corners exactly on each other's side faces, edges parallel or
// already further apart than 0.01) would pass through each other. They meet on the face axis of
// least overlap o = hᵢ + r_other(axisᵢ) − |d·axisᵢ|; every corner of the other box lying behind
// that face (depth hᵢ − n·(corner − c) > −tol along the face normal n) and within the face's
// rectangle (grown by tol) gives a contact with the face normal and that depth.
void FaceContacts(const BoxCollider& boxA, const BoxCollider& boxB, const std::array<glm::vec3, 8>& cornersA,
                  const std::array<glm::vec3, 8>& cornersB, const std::array<glm::vec3, 8>& aInB,
                  const std::array<glm::vec3, 8>& bInA, ContactList& contacts) {
    const glm::vec3 d = boxB.Centre() - boxA.Centre();
    float least = 0.0f;
    int best = -1; // 0..2: a face of A, 3..5: a face of B
    for (int i = 0; i < 6; ++i) {
        const BoxCollider& face = i < 3 ? boxA : boxB;
        const BoxCollider& other = i < 3 ? boxB : boxA;
        glm::vec3 axis = face.Axes()[i % 3];
        float overlap = face.HalfExtents()[i % 3] + ProjectedRadius(other.Axes(), other.HalfExtents(), axis) -
                        std::fabs(glm::dot(d, axis));
        if (best < 0 || overlap < least) {
            least = overlap;
            best = i;
        }
    }
    const bool faceOfA = best < 3;
    const int axis = best % 3;
    const BoxCollider& face = faceOfA ? boxA : boxB;
    const glm::vec3& h = face.HalfExtents();
    const std::array<glm::vec3, 8>& corners = faceOfA ? cornersB : cornersA;
    const std::array<glm::vec3, 8>& local = faceOfA ? bInA : aInB;
    // The face looks at the other box; the contact normal points from A to B.
    float towardsOther = glm::dot(d, face.Axes()[axis]) * (faceOfA ? 1.0f : -1.0f);
    float side = towardsOther < 0.0f ? -1.0f : 1.0f;
    glm::vec3 normal = (faceOfA ? side : -side) * face.Axes()[axis];
    for (int k = 0; k < 8; ++k) {
        const glm::vec3& l = local[k];
        float depth = h[axis] - side * l[axis];
        bool onFace = true;
        for (int j = 0; j < 3; ++j)
            if (j != axis && !(std::fabs(l[j]) <= h[j] + Collider::kTolerance)) onFace = false;
        if (!onFace || !(depth > -Collider::kTolerance)) continue;
        Contact contact;
        contact.bodyA = boxA.GetBody();
        contact.bodyB = boxB.GetBody();
        contact.point = corners[k];
        contact.normal = normal;
        contact.penetration = std::fmax(depth, 0.0f);
        contacts.push_back(contact);
    }
}

} // namespace


// Box–box contacts.
// (a) A corner of either box deeper than tol inside the other on every axis: one contact at the
//     corner, on the face of least depth δ = hᵢ − |lᵢ|, penetration δ; the face normal is
//     turned to point from A towards B.
// (b) Edges P₁ + s D₁ and P₂ + t D₂ (s, t ∈ [0, 1]) with D₁ × D₂ ≠ 0: the closest points follow
//     from the 2×2 system of the segment–segment distance (Ericson, Real-Time Collision
//     Detection, 5.1.9), with 0.001 added to its denominator a e − b². When they are less than
//     0.01 apart, one contact at their midpoint with normal n = (D₁ × D₂)/|D₁ × D₂| turned
//     towards B's centre as seen from A's, provided each point lies within 0.01 of its box's
//     extreme along the normal (n·(p₁ − c_A) ≈ r_A(n), n·(c_B − p₂) ≈ r_B(n)): the edges then
//     really are where the boxes meet. Penetration: the overlap along n, r_A(n) + r_B(n) − n·d,
//     at least 0 (small, since the edges are at most 0.01 apart).
void GenerateBoxBoxContacts(const BoxCollider& boxA, const BoxCollider& boxB, ContactList& contacts) {
    const size_t before = contacts.size();
    const glm::vec3& ca = boxA.Centre();
    const glm::vec3& cb = boxB.Centre();
    const glm::mat3& ua = boxA.Axes();
    const glm::mat3& vb = boxB.Axes();
    const glm::vec3& ha = boxA.HalfExtents();
    const glm::vec3& hb = boxB.HalfExtents();
    Body* bodyA = boxA.GetBody();
    Body* bodyB = boxB.GetBody();
    std::array<glm::vec3, 8> cornersA, cornersB, aInB, bInA;
    const glm::mat3 toA = glm::transpose(ua);
    const glm::mat3 toB = glm::transpose(vb);
    for (int k = 0; k < 8; ++k) {
        cornersA[k] = boxA.Corner(k);
        cornersB[k] = boxB.Corner(k);
        aInB[k] = toB * (cornersA[k] - cb);
        bInA[k] = toA * (cornersB[k] - ca);
    }
    CornersInside(cornersA, aInB, vb, hb, -1.0f, bodyA, bodyB, contacts);
    CornersInside(cornersB, bInA, ua, ha, 1.0f, bodyA, bodyB, contacts);

    const glm::vec3 towardsB = cb - ca;
    for (int ea = 0; ea < 12; ++ea) {
        const glm::vec3& pa = aInB[BoxCollider::kEdges[ea][0]];
        const glm::vec3& qa = aInB[BoxCollider::kEdges[ea][1]];
        // An edge of A far from the whole of B touches none of B's edges.
        if (!SegmentNearBox(pa, qa, hb)) continue;
        glm::vec3 p1 = cornersA[BoxCollider::kEdges[ea][0]];
        glm::vec3 d1 = cornersA[BoxCollider::kEdges[ea][1]] - p1;
        float a = glm::dot(d1, d1);
        if (a <= 0.0f) continue; // a flat box has edges of no length
        for (int eb = 0; eb < 12; ++eb) {
            int axis = eb / 4;
            // B's edge in its own frame: along `axis`, at the corner's signs on the other two.
            int start = BoxCollider::kEdges[eb][0];
            glm::vec3 fixed((start & 1) ? hb.x : -hb.x, (start & 2) ? hb.y : -hb.y, (start & 4) ? hb.z : -hb.z);
            if (!EdgesMayTouch(pa, qa, axis, fixed, hb)) continue;

            glm::vec3 p2 = cornersB[start];
            glm::vec3 d2 = cornersB[BoxCollider::kEdges[eb][1]] - p2;
            float e = glm::dot(d2, d2);
            glm::vec3 cross = glm::cross(d1, d2);
            float cross2 = glm::dot(cross, cross);
            if (e <= 0.0f || cross2 <= kParallelSine2 * a * e) continue;

            glm::vec3 r = p1 - p2;
            float b = glm::dot(d1, d2);
            float c = glm::dot(d1, r);
            float f = glm::dot(d2, r);
            float denominator = a * e - b * b + 0.001f;
            float s = glm::clamp((b * f - c * e) / denominator, 0.0f, 1.0f);
            float t = (b * s + f) / e;
            if (t < 0.0f) {
                t = 0.0f;
                s = glm::clamp(-c / a, 0.0f, 1.0f);
            } else if (t > 1.0f) {
                t = 1.0f;
                s = glm::clamp((b - c) / a, 0.0f, 1.0f);
            }
            glm::vec3 onA = p1 + d1 * s;
            glm::vec3 onB = p2 + d2 * t;
            glm::vec3 gap = onB - onA;
            if (!(glm::dot(gap, gap) < kEdgeContactDistance * kEdgeContactDistance)) continue;
            glm::vec3 normal = cross / std::sqrt(cross2);
            if (glm::dot(normal, towardsB) < 0.0f) normal = -normal;
            // Near both boxes: each point lies on its box's face towards the other along the
            // normal. Crossed edges meeting at a corner of a face-to-face contact (an upright
            // edge against a flat one) have a sideways normal along which the boxes overlap
            // fully; such a contact would push the boxes sideways and is not an edge contact.
            float reachA = ProjectedRadius(ua, ha, normal);
            float reachB = ProjectedRadius(vb, hb, normal);
            if (reachA - glm::dot(normal, onA - ca) > kEdgeContactDistance ||
                reachB - glm::dot(normal, cb - onB) > kEdgeContactDistance)
                continue;
            Contact contact;
            contact.bodyA = bodyA;
            contact.bodyB = bodyB;
            contact.point = 0.5f * (onA + onB);
            contact.normal = normal;
            // The overlap of the two boxes along the normal: the depth the solver must remove.
            contact.penetration = std::fmax(reachA + reachB - glm::dot(normal, towardsB), 0.0f);
            contacts.push_back(contact);
        }
    }

    if (contacts.size() == before) FaceContacts(boxA, boxB, cornersA, cornersB, aInB, bInA, contacts);
}

} // namespace zumek
