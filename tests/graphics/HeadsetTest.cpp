// tests/graphics/HeadsetTest.cpp
// The headset engine over the headset simulator (a runtime library of our own, found through
// LIBOVR_DLL_DIR): no runtime, a runtime without a headset, an incomplete runtime, both eyes
// rendered and mirrored, a turning head, an unplugged headset and a refused submit. Each test
// runs in its own process, so the environment each one sets is its own.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <glm/gtc/matrix_transform.hpp>

#include "content/ObjectComponents.h"
#include "engine/EngineLog.h"
#include "engine/SettingManager.h"
#include "graphics/Oculus.h"
#include "graphics/OvrRuntime.h"
#include "input/InputEvents.h"
#include "objects/Object.h"
#include "objects/ObjectManager.h"
#include "objects/Transform.h"
#include "tests/graphics/EyeImage.h"
#include "tests/graphics/GraphicsScene.h"

namespace zumek {
namespace {

using test::CountLogLines;
using test::EyeImage;
using test::ReadTexture;

constexpr int kWidth = 160, kHeight = 120;
const glm::vec3 kCubeColor(0.9f, 0.2f, 0.1f);


bool LogMentions(const std::string& text) {
    for (const LogMessage& record : EngineLog::Instance().Records())
        if (record.text.find(text) != std::string::npos) return true;
    return false;
}


/// A red cube straight ahead of the player's camera, seen through the headset engine when the
/// environment offers one.
class HeadsetScene {
public:
    explicit HeadsetScene(const char* runtimeFolder) {
        if (runtimeFolder) setenv("LIBOVR_DLL_DIR", runtimeFolder, 1);
        else unsetenv("LIBOVR_DLL_DIR");
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
    ~HeadsetScene() {
        // The headset's GL objects go while the renderer's context lives.
        headset->Shutdown();
        scene.reset();
        ObjectManager::Instance().DestroyAllObjects();
    }

    void Frames(int count) { scene->RunFrames(count); }
    /// The cube's mean column in the left and right halves of the window (-1: not there).
    float WindowCubeColumn(int x0, int x1) const {
        double sum = 0;
        long count = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = x0; x < x1; ++x) {
                glm::vec3 p = scene->Pixel(x, y);
                if (p.x > 0.15f && p.x > 2.0f * p.y && p.x > 2.0f * p.z) sum += x, ++count;
            }
        return count ? static_cast<float>(sum / static_cast<double>(count)) : -1.0f;
    }

    std::unique_ptr<Oculus> headset;
    std::unique_ptr<GraphicsScene> scene;
    ResolutionSetting initialResolution{};
    Object* player = nullptr;
};

void ExpectWindowRendering(HeadsetScene& vr) {
    EXPECT_FALSE(vr.headset->IsEnabled());
    EXPECT_EQ(SettingManager::GetSetting<OculusSetting>(), 1);
    vr.Frames(2);
    EXPECT_GT(vr.WindowCubeColumn(0, kWidth), 0.0f) << "the cube is drawn to the window: " << vr.scene->Save("headset-window");
    EXPECT_EQ(vr.headset->EyeFramebuffer(0), 0u);
}

TEST(HeadsetRuntime, IsLookedForInTheWorkingDirectoryTheGameFolderTheNamedFolderThenTheSystem) {
    EXPECT_EQ(OvrRuntime::CandidatePaths("/play", "/opt/tovalik/bin", "/vr"),
              (std::vector<std::string>{"/play/libOVRRT64_0_7.so", "/opt/tovalik/bin/libOVRRT64_0_7.so",
                                        "/vr/libOVRRT64_0_7.so", "libOVRRT64_0_7.so"}));
    EXPECT_EQ(OvrRuntime::CandidatePaths("", "", "/vr/")[0], "/vr/libOVRRT64_0_7.so");

    // A copy in the working directory wins over the folder LIBOVR_DLL_DIR names.
    const std::filesystem::path here = std::filesystem::temp_directory_path() / "zumek-headset-runtime-here";
    std::filesystem::create_directories(here);
    std::filesystem::copy_file(std::string(ZUMEK_HEADSET_SIMULATOR) + "/libOVRRT64_0_7.so", here / "libOVRRT64_0_7.so",
                               std::filesystem::copy_options::overwrite_existing);
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(here);
    setenv("LIBOVR_DLL_DIR", ZUMEK_HEADSET_SIMULATOR_INCOMPLETE, 1);
    OvrRuntime runtime;
    EXPECT_TRUE(runtime.Load());
    EXPECT_EQ(runtime.Path(), (here / "libOVRRT64_0_7.so").string());
    runtime.Unload();
    std::filesystem::current_path(before);
    std::filesystem::remove_all(here);
}

TEST(HeadsetRuntime, EyePosesAndProjectionsFollowTheHead) {
    // Head turned 90 degrees to the left: the eyes' offsets along x now lie along z.
    const float half = std::sqrt(0.5f);
    const OvrPose head{{0.0f, half, 0.0f, half}, {0.0f, 1.6f, 0.0f}};
    const OvrVec3 offsets[2] = {{-0.032f, 0.0f, 0.0f}, {0.032f, 0.0f, 0.0f}};
    OvrPose eyes[2];
    OvrCalcEyePoses(head, offsets, eyes);
    EXPECT_NEAR(eyes[0].position.x, 0.0f, 1e-6f);
    EXPECT_NEAR(eyes[0].position.y, 1.6f, 1e-6f);
    EXPECT_NEAR(eyes[0].position.z, 0.032f, 1e-6f);
    EXPECT_NEAR(eyes[1].position.z, -0.032f, 1e-6f);
    EXPECT_FLOAT_EQ(eyes[1].orientation.y, half);

    // A symmetric field of view is the usual perspective; an asymmetric one moves the centre.
    const float tangent = std::tan(glm::radians(45.0f));
    const glm::mat4 symmetric = OvrProjection(OvrFov{tangent, tangent, tangent, tangent}, 0.2f, 10000.0f);
    const glm::mat4 expected = glm::perspective(glm::radians(90.0f), 1.0f, 0.2f, 10000.0f);
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) EXPECT_NEAR(symmetric[c][r], expected[c][r], 1e-5f) << c << "," << r;
    const glm::mat4 outerLeft = OvrProjection(OvrFov{1.0f, 1.0f, 1.2f, 0.8f}, 0.2f, 10000.0f);
    EXPECT_LT(outerLeft[2][0], 0.0f) << "the centre lies right of the middle of the image";
}

TEST(Headset, WithoutARuntimeTheGameDrawsToTheWindowAndSaysNothing) {
    HeadsetScene vr(nullptr);
    ExpectWindowRendering(vr);
    EXPECT_FALSE(LogMentions("headset"));
    EXPECT_FALSE(LogMentions("Headset"));
}

TEST(Headset, ARuntimeWithoutAHeadsetIsAsSilentAsNone) {
    setenv("HEADSET_SIM_NO_HEADSET", "1", 1);
    HeadsetScene vr(ZUMEK_HEADSET_SIMULATOR);
    ExpectWindowRendering(vr);
    EXPECT_FALSE(LogMentions("headset"));
}

TEST(Headset, ARuntimeLackingAnEntryPointIsRefusedWithOneLine) {
    HeadsetScene vr(ZUMEK_HEADSET_SIMULATOR_INCOMPLETE);
    ExpectWindowRendering(vr);
    EXPECT_EQ(CountLogLines("lacks the entry point ovr_SubmitFrame"), 1);
}

TEST(Headset, BothEyesGetTheLitSceneFromTheirOwnPlaceAndTheWindowTheMirror) {
    setenv("HEADSET_SIM_RESOLUTION", "320x240", 1);
    HeadsetScene vr(ZUMEK_HEADSET_SIMULATOR);
    ASSERT_TRUE(vr.headset->IsEnabled());
    ASSERT_NE(vr.player, nullptr);
    EXPECT_EQ(vr.initialResolution.width, 320);
    EXPECT_EQ(vr.initialResolution.height, 240);
    EXPECT_EQ(SettingManager::GetSetting<OculusSetting>(), 0);
    EXPECT_TRUE(LogMentions("headset: "));
    // The renderer went back to the window's size for picking and the log.
    EXPECT_EQ(SettingManager::GetSetting<ResolutionSetting>().width, kWidth);
    EXPECT_FLOAT_EQ(vr.headset->EyeTextureSize().x, 160.0f);
    EXPECT_FLOAT_EQ(vr.headset->EyeTextureSize().y, 240.0f);

    vr.Frames(3);
    EyeImage left = ReadTexture(vr.headset->LastEyeTexture(0));
    EyeImage right = ReadTexture(vr.headset->LastEyeTexture(1));
    ASSERT_EQ(left.width, 160);
    ASSERT_EQ(right.height, 240);
    const float leftColumn = left.CubeColumn(), rightColumn = right.CubeColumn();
    ASSERT_GT(leftColumn, 0.0f) << "the left eye shows the cube";
    ASSERT_GT(rightColumn, 0.0f) << "the right eye shows the cube";
    // Seen from 32 mm to the left, the cube sits further right, and from the right, further left.
    EXPECT_GT(leftColumn - rightColumn, 1.0f);
    EXPECT_NE(left.rgba, right.rgba);

    // The mirror puts the eyes side by side: the cube in each half of the window.
    const float windowLeft = vr.WindowCubeColumn(0, kWidth / 2), windowRight = vr.WindowCubeColumn(kWidth / 2, kWidth);
    EXPECT_GT(windowLeft, 0.0f) << vr.scene->Save("headset-mirror");
    EXPECT_GT(windowRight, static_cast<float>(kWidth / 2));
}

TEST(Headset, ThePlayerCameraFollowsATurningHead) {
    setenv("HEADSET_SIM_RESOLUTION", "320x240", 1);
    setenv("HEADSET_SIM_MOTION", "turn", 1);
    HeadsetScene vr(ZUMEK_HEADSET_SIMULATOR);
    ASSERT_TRUE(vr.headset->IsEnabled());
    vr.Frames(2);
    const float before = ReadTexture(vr.headset->LastEyeTexture(0)).CubeColumn();
    const glm::mat4 viewBefore = SettingManager::GetSetting<CameraSetting*>()->view;
    vr.Frames(20);
    const float after = ReadTexture(vr.headset->LastEyeTexture(0)).CubeColumn();
    ASSERT_GT(before, 0.0f);
    ASSERT_GT(after, 0.0f);
    // The head turns left: what lies ahead moves right in the eye's image.
    EXPECT_GT(after - before, 5.0f);
    EXPECT_NE(SettingManager::GetSetting<CameraSetting*>()->view, viewBefore);
}

TEST(Headset, AnUnpluggedHeadsetGivesTheWindowBackSilentlyAndLeavesNothingBehind) {
    setenv("HEADSET_SIM_RESOLUTION", "320x240", 1);
    setenv("HEADSET_SIM_UNPLUG_AFTER", "4", 1);
    HeadsetScene vr(ZUMEK_HEADSET_SIMULATOR);
    ASSERT_TRUE(vr.headset->IsEnabled());
    testing::internal::CaptureStderr();
    vr.Frames(2);
    const std::vector<unsigned> textures = {vr.headset->LastEyeTexture(0), vr.headset->LastEyeTexture(1),
                                            vr.headset->EyeDepthTexture(0), vr.headset->EyeDepthTexture(1),
                                            vr.headset->MirrorTexture()};
    const std::vector<unsigned> framebuffers = {vr.headset->EyeFramebuffer(0), vr.headset->EyeFramebuffer(1),
                                                vr.headset->MirrorFramebuffer()};
    for (unsigned name : textures) ASSERT_TRUE(glIsTexture(name)) << name;
    for (unsigned name : framebuffers) ASSERT_TRUE(glIsFramebuffer(name)) << name;
    int frames = 2;
    while (vr.headset->IsEnabled() && frames < 60) vr.Frames(1), ++frames;
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_LE(frames, 4 + 31) << "noticed within 31 frames of the unplug";
    EXPECT_FALSE(vr.headset->IsEnabled());
    EXPECT_EQ(errors.find("disconected"), std::string::npos) << errors;
    EXPECT_EQ(SettingManager::GetSetting<OculusSetting>(), 1) << "the mouse turns the camera again";
    for (unsigned name : textures) EXPECT_FALSE(glIsTexture(name)) << "texture " << name << " released";
    for (unsigned name : framebuffers) EXPECT_FALSE(glIsFramebuffer(name)) << "framebuffer " << name << " released";
    // The next frames are the window's own, at the window's size.
    vr.Frames(1);
    EXPECT_EQ(SettingManager::GetSetting<ResolutionSetting>().width, kWidth);
    EXPECT_GT(vr.WindowCubeColumn(0, kWidth), 0.0f) << vr.scene->Save("headset-unplugged");
}

TEST(Headset, ARefusedSubmitSaysSoOnceAndAsksTheGameToQuit) {
    setenv("HEADSET_SIM_RESOLUTION", "320x240", 1);
    setenv("HEADSET_SIM_FAIL_SUBMIT_AFTER", "3", 1);
    HeadsetScene vr(ZUMEK_HEADSET_SIMULATOR);
    ASSERT_TRUE(vr.headset->IsEnabled());
    InputEvents::Instance().Clear();
    testing::internal::CaptureStderr();
    vr.Frames(3);
    EXPECT_TRUE(vr.headset->IsEnabled());
    EXPECT_FALSE(InputEvents::Instance().Test(3));
    vr.Frames(5);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(InputEvents::Instance().Test(3)) << "the quit event";
    EXPECT_FALSE(vr.headset->IsEnabled());
    size_t first = errors.find("Oculus is disconected.");
    ASSERT_NE(first, std::string::npos) << errors;
    EXPECT_EQ(errors.find("Oculus is disconected.", first + 1), std::string::npos) << "one message: " << errors;
}

} // namespace
} // namespace zumek
