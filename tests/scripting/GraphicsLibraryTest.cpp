// The Sprite, Light, Particles, PickingListener, Camera and SpeechWindow libraries act on the
// component data and post their signals whether or not a renderer listens.
#include "graphics/Light.h"
#include "graphics/Particles.h"
#include "graphics/PickingListener.h"
#include "graphics/SpeechWindow.h"
#include "graphics/Sprite.h"
#include "objects/Camera.h"
#include "tests/scripting/ScriptFixture.h"

using namespace zumek;

namespace {

class GraphicsLibraryTest : public test::ScriptFixture {
protected:
    void SetUp() override {
        ScriptFixture::SetUp();
        WriteArchetypeAt("rich", "rich", 0, 0, 0, 1,
                         R"(<component type="camera"/><component type="light"/><component type="sprite"><model>cube</model></component>
                            <component type="pickinglistener"/><component type="particles"><maxparticles>4</maxparticles></component>)");
        StartCases("GraphicsCases");
        rich = Create("rich", "rich");
        ASSERT_NE(rich, nullptr);
    }
    Object* rich = nullptr;
};

TEST_F(GraphicsLibraryTest, SpriteAndLightColoursVisibilityAndTheRay) {
    test::SignalRecorder<LaserSignal> lasers;
    Lua("GraphicsCases.Drawables()");
    EXPECT_EQ(rich->GetComponent<Sprite>()->GetColor(), glm::vec3(0.25f, 0.5f, 1.0f));
    EXPECT_TRUE(rich->GetComponent<Sprite>()->IsHidden());
    EXPECT_EQ(rich->GetComponent<Light>()->GetColor(), glm::vec3(1.0f, 0.5f, 0.0f));
    ASSERT_EQ(lasers.values.size(), 1u);
    EXPECT_EQ(lasers.values[0].points, (std::vector<glm::vec3>{{1, 2, 3}, {4, 5, 6}}));
    Lua("Sprite.Hide(Object.GetSpriteComponent(ObjectManager.GetObject('rich')), false)");
    EXPECT_FALSE(rich->GetComponent<Sprite>()->IsHidden());
}

TEST_F(GraphicsLibraryTest, ParticleParametersGrowWithinTheProgramsLimit) {
    Lua("GraphicsCases.Particles()");
    Particles& particles = *rich->GetComponent<Particles>();
    EXPECT_EQ(particles.GetParameters(), (std::vector<glm::vec3>{{7, 8, 9}, {0, 0, 0}, {1, 2, 3}}));
    EXPECT_TRUE(particles.IsActive());
    EXPECT_EQ(LoggedStarting("Particles.SetParameter: index 64 is outside 0..63").size(), 1u);
    EXPECT_EQ(LoggedStarting("Particles.SetParameter: index -1 is outside 0..63").size(), 1u);
    Lua("Particles.EnableRender(Object.GetParticleComponent(ObjectManager.GetObject('rich')), 0)");
    EXPECT_FALSE(particles.IsActive());
}

TEST_F(GraphicsLibraryTest, PickingListenerAnswersWhatTheRendererFound) {
    PickingListener& listener = *rich->GetComponent<PickingListener>();
    EXPECT_EQ(Lua("GraphicsCases.Picking()"), "0 0 0\n0 0 0\n \n");
    EXPECT_EQ(listener.GetScreenPosition(), glm::vec2(12, 34));
    listener.SetPicked({1, 2, 3}, {0, 1, 0}, "floor1", "ground");
    EXPECT_EQ(Lua("GraphicsCases.Picking()"), "1 2 3\n0 1 0\nfloor1 ground\n");
}

TEST_F(GraphicsLibraryTest, CameraSettingsSteeringAndFade) {
    test::SignalRecorder<FadeSignal> fades;
    SettingManager::GetSetting<CameraSetting*>()->orientation = glm::vec3(0.5f, -0.25f, 1.0f);
    EXPECT_EQ(Lua("GraphicsCases.Camera()"), "0.5 -0.25 1\n1024 800\n");
    Camera& camera = *rich->GetComponent<Camera>();
    EXPECT_FLOAT_EQ(camera.GetYaw(), 0.75f);
    EXPECT_FLOAT_EQ(camera.GetPitch(), camera.GetPitchLimit());
    EXPECT_FLOAT_EQ(camera.GetWorldScale(), 3.0f);
    ASSERT_EQ(fades.values.size(), 1u);
    EXPECT_FLOAT_EQ(fades.values[0].step, 0.05f);
}

TEST_F(GraphicsLibraryTest, SpeechWindowShowsAndSpeaksTheCaption) {
    std::vector<std::string> spoken;
    SpeechWindow& window = SpeechWindow::Instance();
    window.SetSpeaker([&](const std::string& text) { spoken.push_back(text); });
    EXPECT_EQ(Lua("GraphicsCases.Speech()"), "1\n2\n");
    EXPECT_EQ(window.Text(), "Hello there");
    EXPECT_TRUE(window.IsActive());
    EXPECT_EQ(spoken, std::vector<std::string>{"Hello there"});
    Lua("SpeechWindow.HideWindow()");
    EXPECT_FALSE(window.IsActive());
    window.SetSpeaker(nullptr);
}

} // namespace
