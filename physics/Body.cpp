// physics/Body.cpp
#include "physics/Body.h"

#include <cmath>
#include <cstdio>
#include <string>

#include <glm/gtc/matrix_transform.hpp>

#include "engine/EngineLog.h"
#include "objects/Object.h"
#include "objects/Transform.h"
#include "physics/BoxCollider.h"
#include "physics/PlaneCollider.h"
#include "physics/SphereCollider.h"

namespace zumek {
namespace {

bool IsFinite(const glm::vec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// Forces outside the range of a 32-bit integer are refused (the scripts' own guard).
constexpr float kForceLimit = 2147483648.0f;

} // namespace

Body::Body(const glm::vec3& extents, int32_t shape, int32_t materialId, bool isStatic, const glm::vec3& velocity)
    : m_static(isStatic), m_extents(extents), m_shape(shape), m_velocity(velocity),
      m_material(MaterialById(materialId)) {
    switch (shape) {
    case kShapeSphere: m_collider = std::make_unique<SphereCollider>(this, extents.x * 0.5f); break;
    case kShapeBox: m_collider = std::make_unique<BoxCollider>(this, extents * 0.5f, false); break;
    case kShapeGhost: m_collider = std::make_unique<BoxCollider>(this, extents * 0.5f, true); break;
    default: m_collider = std::make_unique<PlaneCollider>(this); break;
    }
    float mass = extents.x * extents.y * extents.z * m_material.density;
    // A body without volume (a flat plane's extents, a missing "extents" element) would get an
    // infinite inverse mass: it is immovable instead.
    if (!m_static && mass > 0.0f && std::isfinite(mass)) {
        m_inverseMass = 1.0f / mass;
        // Solid box inertia about the centre, I = m/12 (y²+z², x²+z², x²+y²), for every shape.
        glm::vec3 squared = extents * extents;
        glm::vec3 inertia = mass / 12.0f * glm::vec3(squared.y + squared.z, squared.x + squared.z, squared.x + squared.y);
        // An extent of 0 on two axes leaves no rotational inertia about the third: no rotation.
        for (int i = 0; i < 3; ++i) m_localInverseInertia[i][i] = inertia[i] > 0.0f ? 1.0f / inertia[i] : 0.0f;
    }
}

void Body::UpdateDerived() {
    float length = glm::length(m_orientation);
    m_orientation = (length > 0.0f && std::isfinite(length)) ? m_orientation / length : glm::quat(1.0f, 0.0f, 0.0f, 0.0f);
    m_rotation = glm::mat3_cast(m_orientation);
    m_worldInverseInertia = m_rotation * m_localInverseInertia * glm::transpose(m_rotation);
}

void Body::UpdateOrientationFrom(const glm::vec3& radians) {
    // GLM's quaternion from Euler angles (half angles, x then y then z).
    m_orientation = glm::quat(radians);
    UpdateDerived();
}

void Body::Initialize() {
    Object* owner = GetOwner();
    m_transform = owner ? owner->GetComponent<Transform>() : nullptr;
    m_player = owner && owner->GetTag() == "player";
    if (m_transform) UpdateOrientationFrom(m_transform->GetRotation());
    CapturePose();
}

const glm::vec3& Body::CapturePose() {
    glm::vec3 centre = GetPosition();
    // Only something else moves a sleeping body (a script, a respawn): it wakes where it lands,
    // so that a body put in the air falls instead of hanging there.
    if (!m_awake && !m_static && centre != m_centre) Wake();
    m_centre = centre;
    if (m_collider) m_collider->SetPose(m_centre, m_rotation);
    return m_centre;
}

void Body::Respawn() {
    m_velocity = glm::vec3(0.0f);
    m_angularVelocity = glm::vec3(0.0f);
    m_force = glm::vec3(0.0f);
    m_torque = glm::vec3(0.0f);
}

glm::vec3 Body::GetPosition() const { return m_transform ? m_transform->GetPosition() : glm::vec3(0.0f); }

void Body::Integrate(float h) {
    if (m_static) {
        // Static bodies follow their transforms.
        m_awake = false;
        if (m_transform) UpdateOrientationFrom(m_transform->GetRotation());
        return;
    }
    if (!m_awake && !m_player) return;

    glm::vec3 acceleration = m_inverseMass * m_force + glm::vec3(0.0f, -kGravity, 0.0f);
    UpdateDerived();
    glm::vec3 angularAcceleration = m_worldInverseInertia * m_torque;

    m_velocity += acceleration * h;
    float horizontal = m_velocity.x * m_velocity.x + m_velocity.z * m_velocity.z;
    if (horizontal > kMaxHorizontalSpeed * kMaxHorizontalSpeed) {
        // The whole vector is rescaled, so a fast body also falls more slowly.
        m_velocity *= kMaxHorizontalSpeed / glm::length(m_velocity);
    }
    m_angularVelocity += angularAcceleration * h;

    if (m_transform) {
        m_transform->SetPosition(m_transform->GetPosition() + m_velocity * h);
        // Where this body put itself: CapturePose tells a move by anything else from this one.
        m_centre = m_transform->GetPosition();
    }

    // dq/dt = ½ (ω, 0) ⊗ q, one explicit Euler step.
    glm::vec3 w = m_angularVelocity * h;
    m_orientation = m_orientation + 0.5f * (glm::quat(0.0f, w.x, w.y, w.z) * m_orientation);
    // The colliders of this step must see the new orientation, not the one before the move.
    UpdateDerived();

    // Only horizontal velocity is damped: a falling body falls freely.
    m_velocity.x *= m_material.linearDamping;
    m_velocity.z *= m_material.linearDamping;
    m_angularVelocity *= m_angularDamping;

    if (!IsFinite(m_velocity) || !IsFinite(m_angularVelocity)) {
        // Only a non-finite position (a bad transform) gets here; stop the body rather than
        // letting the value reach other bodies through contacts.
        ReportRefused("Integrate", m_velocity);
        m_velocity = glm::vec3(0.0f);
        m_angularVelocity = glm::vec3(0.0f);
    }

    SyncTransform();

    float speed = glm::dot(m_angularVelocity, m_angularVelocity) + glm::dot(m_velocity, m_velocity);
    if (speed < kSleepThreshold && !m_player) {
        if (++m_slowSteps >= kStepsToSleep) Sleep();
    } else {
        m_slowSteps = 0;
    }

    m_force = glm::vec3(0.0f);
    m_torque = glm::vec3(0.0f);
}

void Body::Sleep() {
    m_velocity = glm::vec3(0.0f);
    m_angularVelocity = glm::vec3(0.0f);
    m_awake = false;
}

void Body::Wake() {
    if (!m_awake) m_slowSteps = 0;
    m_awake = true;
}

void Body::SetVelocities(const glm::vec3& velocity, const glm::vec3& angularVelocity, bool awake) {
    m_velocity = velocity;
    m_angularVelocity = angularVelocity;
    // Woken by a contact, the body keeps its count of slow steps: at rest it goes back to sleep
    // at its next slow step, so two bodies resting on each other fall asleep together instead of
    // waking each other in turn for ever. A body that is really pushed moves fast and restarts it.
    if (awake) m_awake = true;
}

void Body::SyncTransform() {
    if (!m_transform) return;
    glm::mat4 world = glm::translate(glm::mat4(1.0f), m_transform->GetPosition()) * glm::mat4(m_rotation);
    m_transform->SetWorldMatrix(glm::scale(world, m_transform->GetScale()));
}

void Body::ReportRefused(const char* operation, const glm::vec3& value) const {
    char detail[160];
    std::snprintf(detail, sizeof(detail), "object %s got (%g, %g, %g); the body keeps its previous state",
                  GetOwner() ? GetOwner()->GetId().c_str() : "(none)", static_cast<double>(value.x),
                  static_cast<double>(value.y), static_cast<double>(value.z));
    ReportProblem(Warning, std::string("Body.") + operation + ": value refused", detail);
}

bool Body::SetMass(float mass) {
    if (!std::isfinite(mass)) {
        ReportRefused("SetMass", glm::vec3(mass, 0.0f, 0.0f));
        return false;
    }
    // The body keeps no mass of its own beyond its material: only "static" can be asked for.
    if (mass == 0.0f) {
        m_static = true;
        m_inverseMass = 0.0f;
        m_localInverseInertia = glm::mat3(0.0f);
        m_worldInverseInertia = glm::mat3(0.0f);
    }
    return true;
}

float Body::GetMass() const { return m_inverseMass == 0.0f ? 0.0f : 1.0f / m_inverseMass; }

bool Body::SetVelocity(const glm::vec3& velocity) {
    if (!IsFinite(velocity)) {
        ReportRefused("SetVelocity", velocity);
        return false;
    }
    m_velocity = velocity;
    return true;
}

bool Body::AddVelocity(const glm::vec3& delta) {
    if (!IsFinite(delta)) {
        ReportRefused("AddVelocity", delta);
        return false;
    }
    m_velocity += delta;
    return true;
}

bool Body::AddForce(const glm::vec3& force) {
    for (int i = 0; i < 3; ++i) {
        // Written so that NaN fails the test too.
        if (!(force[i] > -kForceLimit && force[i] < kForceLimit)) {
            ReportRefused("AddForce", force);
            return false;
        }
    }
    Wake();
    if (!m_deepContact) m_force += force;
    return true;
}

bool Body::AddTorque(const glm::vec3& torque) {
    if (!IsFinite(torque)) {
        ReportRefused("AddTorque", torque);
        return false;
    }
    m_torque += torque;
    return true;
}

} // namespace zumek
