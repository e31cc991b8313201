// Mouse look end to end without a display: SDL motion events as a real mouse sends them, through
// the window's translation, the window procedure's event rules and the carried camera.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include <SDL.h>

#include "engine/SettingManager.h"
#include "input/EventPoller.h"
#include "input/InputEvents.h"
#include "objects/Camera.h"
#include "objects/Object.h"
#include "objects/Transform.h"
#include "platform/MessageTranslation.h"

using namespace zumek;

namespace {

constexpr int kWindowWidth = 1280;

class MouseLook : public ::testing::Test {
protected:
    void SetUp() override {
        InputEvents::Instance().Clear();
        SettingManager::GetSetting<CameraMovementSetting>() = CameraMovementSetting(1);
        player.AddComponent(std::make_unique<Transform>(glm::vec3(0), glm::vec3(1), glm::vec3(0)));
        camera = player.AddComponent(std::make_unique<Camera>());
    }

    /// One frame: the camera takes its events, then the message pump delivers `steps` motion
    /// events of `dx` pixels each. SDL's cursor position stops at the window's edge; the
    /// relative step does not.
    void Frame(int steps, int dx) {
        camera->Update(false, glm::vec3(0), glm::quat(1, 0, 0, 0));
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
    float Yaw() { return player.GetComponent<Transform>()->GetRotationDegrees().y; }

    /// Moves the mouse 5000 pixels to the right, 10 per frame in two steps; returns the yaw
    /// after each frame, starting with the yaw before.
    std::vector<float> TurnRight5000() {
        std::vector<float> yaw{Yaw()};
        for (int frame = 0; frame < 500; ++frame) {
            Frame(2, 5);
            yaw.push_back(Yaw());
        }
        Frame(0, 0); // the last frame's motion is taken in the next
        yaw.push_back(Yaw());
        return yaw;
    }

    Object player{"player1", "player", "scene", ""};
    Camera* camera = nullptr; ///< owned by the object, added in SetUp
    EventPoller poller;
    CapturedMouse captured;
    int m_sdlX = 640;
};

} // namespace

TEST_F(MouseLook, HeldMouseTurnsAllTheWayRoundAtTheSameRateFromStartToEnd) {
    captured.active = true;
    captured.x = 640;
    captured.y = 360;
    poller.OnMessage(nullptr, WM_MOUSEMOVE, 0, PackPoint(640, 360));
    InputEvents::Instance().Clear();

    std::vector<float> yaw = TurnRight5000();
    // The same turn per pixel at the start, in the middle and at the end: 2 degrees a frame.
    const size_t frames = yaw.size() - 1;
    auto turnOver = [&](size_t first, size_t last) { return yaw[last] - yaw[first]; };
    EXPECT_FLOAT_EQ(turnOver(1, 101), -200.0f);
    EXPECT_FLOAT_EQ(turnOver(frames - 100, frames), -200.0f);
    EXPECT_FLOAT_EQ(yaw.back() - yaw.front(), -1000.0f); // nearly three times round
    // And never the other way.
    for (size_t i = 1; i < yaw.size(); ++i) EXPECT_LE(yaw[i], yaw[i - 1]) << "frame " << i;
}

TEST_F(MouseLook, AccumulatedPositionsWrapWithoutTurningBack) {
    captured.active = true;
    captured.x = 65500;
    poller.OnMessage(nullptr, WM_MOUSEMOVE, 0, PackPoint(65500, 0));
    InputEvents::Instance().Clear();
    float before = Yaw();
    for (int frame = 0; frame < 20; ++frame) Frame(1, 7); // across 65535
    Frame(0, 0);
    EXPECT_FLOAT_EQ(Yaw() - before, -40.0f);
    EXPECT_EQ(captured.x, 65500 + 140 - 65536);
}
