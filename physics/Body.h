// physics/Body.h
#pragma once
#include <cstdint>
#include <memory>

#include <glm/gtc/quaternion.hpp>
#include <glm/mat3x3.hpp>
#include <glm/vec3.hpp>

#include "objects/Component.h"
#include "physics/Collider.h"
#include "physics/Material.h"

namespace zumek {

class Transform;

/// A rigid body with one collider and a material; its pose follows the owner's Transform.
class Body final : public Component {
public:
    /// Shape indices as level files name them: "Sphere" 0, "Plane" 1, "Box" 2, "Ghost" 3 (a box
    /// that overlaps but produces no contacts).
    static constexpr int32_t kShapeSphere = 0;
    static constexpr int32_t kShapePlane = 1;
    static constexpr int32_t kShapeBox = 2;
    static constexpr int32_t kShapeGhost = 3;

    /// `extents`: full size along x, y, z in world units. A shape index outside 0..3 gives a
    /// plane, a material id outside the table "Wall".
    Body(const glm::vec3& extents, int32_t shape, int32_t materialId, bool isStatic,
         const glm::vec3& velocity = glm::vec3(0.0f));

    /// Keeps the owner's transform and takes the orientation from its rotation.
    void Initialize() override;
    /// Velocities, force and torque back to zero; awake and deep-contact flags stay.
    void Respawn() override;

    const glm::vec3& GetExtents() const { return m_extents; }
    int32_t GetShape() const { return m_shape; }
    const Material& GetMaterial() const { return m_material; }
    bool IsStatic() const { return m_static; }
    bool IsAwake() const { return m_awake; }
    /// 0 for static bodies and bodies without volume.
    float GetInverseMass() const { return m_inverseMass; }
    const glm::mat3& GetLocalInverseInertia() const { return m_localInverseInertia; }
    const glm::mat3& GetWorldInverseInertia() const { return m_worldInverseInertia; }
    const glm::quat& GetOrientation() const { return m_orientation; }
    const glm::vec3& GetVelocity() const { return m_velocity; }
    const glm::vec3& GetAngularVelocity() const { return m_angularVelocity; }
    Collider* GetCollider() const { return m_collider.get(); }
    Transform* GetTransform() const { return m_transform; }

private:
    void UpdateOrientationFrom(const glm::vec3& radians);

    float m_inverseMass = 0.0f;
    glm::mat3 m_localInverseInertia{0.0f};
    glm::mat3 m_worldInverseInertia{0.0f};
    bool m_static;
    Transform* m_transform = nullptr;
    glm::vec3 m_extents;
    int32_t m_shape;
    glm::quat m_orientation{1.0f, 0.0f, 0.0f, 0.0f}; ///< identity
    glm::mat3 m_rotation{1.0f};
    glm::vec3 m_velocity;
    glm::vec3 m_angularVelocity{0.0f};
    bool m_awake = true;
    float m_gravityScale = 1.0f; ///< read and written by scripts only
    float m_damping = 0.95f;     ///< read and written by scripts only
    float m_angularDamping = 0.9f;
    glm::vec3 m_force{0.0f};
    bool m_deepContact = false;
    glm::vec3 m_torque{0.0f};
    std::unique_ptr<Collider> m_collider;
    Material m_material;
};

} // namespace zumek
