// physics/Body.cpp
#include "physics/Body.h"

#include <cmath>

#include "objects/Object.h"
#include "objects/Transform.h"
#include "physics/BoxCollider.h"
#include "physics/PlaneCollider.h"
#include "physics/SphereCollider.h"

namespace zumek {

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
        glm::vec3 squared = extents * extents;
        glm::vec3 inertia = mass / 12.0f * glm::vec3(squared.y + squared.z, squared.x + squared.z, squared.x + squared.y);
        // An extent of 0 on two axes leaves no rotational inertia about the third: no rotation.
        for (int i = 0; i < 3; ++i) m_localInverseInertia[i][i] = inertia[i] > 0.0f ? 1.0f / inertia[i] : 0.0f;
    }
}

void Body::UpdateOrientationFrom(const glm::vec3& radians) {
    m_orientation = glm::quat(radians);
    float length = glm::length(m_orientation);
    m_orientation = length > 0.0f ? m_orientation / length : glm::quat(1.0f, 0.0f, 0.0f, 0.0f);
    m_rotation = glm::mat3_cast(m_orientation);
    m_worldInverseInertia = m_rotation * m_localInverseInertia * glm::transpose(m_rotation);
}

void Body::Initialize() {
    m_transform = GetOwner() ? GetOwner()->GetComponent<Transform>() : nullptr;
    if (m_transform) UpdateOrientationFrom(m_transform->GetRotation());
}

void Body::Respawn() {
    m_velocity = glm::vec3(0.0f);
    m_angularVelocity = glm::vec3(0.0f);
    m_force = glm::vec3(0.0f);
    m_torque = glm::vec3(0.0f);
}

} // namespace zumek
