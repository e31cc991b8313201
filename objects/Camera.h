// objects/Camera.h
#pragma once
#include <glm/gtc/quaternion.hpp>
#include <glm/vec3.hpp>

#include "objects/Component.h"

namespace zumek {

/// Turns the orientation angles steered by input and scripts, the carrying object's transform
/// and the headset orientation into the view matrix of the frame (stored in CameraSetting).
/// With CameraMovementSetting 1 the camera rides on its object, and the mouse's turn and look
/// events and the arrow keys' events steer it alike (2 degrees of yaw, 0.05 rad of pitch per
/// frame and direction); otherwise it flies freely and the arrow keys move its eye.
class Camera final : public Component {
public:
    void Initialize() override {}
    void Respawn() override {}

    /// Once per frame, for the player's camera. Takes the camera's input events, recomputes the
    /// view and stores it, with its diagonal scaled by the world scale, in CameraSetting.
    /// With a headset the view is seen from the headset's eye: `headsetPosition` and
    /// `headsetOrientation` are that eye's pose in the headset's tracking space, carried by the
    /// camera's eye.
    void Update(bool headsetEnabled, const glm::vec3& headsetPosition, const glm::quat& headsetOrientation);
    /// The view of the last Update seen from another headset eye (the second eye of a frame);
    /// takes no input.
    void LookFromEye(const glm::vec3& headsetPosition, const glm::quat& headsetOrientation);

    /// Free-mode steering (scripts): yaw += `yawDelta`, pitch += `pitchDelta` clamped to the limit.
    void AddOrientation(float yawDelta, float pitchDelta);
    /// Free-mode steering (scripts): yaw += `yawDelta`.
    void AddRotation(float yawDelta) { m_yaw += yawDelta; }
    /// Factor on the view matrix's diagonal.
    void SetScaleWorld(float scale) { m_worldScale = scale; }

    const glm::vec3& GetEye() const { return m_eye; }
    float GetYaw() const { return m_yaw; }
    float GetPitch() const { return m_pitch; }
    float GetPitchLimit() const { return m_pitchLimit; }
    float GetWorldScale() const { return m_worldScale; }
    float GetViewYaw() const { return m_viewYaw; }     ///< radians
    float GetViewPitch() const { return m_viewPitch; } ///< radians
    /// Forward vector of the last view.
    const glm::vec3& GetOrientation() const { return m_orientation; }

private:
    void ClampViewPitch();
    void StoreView(bool headsetEnabled, const glm::vec3& headsetPosition, const glm::quat& headsetOrientation);

    glm::mat4 m_bodyView{1.0f}; ///< the view without the headset's pose

    glm::vec3 m_eye{0.0f};        ///< world space
    float m_yaw = 0.0f;           ///< free-mode horizontal input
    float m_pitch = 0.0f;         ///< free-mode vertical input, within +-m_pitchLimit
    float m_pitchLimit = 0.9f;    ///< radians
    float m_worldScale = 1.0f;
    float m_viewYaw = 0.0f;       ///< radians
    float m_viewPitch = 0.0f;     ///< radians
    glm::vec3 m_orientation{0.0f};
};

} // namespace zumek
