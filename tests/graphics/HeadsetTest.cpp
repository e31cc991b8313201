// tests/graphics/HeadsetTest.cpp
// The headset engine over the headset simulator (a runtime library of our own, found through
// LIBOVR_DLL_DIR): a runtime without a headset, an incomplete runtime, both eyes rendered, a
// turning head and an unplugged headset (no runtime at all, the headset's log line, the window's
// mirror and a refused submit: tests/scenes/headset.sh and openxr.sh). Each test runs in its own
// process, so the environment each one sets is its own.
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
#include "objects/Object.h"
#include "objects/ObjectManager.h"
#include "objects/Transform.h"
#include "tests/graphics/HeadsetCubeScene.h"
#include "tests/graphics/LogLines.h"

namespace zumek {
namespace {

using test::CountLogLines;
using test::EyeImage;
using test::ReadTexture;

constexpr int kWidth = test::HeadsetCubeScene::kWidth;

/// The cube scene with the headset simulator found in `runtimeFolder`.
class HeadsetScene : public test::HeadsetCubeScene {
public:
    explicit HeadsetScene(const char* runtimeFolder)
        : HeadsetCubeScene([runtimeFolder] { setenv("LIBOVR_DLL_DIR", runtimeFolder, 1); }) {}
};

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

TEST(Headset, ARuntimeWithoutAHeadsetIsAsSilentAsNone) {
    setenv("HEADSET_SIM_NO_HEADSET", "1", 1);
    HeadsetScene vr(ZUMEK_HEADSET_SIMULATOR);
    vr.ExpectWindowRendering("headset-window");
    EXPECT_EQ(CountLogLines("headset"), 0);
}

TEST(Headset, ARuntimeLackingAnEntryPointIsRefusedWithOneLine) {
    HeadsetScene vr(ZUMEK_HEADSET_SIMULATOR_INCOMPLETE);
    vr.ExpectWindowRendering("headset-window");
    EXPECT_EQ(CountLogLines("lacks the entry point ovr_SubmitFrame"), 1);
}

TEST(Headset, BothEyesGetTheLitSceneFromTheirOwnPlace) {
    setenv("HEADSET_SIM_RESOLUTION", "320x240", 1);
    HeadsetScene vr(ZUMEK_HEADSET_SIMULATOR);
    ASSERT_TRUE(vr.headset->IsEnabled());
    ASSERT_NE(vr.player, nullptr);
    EXPECT_EQ(vr.initialResolution.width, 320);
    EXPECT_EQ(vr.initialResolution.height, 240);
    EXPECT_EQ(SettingManager::GetSetting<OculusSetting>(), 0);
    // The renderer went back to the window's size for picking and the log.
    EXPECT_EQ(SettingManager::GetSetting<ResolutionSetting>().width, kWidth);

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
    std::string errors;
    EXPECT_LE(vr.FramesUntilTheHeadsetLetsGo(2, 60, errors, "headset-unplugged"), 4 + 31)
        << "noticed within 31 frames of the unplug";
    EXPECT_EQ(errors.find("disconected"), std::string::npos) << errors;
}

} // namespace
} // namespace zumek
