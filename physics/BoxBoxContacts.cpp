// physics/BoxBoxContacts.cpp
//
// Box–box contacts, A and B with centres c, axes (columns of R) and half extents h; d = c_B − c_A;
// r_X(n) = Σ hₖ |axisₖ·n| is box X's half extent along n; tol = 0.001.
//
// Reference face: of the 6 face axes, the one along which the boxes overlap least,
// o = h_face + r_other(axis) − |d·axis| (ties go to A's axes, then to the lower axis). Its normal
// n, turned to point from A towards B, is the normal of every corner contact of the pair. Taking
// the face each corner is least deep behind instead (corner by corner) sends a corner that sits
// just inside a side of the other box sideways: equal boxes stacked slightly out of line then
// push each other off the stack instead of holding it up.
//
// (a) A corner of either box deeper than tol inside the other on every axis: one contact at the
//     corner with normal n and penetration its depth past the other box's surface along n
//     (n·p − (n·c_B − r_B(n)) for a corner of A, (n·c_A + r_A(n)) − n·p for a corner of B).
// (b) Edges P₁ + s D₁ and P₂ + t D₂ (s, t ∈ [0, 1]) with D₁ × D₂ ≠ 0: the closest points follow
//     from the 2×2 system of the segment–segment distance (Ericson, Real-Time Collision
//     Detection, 5.1.9), with 0.001 added to its denominator a e − b². When they are less than
//     0.01 apart, one contact at their midpoint with normal m = (D₁ × D₂)/|D₁ × D₂| turned
//     towards B's centre as seen from A's, provided each point lies within 0.01 of its box's
//     extreme along m (m·(p₁ − c_A) ≈ r_A(m), m·(c_B − p₂) ≈ r_B(m)): the edges then really are
//     where the boxes meet (an upright edge crossing a flat one at the corner of a face-to-face
//     contact has a sideways m along which the boxes overlap fully). Penetration: the overlap
//     along m, r_A(m) + r_B(m) − m·d, at least 0 (small: the edges are at most 0.01 apart).
// (c) Every corner of the box facing the reference face that (a) left out, lies behind that face
//     (depth h − side·l > −tol) and within its rectangle grown by tol: one contact with normal n
//     and that depth. Equal boxes face to face have no corner strictly inside the other and
//     parallel edges, so without these they would fall through each other; and since crossed
//     edges at the face's corners touch only while less than 0.01 deep, a resting face whose
//     contacts came from (b) alone would change its contacts whenever its depth passed 0.01, and
//     a stack would jitter instead of settling.
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

using Corners = std::array<glm::vec3, 8>;

// Σ |hᵢ (axisᵢ·n)|: half the extent of the box along n.
float ProjectedRadius(const glm::mat3& axes, const glm::vec3& h, const glm::vec3& n) {
    return std::fabs(h.x * glm::dot(axes[0], n)) + std::fabs(h.y * glm::dot(axes[1], n)) +
           std::fabs(h.z * glm::dot(axes[2], n));
}

struct Pair {
    const BoxCollider& a;
    const BoxCollider& b;
    const Corners& cornersA;    ///< world space
    const Corners& cornersB;
    Corners aInB, bInA;         ///< each box's corners in the other's frame
    glm::vec3 d;                ///< c_B − c_A
    // The reference face.
    bool faceOfA = true;
    int axis = 0;
    float side = 1.0f;          ///< which of the two faces on the axis looks at the other box
    glm::vec3 normal{0.0f};     ///< from A towards B
    float reachA = 0.0f;        ///< r_A(normal)
    float reachB = 0.0f;        ///< r_B(normal)
};

void ChooseReferenceFace(Pair& pair) {
    float least = 0.0f;
    int best = -1; // 0..2: a face of A, 3..5: a face of B
    for (int i = 0; i < 6; ++i) {
        const BoxCollider& face = i < 3 ? pair.a : pair.b;
        const BoxCollider& other = i < 3 ? pair.b : pair.a;
        glm::vec3 axis = face.Axes()[i % 3];
        float overlap = face.HalfExtents()[i % 3] + ProjectedRadius(other.Axes(), other.HalfExtents(), axis) -
                        std::fabs(glm::dot(pair.d, axis));
        if (best < 0 || overlap < least) {
            least = overlap;
            best = i;
        }
    }
    pair.faceOfA = best < 3;
    pair.axis = best % 3;
    const glm::vec3& axis = (pair.faceOfA ? pair.a : pair.b).Axes()[pair.axis];
    // The face looks from its box towards the other one.
    float towardsOther = glm::dot(pair.d, axis) * (pair.faceOfA ? 1.0f : -1.0f);
    pair.side = towardsOther < 0.0f ? -1.0f : 1.0f;
    pair.normal = (pair.faceOfA ? pair.side : -pair.side) * axis;
    pair.reachA = ProjectedRadius(pair.a.Axes(), pair.a.HalfExtents(), pair.normal);
    pair.reachB = ProjectedRadius(pair.b.Axes(), pair.b.HalfExtents(), pair.normal);
}

void Add(const Pair& pair, const glm::vec3& point, const glm::vec3& normal, float depth, ContactList& contacts) {
    Contact contact;
    contact.bodyA = pair.a.GetBody();
    contact.bodyB = pair.b.GetBody();
    contact.point = point;
    contact.normal = normal;
    contact.penetration = depth > 0.0f ? depth : 0.0f;
    contacts.push_back(contact);
}

bool DeepInside(const glm::vec3& l, const glm::vec3& h) {
    return (std::fabs(l.x) < h.x - Collider::kTolerance) & (std::fabs(l.y) < h.y - Collider::kTolerance) &
           (std::fabs(l.z) < h.z - Collider::kTolerance);
}

// (a); returns the corners of the box facing the reference face that got a contact (bit k for
// corner k), which (c) then leaves out.
unsigned CornerContacts(const Pair& pair, ContactList& contacts) {
    const glm::vec3& n = pair.normal;
    float surfaceB = glm::dot(n, pair.b.Centre()) - pair.reachB; // B's side facing A
    float surfaceA = glm::dot(n, pair.a.Centre()) + pair.reachA; // A's side facing B
    unsigned insideB = 0, insideA = 0;
    for (int k = 0; k < 8; ++k)
        if (DeepInside(pair.aInB[k], pair.b.HalfExtents())) {
            Add(pair, pair.cornersA[k], n, glm::dot(n, pair.cornersA[k]) - surfaceB, contacts);
            insideB |= 1u << k;
        }
    for (int k = 0; k < 8; ++k)
        if (DeepInside(pair.bInA[k], pair.a.HalfExtents())) {
            Add(pair, pair.cornersB[k], n, surfaceA - glm::dot(n, pair.cornersB[k]), contacts);
            insideA |= 1u << k;
        }
    return pair.faceOfA ? insideA : insideB;
}

// The comparisons below are written with & rather than &&: they decide little each, and branch
// mispredictions would cost more than evaluating them all.

// The edges (bit e for edge e) of a box whose corners, in the other box's frame, are `local`
// that come near that box of half extents h: an edge far from the whole box touches none of its
// edges. An edge is far when both its corners lie beyond the same face of the box grown by the
// filter margin (then the edge's bounds miss the grown box on that axis); each corner gets one
// bit per face it lies beyond.
unsigned EdgesNear(const Corners& local, const glm::vec3& h) {
    unsigned beyond[8];
    for (int k = 0; k < 8; ++k) {
        unsigned bits = 0;
        for (int i = 0; i < 3; ++i) {
            bits |= static_cast<unsigned>(local[k][i] > h[i] + kEdgeFilterMargin) << (2 * i);
            bits |= static_cast<unsigned>(local[k][i] < -h[i] - kEdgeFilterMargin) << (2 * i + 1);
        }
        beyond[k] = bits;
    }
    unsigned near = 0;
    for (int e = 0; e < 12; ++e)
        near |= static_cast<unsigned>((beyond[BoxCollider::kEdges[e][0]] & beyond[BoxCollider::kEdges[e][1]]) == 0) << e;
    return near;
}

// The edges of B (bit e for edge e, of half extents h, in its own frame) that the segment from p
// to q may pass within the filter margin of. B's edge e runs along axis e / 4, at the signs of its
// start corner on the other two axes; the segment's bounds, grown by the margin, must reach that
// edge's line on those two axes and overlap its span on the third.
unsigned EdgesMayTouch(const glm::vec3& p, const glm::vec3& q, const glm::vec3& h) {
    bool along[3];
    bool side[3][2]; // [axis][0: at −h, 1: at +h]
    for (int i = 0; i < 3; ++i) {
        float lo = (p[i] < q[i] ? p[i] : q[i]) - kEdgeFilterMargin;
        float hi = (p[i] < q[i] ? q[i] : p[i]) + kEdgeFilterMargin;
        along[i] = (hi >= -h[i]) & (lo <= h[i]);
        side[i][0] = (lo <= -h[i]) & (-h[i] <= hi);
        side[i][1] = (lo <= h[i]) & (h[i] <= hi);
    }
    // Edges 4g..4g+3 run along axis g; the j-th of them sits at sign bit j & 1 on the lower of
    // the other two axes and j >> 1 on the higher (the order of BoxCollider::kEdges).
    auto group = [&](int axis, int lower, int upper) {
        unsigned bits = 0;
        for (int j = 0; j < 4; ++j)
            bits |= static_cast<unsigned>(along[axis] & side[lower][j & 1] & side[upper][j >> 1]) << j;
        return bits;
    };
    return group(0, 1, 2) | (group(1, 0, 2) << 4) | (group(2, 0, 1) << 8);
}

// (b) for one edge of A (p1 + s d1) against the edges of B that come near A.
void EdgeContacts(const Pair& pair, int edgeA, unsigned nearB, ContactList& contacts) {
    const glm::vec3& hb = pair.b.HalfExtents();
    glm::vec3 p1 = pair.cornersA[BoxCollider::kEdges[edgeA][0]];
    glm::vec3 d1 = pair.cornersA[BoxCollider::kEdges[edgeA][1]] - p1;
    float a = glm::dot(d1, d1);
    if (a <= 0.0f) return; // a flat box has edges of no length
    unsigned candidates =
        nearB & EdgesMayTouch(pair.aInB[BoxCollider::kEdges[edgeA][0]], pair.aInB[BoxCollider::kEdges[edgeA][1]], hb);
    while (candidates) {
        int eb = __builtin_ctz(candidates);
        candidates &= candidates - 1;
        int start = BoxCollider::kEdges[eb][0];
        glm::vec3 p2 = pair.cornersB[start];
        glm::vec3 d2 = pair.cornersB[BoxCollider::kEdges[eb][1]] - p2;
        float e = glm::dot(d2, d2);
        glm::vec3 cross = glm::cross(d1, d2);
        float cross2 = glm::dot(cross, cross);
        if (e <= 0.0f || cross2 <= kParallelSine2 * a * e) continue;

        glm::vec3 r = p1 - p2;
        float b = glm::dot(d1, d2);
        float c = glm::dot(d1, r);
        float f = glm::dot(d2, r);
        float s = glm::clamp((b * f - c * e) / (a * e - b * b + 0.001f), 0.0f, 1.0f);
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
        glm::vec3 m = cross / std::sqrt(cross2);
        if (glm::dot(m, pair.d) < 0.0f) m = -m;
        float reachA = ProjectedRadius(pair.a.Axes(), pair.a.HalfExtents(), m);
        float reachB = ProjectedRadius(pair.b.Axes(), hb, m);
        if (reachA - glm::dot(m, onA - pair.a.Centre()) > kEdgeContactDistance ||
            reachB - glm::dot(m, pair.b.Centre() - onB) > kEdgeContactDistance)
            continue;
        Add(pair, 0.5f * (onA + onB), m, reachA + reachB - glm::dot(m, pair.d), contacts);
    }
}

// (c), for the corners not in `done`.
void FaceContacts(const Pair& pair, unsigned done, ContactList& contacts) {
    const BoxCollider& face = pair.faceOfA ? pair.a : pair.b;
    const glm::vec3& h = face.HalfExtents();
    const Corners& corners = pair.faceOfA ? pair.cornersB : pair.cornersA;
    const Corners& local = pair.faceOfA ? pair.bInA : pair.aInB;
    for (int k = 0; k < 8; ++k) {
        const glm::vec3& l = local[k];
        float depth = h[pair.axis] - pair.side * l[pair.axis];
        bool onFace = true;
        for (int j = 0; j < 3; ++j)
            if (j != pair.axis && !(std::fabs(l[j]) <= h[j] + Collider::kTolerance)) onFace = false;
        if (onFace && depth > -Collider::kTolerance && !(done & (1u << k)))
            Add(pair, corners[k], pair.normal, depth, contacts);
    }
}

} // namespace

void GenerateBoxBoxContacts(const BoxCollider& boxA, const BoxCollider& boxB, ContactList& contacts) {
    Pair pair{boxA, boxB, boxA.Corners(), boxB.Corners(), {}, {}, boxB.Centre() - boxA.Centre()};
    // Each box's corners in the other's frame: the centre and the three half axes taken over
    // once, the corners then follow by signs as they do in world space.
    const glm::mat3 toA = glm::transpose(boxA.Axes());
    const glm::mat3 toB = glm::transpose(boxB.Axes());
    const glm::vec3 centreAInB = toB * -pair.d;
    const glm::vec3 centreBInA = toA * pair.d;
    glm::vec3 halfAInB[3], halfBInA[3];
    for (int i = 0; i < 3; ++i) {
        halfAInB[i] = toB * (boxA.Axes()[i] * boxA.HalfExtents()[i]);
        halfBInA[i] = toA * (boxB.Axes()[i] * boxB.HalfExtents()[i]);
    }
    for (int k = 0; k < 8; ++k) {
        pair.aInB[k] = centreAInB + ((k & 1) ? halfAInB[0] : -halfAInB[0]) + ((k & 2) ? halfAInB[1] : -halfAInB[1]) +
                       ((k & 4) ? halfAInB[2] : -halfAInB[2]);
        pair.bInA[k] = centreBInA + ((k & 1) ? halfBInA[0] : -halfBInA[0]) + ((k & 2) ? halfBInA[1] : -halfBInA[1]) +
                       ((k & 4) ? halfBInA[2] : -halfBInA[2]);
    }
    ChooseReferenceFace(pair);
    unsigned done = CornerContacts(pair, contacts);
    unsigned nearA = EdgesNear(pair.aInB, boxB.HalfExtents());
    unsigned nearB = nearA ? EdgesNear(pair.bInA, boxA.HalfExtents()) : 0u;
    for (int edge = 0; edge < 12; ++edge)
        if (nearB && (nearA & (1u << edge))) EdgeContacts(pair, edge, nearB, contacts);
    FaceContacts(pair, done, contacts);
}

} // namespace zumek
