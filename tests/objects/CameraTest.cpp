// The camera: carried by its object or flying free, steered by input events, writing the view;
// and mouse look end to end.
#include "objects/Camera.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include <SDL.h>
#include <glm/gtc/matrix_transform.hpp>

#include "engine/SettingManager.h"
#include "input/EventPoller.h"
#include "input/InputEvents.h"
#include "input/InputSystem.h"
#include "objects/Object.h"
#include "objects/Transform.h"
#include "platform/MessageTranslation.h"

using namespace zumek;

namespace {

class CameraTest : public ::testing::Test {
protected:
    void SetUp() override {
        InputEvents::Instance().Clear();
        SettingManager::GetSetting<CameraMovementSetting>() = CameraMovementSetting(1);
        transform = object.AddComponent(std::make_unique<Transform>(glm::vec3(0), glm::vec3(1), glm::vec3(0)));
        camera = object.AddComponent(std::make_unique<Camera>());
    }
    void Update() { camera->Update(false, glm::vec3(0), glm::quat(1, 0, 0, 0)); }
    const glm::mat4& View() const { return SettingManager::GetSetting<CameraSetting*>()->view; }
    float Yaw() const { return transform->GetRotationDegrees().y; }

    Object object{"player1", "player", "scene", ""};
    Transform* transform = nullptr; ///< owned by the object, added in SetUp
    Camera* camera = nullptr;
};

TEST_F(CameraTest, AddOrientationClampsPitch) {
    camera->AddOrientation(0.5f, 2.0f);
    EXPECT_FLOAT_EQ(camera->GetPitch(), 0.9f);
    EXPECT_FLOAT_EQ(camera->GetYaw(), 0.5f);
    camera->AddOrientation(0.0f, -4.0f);
    EXPECT_FLOAT_EQ(camera->GetPitch(), -0.9f);
}

TEST_F(CameraTest, CarriedPitchClimbsPerEventAndStopsAtTheLimit) {
    for (int frame = 1; frame <= 20; ++frame) {
        InputEvents::Instance().Raise(input_event::CAMERA_UP);
        Update();
        EXPECT_FALSE(InputEvents::Instance().Test(input_event::CAMERA_UP));
        EXPECT_NEAR(camera->GetViewPitch(), std::min(0.05f * frame, 0.9f), 1e-5f) << "frame " << frame;
    }
}

TEST_F(CameraTest, CarriedEyeSitsAboveTheObject) {
    Update();
    EXPECT_EQ(camera->GetEye(), glm::vec3(0, 1.2f, 0));
    transform->SetPosition(glm::vec3(3, 1, -2));
    transform->SetScale(glm::vec3(1, 2, 1));
    Update();
    EXPECT_NEAR(camera->GetEye().y, 3.2f, 1e-6f);
    // Looking along +z from the eye: the eye maps to the view's origin.
    glm::vec4 eyeInView = View() * glm::vec4(camera->GetEye(), 1.0f);
    EXPECT_NEAR(glm::length(glm::vec3(eyeInView)), 0.0f, 1e-5f);
    EXPECT_NEAR(camera->GetOrientation().z, 1.0f, 1e-5f);
}

TEST_F(CameraTest, CarriedMouseOrArrowOrBothMakeOneStepAndAreTaken) {
    auto& events = InputEvents::Instance();
    // Turning turns the carrying object; the view yaw is read before the turn, so it follows a
    // frame later.
    events.Raise(input_event::CAMERA_RIGHT);
    Update();
    EXPECT_FLOAT_EQ(Yaw(), -2.0f);
    EXPECT_FLOAT_EQ(camera->GetViewYaw(), 0.0f);
    Update();
    EXPECT_NEAR(camera->GetViewYaw(), -2.0f * 0.017453292f, 1e-6f);

    struct Look {
        InputEvent mouse, arrow;
        float yawDegrees, pitch;
    };
    using namespace input_event;
    const Look looks[] = {{CAMERA_RIGHT, ARROW_RIGHT, -2, 0}, {CAMERA_LEFT, ARROW_LEFT, 2, 0},
                          {CAMERA_UP, ARROW_UP, 0, 0.05f}, {CAMERA_DOWN, ARROW_DOWN, 0, -0.05f}};
    for (const Look& look : looks) {
        for (const auto& [way, raised] :
             {std::pair{"mouse", std::vector{look.mouse}}, {"arrow", {look.arrow}}, {"both", {look.mouse, look.arrow}}}) {
            SCOPED_TRACE(::testing::Message() << way << ", events " << look.mouse << " and " << look.arrow);
            const float yaw = Yaw(), pitch = camera->GetViewPitch();
            for (InputEvent event : raised) events.Raise(event);
            Update();
            Update(); // nothing left pending: no second step
            EXPECT_NEAR(Yaw() - yaw, look.yawDegrees, 1e-4f);
            EXPECT_NEAR(camera->GetViewPitch() - pitch, look.pitch, 1e-6f);
            EXPECT_EQ(events.PendingCount(), 0u);
        }
    }
}

TEST_F(CameraTest, CarriedCameraFollowsTheGamepadsRightStick) {
    struct Pad : GamepadSource {
        bool GetState(int index, GamepadReading& reading) override {
            reading.gamepad.thumbRX = 32767; // full right
            reading.gamepad.thumbRY = 32767; // full up
            return index == 0;
        }
    } pad;
    InputSystem input(&pad);
    std::vector<Object*> none;
    for (int frame = 1; frame <= 5; ++frame) {
        input.Update(0.011f, none);
        Update();
    }
    EXPECT_FLOAT_EQ(Yaw(), -10.0f);
    EXPECT_NEAR(camera->GetViewPitch(), 0.25f, 1e-5f);
}

TEST_F(CameraTest, WorldScaleMultipliesOnlyTheDiagonal) {
    Update();
    glm::mat4 plain = View();
    camera->SetScaleWorld(2.0f);
    Update();
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            EXPECT_FLOAT_EQ(View()[c][r], (c == r && c < 3) ? plain[c][r] * 2.0f : plain[c][r]) << c << "," << r;
}

TEST_F(CameraTest, FreeCameraSteersByInputAndMovesWhileKeysArePending) {
    SettingManager::GetSetting<CameraMovementSetting>() = CameraMovementSetting(0);
    InputEvents::Instance().Raise(input_event::CAMERA_RIGHT);
    InputEvents::Instance().Raise(input_event::CAMERA_UP);
    InputEvents::Instance().Raise(input_event::ARROW_UP);
    Update();
    EXPECT_FLOAT_EQ(camera->GetYaw(), 0.2f);
    EXPECT_FLOAT_EQ(camera->GetPitch(), 0.2f);
    float width = static_cast<float>(SettingManager::GetSetting<ResolutionSetting>().width);
    EXPECT_FLOAT_EQ(camera->GetViewYaw(), (width * 0.5f - 0.2f) * 0.2f);
    EXPECT_FLOAT_EQ(camera->GetViewPitch(), 0.04f);
    // Movement keys are tested, not taken: they act every frame while held.
    EXPECT_TRUE(InputEvents::Instance().Test(input_event::ARROW_UP));
    Update();
    EXPECT_NEAR(camera->GetEye().y, 0.2f, 1e-6f);
    // The arrow keys move the free eye; they do not turn it.
    InputEvents::Instance().Raise(input_event::ARROW_RIGHT);
    Update();
    EXPECT_FLOAT_EQ(camera->GetYaw(), 0.2f);
    EXPECT_TRUE(InputEvents::Instance().Test(input_event::ARROW_RIGHT));
}

/// Mouse look without a display: SDL motion events as a real mouse sends them, through the
/// window's translation, the window procedure's event rules and the carried camera.
class MouseLook : public CameraTest {
protected:
    static constexpr int kWindowWidth = 1280;

    /// One frame: the camera takes its events, then the message pump delivers `steps` motion
    /// events of `dx` pixels each. SDL's cursor position stops at the window's edge; the
    /// relative step does not.
    void Frame(int steps, int dx) {
        Update();
        for (int i = 0; i < steps; ++i) {
            SDL_Event e{};
            e.type = SDL_MOUSEMOTION;
            m_sdlX = std::min(m_sdlX + dx, kWindowWidth - 1);
            e.motion.x = m_sdlX;
            e.motion.y = 360;
            e.motion.xrel = dx;
            std::vector<WindowMessage> messages;
            TranslateSdlEvent(e, messages, &captured);
            for (const auto& m : messages) poller.OnMessage(nullptr, m.message, m.wParam, m.lParam);
        }
    }

    EventPoller poller;
    CapturedMouse captured;
    int m_sdlX = 640;
};

TEST_F(MouseLook, HeldMouseTurnsAllTheWayRoundAtTheSameRateFromStartToEnd) {
    captured.active = true;
    captured.x = 640;
    captured.y = 360;
    poller.OnMessage(nullptr, WM_MOUSEMOVE, 0, PackPoint(640, 360));
    InputEvents::Instance().Clear();

    // 5000 pixels to the right, 10 per frame in two steps; the last frame's motion is taken in
    // the next.
    std::vector<float> yaw{Yaw()};
    for (int frame = 0; frame < 500; ++frame) {
        Frame(2, 5);
        yaw.push_back(Yaw());
    }
    Frame(0, 0);
    yaw.push_back(Yaw());
    // The same turn per pixel at the start, in the middle and at the end: 2 degrees a frame.
    const size_t frames = yaw.size() - 1;
    auto turnOver = [&](size_t first, size_t last) { return yaw[last] - yaw[first]; };
    EXPECT_FLOAT_EQ(turnOver(1, 101), -200.0f);
    EXPECT_FLOAT_EQ(turnOver(frames - 100, frames), -200.0f);
    EXPECT_FLOAT_EQ(yaw.back() - yaw.front(), -1000.0f); // nearly three times round
    // And never the other way.
    for (size_t i = 1; i < yaw.size(); ++i) EXPECT_LE(yaw[i], yaw[i - 1]) << "frame " << i;
}

} // namespace

TEST(CameraViewerTest, ACameraNotCarriedByThePlayerHoldsItsViewAndLeavesTheArrows) {
    InputEvents::Instance().Clear();
    SettingManager::GetSetting<CameraMovementSetting>() = CameraMovementSetting(1);
    Object viewer{"player1", "viewer", "mainmenu", ""};
    viewer.AddComponent(std::make_unique<Transform>(glm::vec3(0, 0.3f, 0), glm::vec3(1), glm::vec3(0)));
    auto* camera = viewer.AddComponent(std::make_unique<Camera>());
    using namespace input_event;
    const InputEvent mice[] = {CAMERA_LEFT, CAMERA_RIGHT, CAMERA_DOWN, CAMERA_UP};
    const InputEvent arrows[] = {ARROW_UP, ARROW_DOWN, ARROW_LEFT, ARROW_RIGHT};
    for (InputEvent event : mice) InputEvents::Instance().Raise(event);
    for (InputEvent event : arrows) InputEvents::Instance().Raise(event);
    camera->Update(false, glm::vec3(0), glm::quat(1, 0, 0, 0));
    EXPECT_FLOAT_EQ(viewer.GetComponent<Transform>()->GetRotationDegrees().y, 0.0f);
    EXPECT_FLOAT_EQ(camera->GetViewPitch(), 0.0f);
    EXPECT_NEAR(camera->GetEye().y, 1.5f, 1e-6f);
    for (InputEvent mouse : mice) EXPECT_FALSE(InputEvents::Instance().Test(mouse)) << "mouse " << mouse << " dropped";
    for (InputEvent arrow : arrows) EXPECT_TRUE(InputEvents::Instance().Test(arrow)) << "arrow " << arrow << " left for the menu";
    InputEvents::Instance().Clear();
}
