// objects/Camera.cpp
#include "objects/Camera.h"

#include <algorithm>
#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

#include "engine/SettingManager.h"
#include "input/InputEvents.h"
#include "objects/Object.h"
#include "objects/Transform.h"

namespace zumek {
namespace {

// The camera's input events: the arrow keys (the free camera's eye moves, the carried camera's
// looks), the free camera's forward and backward, and the mouse's turn and look events.
constexpr InputEvent kEyeUp = input_event::ARROW_UP;
constexpr InputEvent kEyeDown = input_event::ARROW_DOWN;
constexpr InputEvent kEyeLeft = input_event::ARROW_LEFT;
constexpr InputEvent kEyeRight = input_event::ARROW_RIGHT;
constexpr InputEvent kEyeForward = input_event::EYE_FORWARD;
constexpr InputEvent kEyeBackward = input_event::EYE_BACKWARD;
constexpr InputEvent kTurnLeft = input_event::CAMERA_LEFT;
constexpr InputEvent kTurnRight = input_event::CAMERA_RIGHT;
constexpr InputEvent kLookDown = input_event::CAMERA_DOWN;
constexpr InputEvent kLookUp = input_event::CAMERA_UP;

constexpr float kCarriedTurnDegrees = 2.0f; ///< per event
constexpr float kCarriedPitchStep = 0.05f;  ///< radians per event
constexpr float kFreeStep = 0.2f;           ///< free-mode input per event
constexpr float kFreeAngleScale = 0.2f;     ///< free-mode input to radians
constexpr float kEyeAboveHead = 0.2f;       ///< metres above the top of the object
constexpr float kFreeMoveStep = 0.1f;       ///< metres per frame while a move event is pending

} // namespace

void Camera::ClampViewPitch() { m_viewPitch = std::clamp(m_viewPitch, -m_pitchLimit, m_pitchLimit); }

void Camera::AddOrientation(float yawDelta, float pitchDelta) {
    m_yaw += yawDelta;
    m_pitch = std::clamp(m_pitch + pitchDelta, -m_pitchLimit, m_pitchLimit);
}

void Camera::Update(bool headsetEnabled, const glm::vec3& headsetPosition, const glm::quat& headsetOrientation) {
    InputEvents& events = InputEvents::Instance();
    const bool carried = SettingManager::GetSetting<CameraMovementSetting>() == 1;
    Transform* transform = GetOwner() ? GetOwner()->GetComponent<Transform>() : nullptr;
    // A camera carried by something other than the player (a menu's or a title's viewer) holds
    // its view: the mouse points at menu items there and the arrow keys are the scripts' to
    // take. Its mouse events are dropped so they do not turn the player in the next place.
    const bool looks = GetOwner() && GetOwner()->GetTag() == "player";
    if (carried && !looks) {
        for (InputEvent mouse : {kTurnRight, kTurnLeft, kLookDown, kLookUp}) events.Take(mouse);
        if (transform) {
            m_viewYaw = transform->GetRotation().y;
            m_eye = transform->GetPosition();
            m_eye.y += transform->GetScale().y + kEyeAboveHead;
        }
    } else if (carried) {
        if (transform) m_viewYaw = transform->GetRotation().y;
        // The arrow keys (and the gamepad's right stick, which raises the same events) look
        // around as the mouse does: one step per direction and frame, whichever of them asked.
        // Both events are taken, so neither is left pending for the next frame.
        auto takeEither = [&events](InputEvent mouse, InputEvent arrow) {
            bool tookMouse = events.Take(mouse);
            bool tookArrow = events.Take(arrow);
            return tookMouse || tookArrow;
        };
        if (takeEither(kTurnRight, kEyeRight) && transform) {
            glm::vec3 degrees = transform->GetRotationDegrees();
            degrees.y -= kCarriedTurnDegrees;
            transform->SetRotation(degrees);
        }
        if (takeEither(kTurnLeft, kEyeLeft) && transform) {
            glm::vec3 degrees = transform->GetRotationDegrees();
            degrees.y += kCarriedTurnDegrees;
            transform->SetRotation(degrees);
        }
        if (takeEither(kLookDown, kEyeDown)) {
            m_viewPitch -= kCarriedPitchStep;
            ClampViewPitch();
        }
        if (takeEither(kLookUp, kEyeUp)) {
            m_viewPitch += kCarriedPitchStep;
            ClampViewPitch();
        }
        if (transform) {
            m_eye = transform->GetPosition();
            m_eye.y += transform->GetScale().y + kEyeAboveHead;
        }
    } else {
        if (events.Take(kTurnRight)) m_yaw += kFreeStep;
        if (events.Take(kTurnLeft)) m_yaw -= kFreeStep;
        if (events.Take(kLookDown)) m_pitch -= kFreeStep;
        if (events.Take(kLookUp)) m_pitch += kFreeStep;
        float width = static_cast<float>(SettingManager::GetSetting<ResolutionSetting>().width);
        m_viewYaw = (width * 0.5f - m_yaw) * kFreeAngleScale;
        m_viewPitch = m_pitch * kFreeAngleScale;
    }

    glm::vec3 direction(std::sin(m_viewYaw) * std::cos(m_viewPitch), std::sin(m_viewPitch),
                        std::cos(m_viewYaw) * std::cos(m_viewPitch));
    // 1.57, not pi/2: the right vector leans a hair off the horizontal plane's perpendicular.
    glm::vec3 right(std::sin(m_viewYaw - 1.57f), 0.0f, std::cos(m_viewYaw - 1.57f));
    glm::vec3 up = glm::cross(right, direction);

    if (!carried) {
        if (events.Test(kEyeUp)) m_eye.y += kFreeMoveStep;
        if (events.Test(kEyeDown)) m_eye.y -= kFreeMoveStep;
        if (events.Test(kEyeRight)) m_eye += right * kFreeMoveStep;
        if (events.Test(kEyeLeft)) m_eye -= right * kFreeMoveStep;
        if (events.Test(kEyeForward)) m_eye += direction * kFreeMoveStep;
        if (events.Test(kEyeBackward)) m_eye -= direction * kFreeMoveStep;
    }

    m_bodyView = glm::lookAt(m_eye, m_eye + direction, up);
    StoreView(headsetEnabled, headsetPosition, headsetOrientation);
}

void Camera::LookFromEye(const glm::vec3& headsetPosition, const glm::quat& headsetOrientation) {
    StoreView(true, headsetPosition, headsetOrientation);
}

void Camera::StoreView(bool headsetEnabled, const glm::vec3& headsetPosition, const glm::quat& headsetOrientation) {
    // The headset's rotation is the orientation with w negated (its inverse), after the eye's
    // place in tracking space: view = eye-from-head x body view.
    glm::mat4 headset(1.0f);
    if (headsetEnabled) {
        glm::quat turned = headsetOrientation;
        turned.w = -turned.w;
        headset = glm::translate(glm::mat4_cast(turned), -headsetPosition);
    }
    glm::mat4 view = headset * m_bodyView;
    m_orientation = glm::quat_cast(glm::mat3(view)) * glm::vec3(0.0f, 0.0f, -1.0f);

    CameraSetting* record = SettingManager::GetSetting<CameraSetting*>();
    if (!record) return;
    record->view = view;
    for (int i = 0; i < 3; ++i) record->view[i][i] *= m_worldScale;
    record->orientation = m_orientation;
}

} // namespace zumek
