// graphics/PickingListener.h
#pragma once
#include <string>

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

#include "objects/Component.h"

namespace zumek {

/// Lets a script ask what lies under a screen point; the renderer fills in the answer every frame.
class PickingListener final : public Component {
public:
    void Initialize() override {}
    void Respawn() override {}

    /// Window position to sample, pixels from the top left.
    void SetScreenPosition(const glm::vec2& position) { m_screenPosition = position; }
    /// The answer of the last sample.
    void SetPicked(const glm::vec3& worldPosition, const glm::vec3& normal, const std::string& id, const std::string& tag) {
        m_worldPosition = worldPosition;
        m_normal = normal;
        m_pickedId = id;
        m_pickedTag = tag;
    }

    const glm::vec3& GetWorldPosition() const { return m_worldPosition; }
    /// Unit surface normal of the object found there.
    const glm::vec3& GetNormal() const { return m_normal; }
    const glm::vec2& GetScreenPosition() const { return m_screenPosition; }
    /// Id of the object found there, empty when none.
    const std::string& GetPickedId() const { return m_pickedId; }
    const std::string& GetPickedTag() const { return m_pickedTag; }

private:
    glm::vec3 m_worldPosition{0.0f};
    glm::vec3 m_normal{0.0f};
    glm::vec2 m_screenPosition{400.0f, 300.0f};
    std::string m_pickedId;
    std::string m_pickedTag;
};

} // namespace zumek
