// objects/Transform.h
#pragma once
#include <string>

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

#include "objects/Component.h"

namespace zumek {

/// Places an object: position, scale and Euler rotation (about X, then Y, then Z), relative to
/// the parent object named by the owner's parent id when that object exists in the current
/// place. Getters and setters work in world space while a parent is resolved, in local space
/// otherwise. Attaching and detaching keep the object's world placement.
class Transform final : public Component {
public:
    /// `rotationDegrees` in degrees.
    Transform(const glm::vec3& position, const glm::vec3& scale, const glm::vec3& rotationDegrees);

    void Initialize() override {}
    /// Moves a player back to where it stood right after creation; other objects stay.
    void Respawn() override;

    glm::vec3 GetPosition() const;
    glm::vec3 GetScale() const;
    glm::vec3 GetRotation() const;        ///< radians
    glm::vec3 GetRotationDegrees() const; ///< degrees
    void SetPosition(const glm::vec3& position);
    void SetScale(const glm::vec3& scale);
    void SetRotation(const glm::vec3& degrees);

    /// translate * rotZ * rotY * rotX * scale of the local fields, or the stored matrix once
    /// SetWorldMatrix was called.
    glm::mat4 GetLocalMatrix() const;
    /// The world matrix; resolves the parent (lazily, so a changed parent id takes effect here)
    /// and recomputes on every call until SetWorldMatrix stores one.
    glm::mat4 GetWorldMatrix();
    /// Stores `world` and returns it from now on (the physics body drives the object).
    void SetWorldMatrix(const glm::mat4& world);

    /// Id of the parent last resolved against; empty when none.
    const std::string& ParentCache() const { return m_parentCache; }
    /// The local fields, whatever the parent.
    const glm::vec3& LocalPosition() const { return m_position; }
    const glm::vec3& LocalScale() const { return m_scale; }
    const glm::vec3& LocalRotationDegrees() const { return m_rotationDegrees; }

private:
    /// Sets position, scale and both rotation fields from `matrix`.
    void SetLocalFromMatrix(const glm::mat4& matrix);
    /// The parent's world matrix, also kept with its inverse.
    void CacheParentWorld(class Object& parent);

    glm::vec3 m_position;
    glm::vec3 m_scale;
    glm::vec3 m_rotation;        ///< radians
    glm::vec3 m_rotationDegrees; ///< degrees, in step with m_rotation
    std::string m_parentCache;
    glm::mat4 m_parentWorld{1.0f};
    glm::mat4 m_parentWorldInverse{1.0f};
    bool m_dirty = true; ///< false once SetWorldMatrix stored a matrix
    glm::mat4 m_world{1.0f};
};

/// Degrees to radians and back, as single-precision factors.
inline constexpr float kDegreesToRadians = 0.017453292f;
inline constexpr float kRadiansToDegrees = 57.29578f;

} // namespace zumek
