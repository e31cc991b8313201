// physics/ContactSolver.h
#pragma once
#include <cstdint>
#include <vector>

#include <glm/vec3.hpp>

#include "physics/Contact.h"

namespace zumek {

class Body;

/// Sequential impulses on the contact normals: a fixed number of iterations, each resolving every
/// contact once in list order (no friction: horizontal motion is slowed by damping only). Works on a compact copy of the bodies' velocities and writes
/// them back at the end; keeps the capacity of its buffers from step to step.
class ContactSolver {
public:
    /// Iterations per step.
    static constexpr int kIterations = 20;
    /// Fraction of the penetration (beyond the slop) removed per second: bias = −15 · depth.
    static constexpr float kBaumgarte = 15.0f;
    /// Penetration left alone, world units.
    static constexpr float kSlop = 0.001f;
    /// Approach speed (units/s) below which a contact does not bounce.
    static constexpr float kBounceThreshold = 0.1f;

    /// Resolves `contacts` (their accumulated impulses are updated) for `bodies`, which must hold
    /// every body named by a contact; each body's solver index is its position in `bodies`.
    /// Contacts between two bodies that cannot move, or with values that are not finite, are
    /// left out.
    void Solve(ContactList& contacts, const std::vector<Body*>& bodies, int iterations = kIterations);

    /// Contacts left out of the last Solve.
    int32_t SkippedCount() const { return m_skipped; }

private:
    struct SolverBody {
        glm::vec3 v;
        glm::vec3 w;
        float inverseMass;
        uint8_t awake;
        uint8_t isStatic;
    };
    struct SolverContact {
        int32_t a;
        int32_t b;
        glm::vec3 normal;
        glm::vec3 armA;    ///< rA × n
        glm::vec3 armB;    ///< rB × n
        glm::vec3 turnA;   ///< I⁻¹A (rA × n), zero for the player's body
        glm::vec3 turnB;   ///< I⁻¹B (rB × n), zero for the player's body
        float inverseK;    ///< 1 / (J M⁻¹ Jᵀ)
        float bias;        ///< position correction and restitution, units/s
        float impulse;     ///< accumulated, >= 0
        int32_t index;     ///< in the contact list
    };

    std::vector<SolverBody> m_bodies;
    std::vector<SolverContact> m_contacts;
    int32_t m_skipped = 0;
};

} // namespace zumek
