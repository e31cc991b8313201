// tests/graphics/HeadsetCubeScene.cpp
#include "tests/graphics/HeadsetCubeScene.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include "content/ObjectComponents.h"
#include "engine/SettingManager.h"
#include "objects/Object.h"
#include "objects/ObjectManager.h"
#include "objects/Transform.h"

namespace zumek::test {

HeadsetCubeScene::HeadsetCubeScene(const std::function<void()>& prepareRuntime) {
    prepareRuntime();
    headset = std::make_unique<Oculus>();
    headset->Initialize();
    initialResolution = SettingManager::GetSetting<ResolutionSetting>();
    scene = std::make_unique<GraphicsScene>(kWidth, kHeight, headset.get());
    RegisterObjectComponents();
    SettingManager::GetSetting<CameraMovementSetting>() = CameraMovementSetting(1);
    // The viewer's eye sits 1.2 above its position: at the origin, looking down +z.
    player = ObjectManager::Instance().CreateObject(ObjectCreateSignal{"player1", "viewer", "", {}}, "");
    if (player) player->GetComponent<Transform>()->SetPosition(glm::vec3(0.0f, -1.2f, 0.0f));
    scene->AddSprite("cube", "cube", "cube", glm::vec3(0.0f, 0.0f, 4.0f), glm::vec3(0.6f), kCubeColor);
}

HeadsetCubeScene::~HeadsetCubeScene() { Close(); }

void HeadsetCubeScene::Close() {
    if (!headset) return;
    headset->Shutdown();
    scene.reset();
    headset.reset();
    ObjectManager::Instance().DestroyAllObjects();
}

float HeadsetCubeScene::WindowCubeColumn(int x0, int x1) const {
    double sum = 0;
    long count = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = x0; x < x1; ++x) {
            const glm::vec3 p = scene->Pixel(x, y);
            if (p.x > 0.15f && p.x > 2.0f * p.y && p.x > 2.0f * p.z) sum += x, ++count;
        }
    return count ? static_cast<float>(sum / static_cast<double>(count)) : -1.0f;
}

void HeadsetCubeScene::ExpectWindowRendering(const char* shotName) {
    EXPECT_FALSE(headset->IsEnabled());
    EXPECT_EQ(SettingManager::GetSetting<OculusSetting>(), 1);
    Frames(2);
    EXPECT_GT(WindowCubeColumn(0, kWidth), 0.0f) << "the cube is drawn to the window: " << scene->Save(shotName);
    EXPECT_EQ(headset->EyeFramebuffer(0), 0u);
}

HeadsetCubeScene::GlNames HeadsetCubeScene::HeadsetGlNames() const {
    return {{headset->LastEyeTexture(0), headset->LastEyeTexture(1), headset->EyeDepthTexture(0),
             headset->EyeDepthTexture(1), headset->MirrorTexture()},
            {headset->EyeFramebuffer(0), headset->EyeFramebuffer(1), headset->MirrorFramebuffer()}};
}

void HeadsetCubeScene::ExpectGlNames(const GlNames& names, bool live) {
    const char* state = live ? " live" : " released";
    for (unsigned name : names.textures) EXPECT_EQ(glIsTexture(name) == GL_TRUE, live) << "texture " << name << state;
    for (unsigned name : names.framebuffers)
        EXPECT_EQ(glIsFramebuffer(name) == GL_TRUE, live) << "framebuffer " << name << state;
}

} // namespace zumek::test
