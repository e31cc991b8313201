// tests/graphics/PointLightRenderTest.cpp
// Point lights drawn by the lit screen quad's tiles and by light volumes give the same image.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "engine/SignalManager.h"
#include "graphics/Light.h"
#include "graphics/LightTiles.h"
#include "graphics/ScreenQuad.h"
#include "input/InputEvents.h"
#include "objects/Object.h"
#include "tests/graphics/GraphicsScene.h"

namespace zumek {
namespace {

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
