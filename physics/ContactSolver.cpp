// physics/ContactSolver.cpp
//
// One contact, normal n from A to B at point p, arms rA = p − cA and rB = p − cB:
//   Jacobian J = [ −n, −(rA × n), n, rB × n ] over (vA, ωA, vB, ωB);
//   relative normal velocity vn = J·v = n·((vB + ωB × rB) − (vA + ωA × rA))
//                                    = n·(vB − vA) + ωB·(rB × n) − ωA·(rA × n);
//   effective mass k = J M⁻¹ Jᵀ = mA⁻¹ + mB⁻¹ + (rA × n)·I⁻¹A (rA × n) + (rB × n)·I⁻¹B (rB × n);
//   bias b = −15 max(depth − 0.001, 0) + e min(0, vn₀ + 0.1), e = √(eA eB): Baumgarte position
//   correction plus restitution, vn₀ being the approach speed before the solve (a contact
//   approaching faster than 0.1 units/s bounces back at e times that speed);
//   λ = −(vn + b) / k; the accumulated impulse stays within [0, FLT_MAX] (contacts push, never
//   pull), and its change Δ is applied as v += M⁻¹ Jᵀ Δ.
// A contact that is separating and has pushed nothing yet this step is left alone. One that did
// push stays in the solve and gives back what it pushed too hard: skipping every separating
// contact would freeze the impulses of the first iterations, which over-push the contacts
// solved first, so that a box on a floor tilts and a stack leans. Restitution is fixed before
// the solve for the same reason: recomputed from the current speed, a contact would take back
// its own bounce as soon as it can give impulse back.
// When exactly one of two movable bodies is awake, a contact that is not separating wakes the
// other. A contact between two bodies of which none is both awake and movable is left alone: a
// sleeping body is not integrated, so impulses would only leave it a velocity to jump with when
// it wakes. The player's angular velocity is never changed by a contact (the player stays
// upright), though its inertia still counts in k.
// Source: E. Catto, "Iterative Dynamics with Temporal Coherence", GDC 2005.
#include "physics/ContactSolver.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include <glm/geometric.hpp>

#include "physics/Body.h"
#include "platform/Assert.h"

namespace zumek {
namespace {

bool IsFinite(const glm::vec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

} // namespace

void ContactSolver::Solve(ContactList& contacts, const std::vector<Body*>& bodies, int iterations) {
    const int32_t bodyCount = static_cast<int32_t>(bodies.size());
    m_bodies.resize(bodies.size());
    for (int32_t i = 0; i < bodyCount; ++i) {
        Body* body = bodies[i];
        body->SetSolverIndex(i);
        m_bodies[i] = {body->GetVelocity(), body->GetAngularVelocity(), body->GetInverseMass(),
                       static_cast<uint8_t>(body->IsAwake()), static_cast<uint8_t>(body->IsStatic())};
    }

    m_contacts.clear();
    m_skipped = 0;
    for (size_t index = 0; index < contacts.size(); ++index) {
        const Contact& contact = contacts[index];
        Body* a = contact.bodyA;
        Body* b = contact.bodyB;
        int32_t ia = a->GetSolverIndex();
        int32_t ib = b->GetSolverIndex();
        ASSERT(ia >= 0 && ia < bodyCount && bodies[ia] == a && ib >= 0 && ib < bodyCount && bodies[ib] == b,
               "every contact names bodies handed to the solver");
        if (!(ia >= 0 && ia < bodyCount && bodies[ia] == a && ib >= 0 && ib < bodyCount && bodies[ib] == b)) {
            ++m_skipped;
            continue;
        }
        SolverContact c;
        c.a = ia;
        c.b = ib;
        c.normal = contact.normal;
        glm::vec3 rA = contact.point - a->GetCentre();
        glm::vec3 rB = contact.point - b->GetCentre();
        c.armA = glm::cross(rA, c.normal);
        c.armB = glm::cross(rB, c.normal);
        c.turnA = a->GetWorldInverseInertia() * c.armA;
        c.turnB = b->GetWorldInverseInertia() * c.armB;
        float k = a->GetInverseMass() + b->GetInverseMass() + glm::dot(c.armA, c.turnA) + glm::dot(c.armB, c.turnB);
        // Two bodies that cannot move (k = 0), or a contact carrying a NaN from a broken pose,
        // would only spread non-finite values through every body they touch.
        if (!(k > 1e-12f) || !std::isfinite(k) || !std::isfinite(contact.penetration) || !IsFinite(c.normal) ||
            !IsFinite(c.armA) || !IsFinite(c.armB)) {
            ++m_skipped;
            continue;
        }
        if (a->IsPlayer()) c.turnA = glm::vec3(0.0f);
        if (b->IsPlayer()) c.turnB = glm::vec3(0.0f);
        c.inverseK = 1.0f / k;
        c.bias = -kBaumgarte * std::max(contact.penetration - kSlop, 0.0f);
        float restitution = std::sqrt(a->GetMaterial().restitution * b->GetMaterial().restitution);
        glm::vec3 va = a->GetVelocity(), vb = b->GetVelocity();
        float approach = glm::dot(c.normal, vb - va) + glm::dot(b->GetAngularVelocity(), c.armB) -
                         glm::dot(a->GetAngularVelocity(), c.armA);
        c.bias += restitution * std::min(0.0f, approach + kBounceThreshold);
        c.impulse = contact.normalImpulse;
        c.index = static_cast<int32_t>(index);
        m_contacts.push_back(c);
    }

    for (int iteration = 0; iteration < iterations; ++iteration) {
        for (SolverContact& c : m_contacts) {
            SolverBody& a = m_bodies[c.a];
            SolverBody& b = m_bodies[c.b];
            // Two bodies at rest (asleep or static) are left as they are until something awake
            // touches one of them.
            if (!(a.awake & !a.isStatic) && !(b.awake & !b.isStatic)) continue;
            float vn = glm::dot(c.normal, b.v - a.v) + glm::dot(b.w, c.armB) - glm::dot(a.w, c.armA);
            if (vn > 0.0f && c.impulse == 0.0f) continue;
            if (!a.isStatic && !b.isStatic && a.awake != b.awake) {
                a.awake = 1;
                b.awake = 1;
            }
            float lambda = -(vn + c.bias) * c.inverseK;
            float accumulated = std::clamp(c.impulse + lambda, 0.0f, FLT_MAX);
            float delta = accumulated - c.impulse;
            c.impulse = accumulated;
            a.v -= (a.inverseMass * delta) * c.normal;
            a.w -= delta * c.turnA;
            b.v += (b.inverseMass * delta) * c.normal;
            b.w += delta * c.turnB;
        }
    }

    for (const SolverContact& c : m_contacts) contacts[c.index].normalImpulse = c.impulse;
    for (int32_t i = 0; i < bodyCount; ++i)
        bodies[i]->SetVelocities(m_bodies[i].v, m_bodies[i].w, m_bodies[i].awake != 0);
}

} // namespace zumek
