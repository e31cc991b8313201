// objects/Transform.cpp
#include "objects/Transform.h"

#define GLM_ENABLE_EXPERIMENTAL
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/quaternion.hpp>
#include <glm/gtx/matrix_decompose.hpp>

#include "engine/EngineLog.h"
#include "objects/Object.h"
#include "objects/ObjectManager.h"
#include "objects/Player.h"
#include "platform/Assert.h"

namespace zumek {
namespace {

struct Decomposed {
    glm::vec3 translation{0.0f};
    glm::vec3 scale{1.0f};
    glm::vec3 rotation{0.0f}; ///< radians
};

Decomposed Decompose(const glm::mat4& matrix) {
    Decomposed result;
    glm::quat orientation;
    glm::vec3 skew;
    glm::vec4 perspective;
    if (glm::decompose(matrix, result.scale, orientation, result.translation, skew, perspective))
        result.rotation = glm::eulerAngles(orientation);
    return result;
}

glm::mat4 RotationMatrix(const glm::vec3& radians) {
    glm::mat4 m = glm::rotate(glm::mat4(1.0f), radians.z, glm::vec3(0, 0, 1));
    m = glm::rotate(m, radians.y, glm::vec3(0, 1, 0));
    return glm::rotate(m, radians.x, glm::vec3(1, 0, 0));
}

} // namespace

Transform::Transform(const glm::vec3& position, const glm::vec3& scale, const glm::vec3& rotationDegrees)
    : m_position(position), m_scale(scale), m_rotation(rotationDegrees * kDegreesToRadians),
      m_rotationDegrees(rotationDegrees) {}

void Transform::Respawn() {
    ASSERT(GetOwner() != nullptr, "owner");
    if (!GetOwner()) return;
    Player* player = GetOwner()->GetComponent<Player>();
    if (player && player->GetRespawnPosition()) SetPosition(*player->GetRespawnPosition());
}

glm::vec3 Transform::GetPosition() const {
    if (m_parentCache.empty()) return m_position;
    return Decompose(m_parentWorld * GetLocalMatrix()).translation;
}

glm::vec3 Transform::GetScale() const {
    if (m_parentCache.empty()) return m_scale;
    return Decompose(m_parentWorld * GetLocalMatrix()).scale;
}

glm::vec3 Transform::GetRotation() const {
    if (m_parentCache.empty()) return m_rotation;
    return Decompose(m_parentWorld * GetLocalMatrix()).rotation;
}

glm::vec3 Transform::GetRotationDegrees() const {
    if (m_parentCache.empty()) return m_rotationDegrees;
    return Decompose(m_parentWorld * GetLocalMatrix()).rotation * kRadiansToDegrees;
}

void Transform::SetPosition(const glm::vec3& position) {
    if (m_parentCache.empty()) {
        m_position = position;
        return;
    }
    m_position = Decompose(m_parentWorldInverse * glm::translate(glm::mat4(1.0f), position)).translation;
}

void Transform::SetScale(const glm::vec3& scale) {
    if (m_parentCache.empty()) {
        m_scale = scale;
        return;
    }
    m_scale = Decompose(m_parentWorldInverse * glm::scale(glm::mat4(1.0f), scale)).scale;
}

void Transform::SetRotation(const glm::vec3& degrees) {
    if (m_parentCache.empty()) {
        m_rotationDegrees = degrees;
        m_rotation = degrees * kDegreesToRadians;
        return;
    }
    m_rotation = Decompose(m_parentWorldInverse * RotationMatrix(degrees * kDegreesToRadians)).rotation;
    m_rotationDegrees = m_rotation * kRadiansToDegrees;
}

glm::mat4 Transform::GetLocalMatrix() const {
    if (!m_dirty) return m_world;
    glm::mat4 m = glm::translate(glm::mat4(1.0f), m_position) * RotationMatrix(m_rotation);
    return glm::scale(m, m_scale);
}

void Transform::SetLocalFromMatrix(const glm::mat4& matrix) {
    Decomposed parts = Decompose(matrix);
    m_position = parts.translation;
    m_scale = parts.scale;
    m_rotation = parts.rotation;
    m_rotationDegrees = parts.rotation * kRadiansToDegrees;
}

void Transform::CacheParentWorld(Object& parent) {
    // Parent ids come from level files, so a chain may loop; deeper than any sensible hierarchy
    // counts as a loop and is cut there instead of recursing until the stack overflows.
    constexpr int kMaxParentDepth = 64;
    static int s_depth = 0;
    static bool s_loopReported = false;
    Transform* parentTransform = parent.GetComponent<Transform>();
    m_parentWorld = glm::mat4(1.0f); // a parent without a transform sits at the origin
    if (parentTransform && s_depth >= kMaxParentDepth) {
        if (!s_loopReported) {
            s_loopReported = true;
            ReportProblem(Error, "The parent chain of " + parent.GetId() + " loops",
                          "the chain is cut there; check the parentId attributes of place " + parent.GetPlace());
        }
    } else if (parentTransform) {
        ++s_depth;
        m_parentWorld = parentTransform->GetWorldMatrix();
        --s_depth;
    }
    m_parentWorldInverse = glm::inverse(m_parentWorld);
}

glm::mat4 Transform::GetWorldMatrix() {
    if (!m_dirty) return m_world;
    Object* owner = GetOwner();
    Object* parent = nullptr;
    if (owner && !owner->GetParentId().empty()) {
        parent = ObjectManager::Instance().GetObject(owner->GetParentId());
        // An object named as its own parent would recurse for ever: treat it as no parent.
        if (parent == owner) parent = nullptr;
    }
    glm::mat4 result;
    if (!parent) {
        if (!m_parentCache.empty()) {
            // Detached: keep the world placement by making it the local one.
            glm::mat4 world = m_parentWorld * GetLocalMatrix();
            m_parentCache.clear();
            m_parentWorld = glm::mat4(1.0f);
            m_parentWorldInverse = glm::mat4(1.0f);
            SetLocalFromMatrix(world);
        }
        result = GetLocalMatrix();
    } else if (owner->GetParentId() == m_parentCache) {
        CacheParentWorld(*parent);
        result = m_parentWorld * GetLocalMatrix();
    } else {
        // Newly attached or re-parented: keep the world placement under the new parent.
        glm::mat4 oldWorld = m_parentWorld * GetLocalMatrix();
        m_parentCache = owner->GetParentId();
        CacheParentWorld(*parent);
        SetLocalFromMatrix(m_parentWorldInverse * oldWorld);
        result = m_parentWorld * GetLocalMatrix();
    }
    m_world = result;
    return result;
}

void Transform::SetWorldMatrix(const glm::mat4& world) {
    m_world = world;
    m_dirty = false;
}

} // namespace zumek
