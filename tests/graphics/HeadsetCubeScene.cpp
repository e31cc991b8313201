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
namespace {

/// A GL texture's level 0 as `channels` values of `type` a pixel, rows from the bottom.
template <class T>
std::vector<T> ReadLevel0(unsigned texture, GLenum format, GLenum type, size_t channels, int& width, int& height) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    std::vector<T> values(static_cast<size_t>(width) * static_cast<size_t>(height) * channels, T{});
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, format, type, values.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return values;
}

} // namespace

bool EyeImage::IsCube(int x, int y) const {
    const uint8_t* p = &rgba[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 4];
    return p[0] > 40 && p[0] > 2 * p[1] && p[0] > 2 * p[2];
}

float EyeImage::CubeColumn() const {
    double sum = 0;
    long count = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (IsCube(x, y)) sum += x, ++count;
    return count ? static_cast<float>(sum / static_cast<double>(count)) : -1.0f;
}

EyeImage ReadTexture(unsigned texture) {
    EyeImage image;
    image.rgba = ReadLevel0<uint8_t>(texture, GL_RGBA, GL_UNSIGNED_BYTE, 4, image.width, image.height);
    return image;
}

DepthImage ReadDepthTexture(unsigned texture) {
    DepthImage image;
    image.depth = ReadLevel0<float>(texture, GL_DEPTH_COMPONENT, GL_FLOAT, 1, image.width, image.height);
    return image;
}

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

int HeadsetCubeScene::FramesUntilTheHeadsetLetsGo(int before, int limit, std::string& errors, const char* shotName) {
    testing::internal::CaptureStderr();
    Frames(before);
    const std::vector<unsigned> textures = {headset->LastEyeTexture(0), headset->LastEyeTexture(1),
                                            headset->EyeDepthTexture(0), headset->EyeDepthTexture(1),
                                            headset->MirrorTexture()};
    const std::vector<unsigned> framebuffers = {headset->EyeFramebuffer(0), headset->EyeFramebuffer(1),
                                                headset->MirrorFramebuffer()};
    auto expectLive = [&](bool live) {
        const char* state = live ? " live" : " released";
        for (unsigned name : textures) EXPECT_EQ(glIsTexture(name) == GL_TRUE, live) << "texture " << name << state;
        for (unsigned name : framebuffers) EXPECT_EQ(glIsFramebuffer(name) == GL_TRUE, live) << "framebuffer " << name << state;
    };
    expectLive(true);
    int frames = before;
    while (headset->IsEnabled() && frames < limit) Frames(1), ++frames;
    errors = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(headset->IsEnabled());
    EXPECT_EQ(SettingManager::GetSetting<OculusSetting>(), 1) << "the mouse turns the camera again";
    expectLive(false);
    Frames(1);
    EXPECT_EQ(SettingManager::GetSetting<ResolutionSetting>().width, kWidth);
    EXPECT_GT(WindowCubeColumn(0, kWidth), 0.0f) << "the window's own frame: " << scene->Save(shotName);
    return frames;
}

} // namespace zumek::test
