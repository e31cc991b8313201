// tests/graphics/SceneRenderTest.cpp
// The renderer drawing real scenes into a small window, read back pixel by pixel; point lights
// drawn by the lit screen quad's tiles and by light volumes give the same image.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "engine/EngineLog.h"
#include "engine/SettingManager.h"
#include "engine/SignalManager.h"
#include "graphics/Laser.h"
#include "graphics/Light.h"
#include "graphics/LightTiles.h"
#include "graphics/LogRenderer.h"
#include "graphics/ParticleRenderer.h"
#include "graphics/Particles.h"
#include "graphics/PickingListener.h"
#include "graphics/ScreenQuad.h"
#include "graphics/Sprite.h"
#include "graphics/TextureProvider.h"
#include "input/InputEvents.h"
#include "objects/Object.h"
#include "tests/graphics/GraphicsScene.h"
#include "tests/graphics/LogLines.h"

namespace zumek {
namespace {

class SelectRecorder final : public SignalHandler<ObjectSelectSignal> {
public:
    SelectRecorder() { SignalManager::Connect<ObjectSelectSignal>(this); }
    void Handle(ObjectSelectSignal signal) override { received.push_back(signal); }
    std::vector<ObjectSelectSignal> received;
};

TEST(SceneRender, ALitCubeShowsInTheMiddleIsPickedThereAndHiddenIsNeitherDrawnNorPicked) {
    GraphicsScene scene;
    Object* cube = scene.AddSprite("crate7", "crate", "cube", glm::vec3(0.0f), glm::vec3(1.5f), glm::vec3(0.9f, 0.4f, 0.1f));
    Object* probe = scene.AddObject("probe", "probe", glm::vec3(0.0f, 0.0f, 100.0f));
    auto* listener = probe->AddComponent(std::make_unique<PickingListener>());
    listener->SetScreenPosition({80.0f, 60.0f});
    scene.RunFrames(2);
    scene.Save("lit-cube");
    glm::vec3 centre = scene.Pixel(80, 60);
    EXPECT_GT(centre.r, 0.25f) << "the cube's lit face is orange";
    EXPECT_GT(centre.r, centre.b + 0.1f);
    for (auto [x, y] : {std::pair{2, 2}, {157, 2}, {2, 117}, {157, 117}})
        EXPECT_LT(scene.MeanBrightness(x - 2 < 0 ? 0 : x - 2, y - 2 < 0 ? 0 : y - 2, x + 2, y + 2), 0.1f) << x << "," << y;
    EXPECT_EQ(listener->GetPickedId(), "crate7");
    EXPECT_EQ(listener->GetPickedTag(), "crate");
    EXPECT_NEAR(listener->GetWorldPosition().z, 0.75f, 0.05f) << "the front face of the cube";
    EXPECT_NEAR(listener->GetNormal().z, 1.0f, 0.01f);

    cube->GetComponent<Sprite>()->SetHidden(true);
    scene.RunFrames(1);
    EXPECT_EQ(listener->GetPickedId(), "");
    EXPECT_EQ(listener->GetPickedTag(), "crate") << "the tag of the last hit stays";
    EXPECT_LT(scene.MeanBrightness(70, 50, 90, 70), 0.1f) << "a hidden sprite draws nothing";
}

TEST(SceneRender, LeftClickOnTheCubeSelectsItsNumberAndOnEmptySpaceNothing) {
    GraphicsScene scene;
    scene.AddObject("filler", "x", glm::vec3(0.0f)); // number 1, so the cube's number is 2
    Object* cube = scene.AddSprite("cube", "box", "cube", glm::vec3(0.0f), glm::vec3(1.5f), glm::vec3(1.0f));
    SelectRecorder recorder;
    scene.RunFrames(1);
    InputEvents::Instance().clickPosition = glm::vec4(80.0f, 60.0f, 0.0f, 0.0f);
    InputEvents::Instance().Raise(input_event::CLICK);
    scene.RunFrames(1);
    ASSERT_EQ(recorder.received.size(), 1u);
    EXPECT_EQ(recorder.received[0].id, cube->GetNumber());
    EXPECT_TRUE(recorder.received[0].selected);
    EXPECT_EQ(recorder.received[0].name, "");

    InputEvents::Instance().clickPosition = glm::vec4(3.0f, 3.0f, 0.0f, 0.0f);
    InputEvents::Instance().Raise(input_event::CLICK);
    scene.RunFrames(1);
    EXPECT_EQ(recorder.received.size(), 1u) << "a click on empty space selects nothing";
    // A click on the window's very bottom edge must not read outside the G-buffer.
    InputEvents::Instance().clickPosition = glm::vec4(160.0f, 120.0f, 0.0f, 0.0f);
    InputEvents::Instance().Raise(input_event::CLICK);
    scene.RunFrames(1);
    EXPECT_EQ(recorder.received.size(), 1u);
}

TEST(SceneRender, RenderModeKeysCycleWrapAndShowDifferentImages) {
    GraphicsScene scene;
    scene.AddSprite("cube", "box", "cube", glm::vec3(0.0f), glm::vec3(1.5f), glm::vec3(0.2f, 0.8f, 0.3f));
    ScreenQuad& quad = *scene.Engine().GetScreenQuad();
    InputEvents& events = InputEvents::Instance();
    scene.RunFrames(1);
    events.Raise(input_event::RENDER_MODE_PREVIOUS); // "1" at mode 0 stays at 0
    scene.RunFrames(1);
    EXPECT_EQ(quad.RenderMode(), 0);
    events.Raise(input_event::RENDER_MODE_NEXT);
    events.Raise(input_event::RENDER_MODE_NEXT); // a set: one pending event, one step
    scene.RunFrames(1);
    EXPECT_EQ(quad.RenderMode(), 1);
    glm::vec3 diffuse = scene.Pixel(80, 60);
    scene.Save("mode-1");
    EXPECT_NEAR(diffuse.g, 0.8f + 0.05f, 0.02f) << "mode 1 shows the unlit colour (over the clear colour)";
    events.Raise(input_event::RENDER_MODE_NEXT);
    scene.RunFrames(1);
    events.Raise(input_event::RENDER_MODE_NEXT);
    scene.RunFrames(1);
    EXPECT_EQ(quad.RenderMode(), 3);
    glm::vec3 normal = scene.Pixel(80, 60);
    EXPECT_NEAR(normal.b, 1.0f, 0.02f) << "mode 3: the front face's normal (0, 0, 1) as colour";
    for (int i = 0; i < 3; ++i) {
        events.Raise(input_event::RENDER_MODE_NEXT);
        scene.RunFrames(1);
    }
    EXPECT_EQ(quad.RenderMode(), 6);
    EXPECT_GT(scene.MeanBrightness(70, 50, 90, 70), 0.1f) << "mode 6 colours the pick id";
    events.Raise(input_event::RENDER_MODE_NEXT);
    events.Raise(input_event::RENDER_MODE_PREVIOUS); // both: only the step forward, "1" waits
    scene.RunFrames(1);
    EXPECT_EQ(quad.RenderMode(), 0) << "6 wraps to 0";
    EXPECT_TRUE(events.Test(input_event::RENDER_MODE_PREVIOUS));
    scene.RunFrames(1);
    EXPECT_EQ(quad.RenderMode(), 0);
}

TEST(SceneRender, FadeDarkensTheImageAndReturns) {
    GraphicsScene scene;
    scene.AddSprite("cube", "box", "cube", glm::vec3(0.0f), glm::vec3(1.5f), glm::vec3(1.0f));
    scene.RunFrames(1);
    float before = scene.MeanBrightness(70, 50, 90, 70);
    SignalManager::Emit<FadeSignal>(FadeSignal{0.25f});
    scene.RunFrames(5); // 1.25 and rising
    EXPECT_TRUE(scene.Engine().GetScreenQuad()->IsFading());
    EXPECT_LT(scene.MeanBrightness(70, 50, 90, 70), 0.06f) << "only the clear colour is left";
    scene.RunFrames(12);
    EXPECT_FALSE(scene.Engine().GetScreenQuad()->IsFading());
    EXPECT_NEAR(scene.MeanBrightness(70, 50, 90, 70), before, 0.01f);
    SignalManager::Emit<FadeSignal>(FadeSignal{0.0f}); // would never end: refused
    EXPECT_FALSE(scene.Engine().GetScreenQuad()->IsFading());
}

TEST(SceneRender, LaserBetweenTwoPointsDrawsALine) {
    GraphicsScene scene;
    scene.RunFrames(1);
    EXPECT_LT(scene.MeanBrightness(0, 0, 160, 120), 0.06f);
    SignalManager::Emit<LaserSignal>(LaserSignal{{glm::vec3(-1.5f, 0.0f, 0.0f), glm::vec3(1.5f, 0.0f, 0.0f)}, glm::vec3(1, 0, 0)});
    scene.RunFrames(1);
    scene.Save("laser");
    EXPECT_EQ(scene.Engine().GetLaser()->SegmentPoints().size(), 2u);
    int redColumns = 0;
    for (int x = 0; x < 160; ++x) {
        float best = 0.0f;
        for (int y = 55; y < 66; ++y) best = std::max(best, scene.Pixel(x, y).r - scene.Pixel(x, y).g);
        if (best > 0.2f) ++redColumns;
    }
    EXPECT_GT(redColumns, 40) << "a horizontal red line across the middle";
    EXPECT_LT(scene.MeanBrightness(0, 0, 160, 30), 0.06f) << "and nothing above it";
    // One point: only the colour changes.
    SignalManager::Emit<LaserSignal>(LaserSignal{{glm::vec3(0.0f)}, glm::vec3(0, 1, 0)});
    EXPECT_EQ(scene.Engine().GetLaser()->SegmentPoints().size(), 2u);
    SignalManager::Emit<LaserSignal>(LaserSignal{{glm::vec3(0.0f), glm::vec3(1.0f), glm::vec3(2.0f)}, glm::vec3(0, 1, 0)});
    EXPECT_EQ(scene.Engine().GetLaser()->SegmentPoints().size(), 4u);
}

ParticleSettings Fountain(int count) {
    ParticleSettings settings;
    settings.maxParticles = count;
    settings.texture = "particle.png";
    settings.displayShader = "PARTICLE_SHADER";
    settings.initializeShader = "PARTICLE_SHADER_INITIALIZATION";
    settings.updateShader = "PARTICLE_SHADER_COMPUTE_GRAVITY";
    settings.positionShift = glm::vec4(0.5f, 0.5f, 0.1f, 0.0f);
    settings.startColor = glm::vec4(0.2f, 0.6f, 1.0f, 1.0f);
    settings.endColor = glm::vec4(0.2f, 0.6f, 1.0f, 1.0f);
    settings.velocity = glm::vec4(0.0f);
    settings.life = glm::vec4(100.0f);
    settings.size = glm::vec4(0.3f);
    return settings;
}

TEST(SceneRender, ActiveParticleSystemDrawsAndItsInactiveTwinDoesNot) {
    GraphicsScene scene;
    Object* left = scene.AddObject("fountainA", "fx", glm::vec3(-1.2f, 0.0f, 0.0f));
    auto* active = left->AddComponent(std::make_unique<Particles>(Fountain(201))); // odd: the last particle is simulated too
    active->EnableRender(true);
    Object* right = scene.AddObject("fountainB", "fx", glm::vec3(1.2f, 0.0f, 0.0f));
    auto* inactive = right->AddComponent(std::make_unique<Particles>(Fountain(201)));
    scene.RunFrames(3, 0.01f);
    scene.Save("particles");
    EXPECT_GT(scene.MeanBrightness(25, 40, 55, 80), 0.08f) << "the active fountain glows";
    EXPECT_LT(scene.MeanBrightness(105, 40, 135, 80), 0.06f) << "its inactive twin draws nothing";
    EXPECT_NEAR(active->GetElapsed(), 0.03f, 1e-4f);
    EXPECT_EQ(inactive->GetElapsed(), 0.0f);
    ASSERT_EQ(active->GetParameters().size(), 2u) << "initialisation makes two points at the emitter";
    EXPECT_FLOAT_EQ(active->GetParameters()[1].x, -1.2f);
}

TEST(SceneRender, LogShowsAsManyLinesAsFitAndDrawsText) {
    GraphicsScene scene(160, 100);
    SettingManager::GetSetting<DebugSetting>() = DebugSetting(0);
    for (int i = 0; i < 12; ++i) EngineLog::Instance().WriteInfo("line " + std::to_string(i));
    scene.RunFrames(1);
    scene.Save("log");
    EXPECT_EQ(scene.Engine().GetLogRenderer()->LastLineCount(), 5) << "(100 - 16) / 16";
    EXPECT_GT(scene.MeanBrightness(8, 0, 150, 80), 0.08f) << "text in the top lines";
    EXPECT_LT(scene.MeanBrightness(8, 85, 150, 100), 0.06f) << "nothing below the last line";
    SettingManager::GetSetting<DebugSetting>() = DebugSetting(1);
    scene.RunFrames(1);
    EXPECT_LT(scene.MeanBrightness(0, 0, 160, 100), 0.06f) << "no log while DebugSetting is 1";
}

TEST(SceneRender, MissingTextureShowsThePlaceholderAndOneLogLine) {
    GraphicsScene scene;
    Object* cube = scene.AddSprite("cube", "box", "cube", glm::vec3(0.0f), glm::vec3(1.5f), glm::vec3(1.0f));
    cube->GetComponent<Sprite>()->SetTexture("MAIN_TEXTURE", "no-such-texture.png");
    EngineLog::Instance().Clear();
    scene.RunFrames(2);
    glm::vec3 centre = scene.Pixel(80, 60);
    EXPECT_GT(centre.r + centre.b, 0.3f) << "magenta and black checks, not a blank face";
    Texture* placeholder = TextureProvider::Instance().Get("no-such-texture.png");
    ASSERT_NE(placeholder, nullptr);
    EXPECT_NE(placeholder->name, 0u);
    EXPECT_EQ(test::CountLogLines("no-such-texture.png"), 1) << "one line, however often it is asked for";
}

/// A wide grey wall facing the camera with `count` equal lamps in front of its left half.
/// (One scene per test: the shader cache belongs to the first GL context of the process.)
std::vector<Light*> BuildWall(GraphicsScene& scene, int count, const glm::vec3& volume) {
    scene.AddSprite("wall", "wall", "cube", glm::vec3(0.0f, 0.0f, -1.0f), glm::vec3(8.0f, 6.0f, 0.2f), glm::vec3(0.5f));
    std::vector<Light*> lights;
    for (int i = 0; i < count; ++i) {
        Object* lamp = scene.AddObject("lamp" + std::to_string(i), "light", glm::vec3(-1.5f, 0.0f, 0.0f));
        auto* light = lamp->AddComponent(std::make_unique<Light>());
        light->SetIntensity(1.0f, 0.1f, 0.1f);
        light->SetColor(glm::vec3(0.0f));
        light->SetVolume(volume);
        lights.push_back(light);
    }
    return lights;
}

/// The largest difference of one colour channel between two frames, in 1/255 steps.
int LargestDifference(const std::vector<glm::vec3>& a, const std::vector<glm::vec3>& b) {
    float largest = 0.0f;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        glm::vec3 d = glm::abs(a[i] - b[i]);
        largest = std::max({largest, d.x, d.y, d.z});
    }
    return static_cast<int>(std::lround(largest * 255.0f));
}

TEST(PointLightRender, TheLitQuadAndALightVolumeDrawTheSameLight) {
    // Volume (4, 4, 4): a sphere, which the lit quad's tiles take. Volume (4, 4, 1.5): an
    // ellipsoid flat along the view axis, which is not a sphere and keeps its light volume;
    // seen from the camera its outline is the sphere's, so the wall is lit alike.
    GraphicsScene scene;
    Light* light = BuildWall(scene, 1, glm::vec3(4.0f))[0];
    light->SetColor(glm::vec3(1.0f, 0.9f, 0.8f));
    scene.RunFrames(1);
    scene.Save("point-light-tiled");
    const std::vector<glm::vec3> tiled = scene.Frame();
    EXPECT_GT(scene.MeanBrightness(30, 50, 50, 70), scene.MeanBrightness(110, 50, 130, 70) + 0.1f) << "lit at all";
    light->SetVolume(glm::vec3(4.0f, 4.0f, 1.5f));
    scene.RunFrames(1);
    scene.Save("point-light-volume");
    EXPECT_LE(LargestDifference(tiled, scene.Frame()), 3);
}

TEST(PointLightRender, LightsPastTheQuadsCapacityStillAddTheirShare) {
    // Forty dim lamps in one spot light the wall as one lamp forty times as bright: the eight
    // the tiles cannot take are drawn as volumes, not dropped.
    const int count = LightTiles::kMaxLights + 8;
    GraphicsScene scene;
    std::vector<Light*> lights = BuildWall(scene, count, glm::vec3(4.0f));
    scene.RunFrames(1);
    const float unlit = scene.MeanBrightness(30, 50, 50, 70), unlitRight = scene.MeanBrightness(110, 50, 130, 70);
    lights[0]->SetColor(glm::vec3(0.5f));
    scene.RunFrames(1);
    const float single = scene.MeanBrightness(30, 50, 50, 70);
    ASSERT_GT(single, unlit + 0.1f);
    EXPECT_NEAR(scene.MeanBrightness(110, 50, 130, 70), unlitRight, 0.02f) << "out of the light's reach";
    for (Light* light : lights) light->SetColor(glm::vec3(0.5f / static_cast<float>(count)));
    scene.RunFrames(1);
    EXPECT_NEAR(scene.MeanBrightness(30, 50, 50, 70), single, 0.02f);
    // A fade hides every point light, those of the tiles and those drawn as volumes.
    SignalManager::Emit<FadeSignal>(FadeSignal{0.01f});
    scene.RunFrames(1);
    EXPECT_LT(scene.MeanBrightness(30, 50, 50, 70), unlit) << "no point light during a fade";
}

TEST(PointLightRender, DebugViewsStillShowThePointLights) {
    GraphicsScene scene;
    Light* light = BuildWall(scene, 1, glm::vec3(4.0f))[0];
    InputEvents::Instance().Raise(input_event::RENDER_MODE_NEXT); // render mode 1, the diffuse colour
    scene.RunFrames(1);
    ASSERT_EQ(scene.Engine().GetScreenQuad()->RenderMode(), 1);
    const float dark = scene.MeanBrightness(30, 50, 50, 70);
    light->SetColor(glm::vec3(1.0f));
    scene.RunFrames(1);
    EXPECT_GT(scene.MeanBrightness(30, 50, 50, 70), dark + 0.1f);
}

} // namespace
} // namespace zumek
