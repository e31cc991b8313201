// physics/Contact.h
#pragma once
#include <vector>

#include <glm/vec3.hpp>

namespace zumek {

class Body;

/// One point of contact between two bodies, as the colliders find it and the solver resolves it.
struct Contact {
    Body* bodyA = nullptr;
    Body* bodyB = nullptr;
    glm::vec3 point{0.0f};      ///< world space
    glm::vec3 normal{0.0f, 1.0f, 0.0f}; ///< unit, pointing from A towards B
    float penetration = 0.0f;   ///< world units, > 0 when the shapes overlap
    float normalImpulse = 0.0f; ///< accumulated by the solver over one step, >= 0
};

/// The contacts of one step; the physics system keeps its capacity from step to step.
using ContactList = std::vector<Contact>;

} // namespace zumek
