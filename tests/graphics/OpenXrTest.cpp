// tests/graphics/OpenXrTest.cpp
// The headset engine over OpenXR: the Khronos loader with its core validation layer in front of
// the OpenXR simulator (openxr-simulator/, named by XR_RUNTIME_JSON in every test, so no
// runtime of the machine's takes part; no runtime at all: tests/scenes/openxr.sh). Any message of
// the validation layer fails the test.
// Each test runs in its own process, so the environment each one sets is its own.
#include <GL/glew.h>
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "content/ObjectComponents.h"
#include "engine/EngineLog.h"
#include "engine/SettingManager.h"
#include "graphics/Oculus.h"
#include "graphics/OpenXrRuntimeManifest.h"
#include "graphics/OpenXrSwapchains.h"
#include "objects/Object.h"
#include "objects/ObjectManager.h"
#include "objects/Transform.h"
#include "tests/graphics/HeadsetCubeScene.h"
#include "tests/graphics/LogLines.h"
#include "openxr-simulator/OpenXrSimulatorStats.h"

namespace zumek {
namespace {

using test::CountLogLines;
using test::EyeImage;
using test::ReadTexture;

namespace fs = std::filesystem;
constexpr int kWidth = test::HeadsetCubeScene::kWidth;

/// Standard error without the line the validation layer prints about its own output.
std::string WithoutLayerBanner(const std::string& text) {
    std::istringstream in(text);
    std::string line, kept;
    while (std::getline(in, line))
        if (line.rfind("Core Validation output type:", 0) != 0) kept += line + "\n";
    return kept;
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

/// The runtime's counters, from the library the loader opened (kept loaded by this handle).
XrSimStats* RuntimeStats() {
    void* library = dlopen(ZUMEK_OPENXR_SIMULATOR, RTLD_NOW | RTLD_NOLOAD);
    if (!library) return nullptr;
    auto get = reinterpret_cast<XrSimStats* (*)()>(dlsym(library, "XrSimGetStats"));
    return get ? get() : nullptr;
}

/// Where the validation layer writes what it finds in the current test.
fs::path ValidationFilePath() {
    const std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
    return fs::temp_directory_path() / ("zumek-openxr-validation-" + name + ".txt");
}

/// The cube scene with the tests' OpenXR runtime behind the validation layer.
class OpenXrScene : public test::HeadsetCubeScene {
public:
    OpenXrScene()
        : HeadsetCubeScene([] {
              const fs::path validation = ValidationFilePath();
              fs::remove(validation);
              setenv("XR_RUNTIME_JSON", ZUMEK_OPENXR_SIMULATOR_JSON, 1);
              setenv("XR_ENABLE_API_LAYERS", "XR_APILAYER_LUNARG_core_validation", 1);
              setenv("XR_CORE_VALIDATION_EXPORT_TYPE", "text", 1);
              setenv("XR_CORE_VALIDATION_FILE_NAME", validation.c_str(), 1);
          }),
          validationFile(ValidationFilePath()), stats(RuntimeStats()) {}
    ~OpenXrScene() override {
        Close();
        // Whatever the layer found, in any test, fails it.
        const std::string messages = ReadAll(validationFile);
        EXPECT_EQ(messages, "") << "core validation layer";
        fs::remove(validationFile);
    }

    /// Runs frames until the runtime renders the eyes (at most `limit`).
    void FramesUntilLayer(int limit = 10) {
        for (int i = 0; i < limit && stats && stats->framesWithLayer == 0; ++i) Frames(1);
    }

    fs::path validationFile;
    XrSimStats* stats = nullptr;
};

TEST(OpenXrRuntimeManifest, IsLookedForWhereTheLoaderLooks) {
    const fs::path root = fs::temp_directory_path() / "zumek-openxr-manifest";
    fs::remove_all(root);
    for (const char* folder : {"home/.config", "config", "dirs1", "dirs2", "named"})
        fs::create_directories(root / folder / "openxr/1");
    auto place = [&](const char* folder) { std::ofstream(root / folder / "openxr/1/active_runtime.json") << "{}"; };
    const std::string home = (root / "home").string(), config = (root / "config").string(),
                      dirs = (root / "dirs1").string() + ":" + (root / "dirs2").string();
    const std::string named = (root / "named/openxr/1/active_runtime.json").string();
    OpenXrRuntimeEnvironment environment;
    environment.home = home.c_str();
    environment.configDirs = dirs.c_str();
    EXPECT_EQ(FindOpenXrRuntimeManifest(environment), "") << "no manifest anywhere";
    place("dirs2");
    EXPECT_EQ(FindOpenXrRuntimeManifest(environment), (root / "dirs2/openxr/1/active_runtime.json").string());
    place("home/.config");
    EXPECT_EQ(FindOpenXrRuntimeManifest(environment), (root / "home/.config/openxr/1/active_runtime.json").string());
    environment.configHome = config.c_str();
    EXPECT_EQ(FindOpenXrRuntimeManifest(environment), (root / "dirs2/openxr/1/active_runtime.json").string())
        << "XDG_CONFIG_HOME replaces ~/.config";
    // XR_RUNTIME_JSON is the only place looked at when set, even when it names no file.
    environment.runtimeJson = named.c_str();
    EXPECT_EQ(FindOpenXrRuntimeManifest(environment), "");
    place("named");
    EXPECT_EQ(FindOpenXrRuntimeManifest(environment), named);
    fs::remove_all(root);
}

TEST(OpenXrSwapchainFormat, IsTheFirstPreferredOneOfferedElseTheRuntimesFirst) {
    EXPECT_EQ(ChooseSwapchainFormat({GL_RGBA8, GL_SRGB8_ALPHA8}, {GL_SRGB8_ALPHA8, GL_RGBA8}), GL_SRGB8_ALPHA8);
    EXPECT_EQ(ChooseSwapchainFormat({GL_RGB10_A2, GL_RGBA8}, {GL_SRGB8_ALPHA8, GL_RGBA8}), GL_RGBA8);
    EXPECT_EQ(ChooseSwapchainFormat({GL_RGB10_A2}, {GL_SRGB8_ALPHA8, GL_RGBA8}), GL_RGB10_A2);
    EXPECT_EQ(ChooseSwapchainFormat({}, {GL_SRGB8_ALPHA8}), 0);
}

TEST(OpenXrHeadset, BothEyesGetTheLitSceneFromTheirOwnPlace) {
    setenv("XR_SIM_EYE_SIZE", "320x240", 1);
    OpenXrScene vr;
    ASSERT_TRUE(vr.headset->IsEnabled());
    ASSERT_NE(vr.stats, nullptr) << "the loader opened the tests' runtime";
    ASSERT_NE(vr.player, nullptr);
    EXPECT_EQ(CountLogLines("headset: OpenXR Zumek OpenXR simulator 0.1.0: Simulated OpenXR headset, 640x240"), 1);
    EXPECT_EQ(vr.initialResolution.width, 640);
    EXPECT_EQ(SettingManager::GetSetting<OculusSetting>(), 0);

    // The session is not yet visible on the first frame: the window shows the game meanwhile,
    // and the frame goes to the runtime without a layer.
    vr.Frames(1);
    EXPECT_EQ(vr.stats->sessionsBegun, 1);
    EXPECT_EQ(vr.stats->framesEnded, 1);
    EXPECT_EQ(vr.stats->framesWithLayer, 0);
    EXPECT_GT(vr.WindowCubeColumn(0, kWidth), 0.0f) << vr.scene->Save("openxr-first-frame");

    vr.Frames(3);
    EXPECT_EQ(vr.stats->framesEnded, 4);
    EXPECT_EQ(vr.stats->framesWithLayer, 3);
    EXPECT_EQ(vr.stats->framesWithDepth, 3) << "the depth images go with the layer";
    EXPECT_EQ(vr.stats->misuses, 0);
    EXPECT_FLOAT_EQ(vr.stats->lastEyeX[0], -0.032f);
    EXPECT_FLOAT_EQ(vr.stats->lastEyeX[1], 0.032f);
    // The images handed to the runtime are the ones drawn into.
    EXPECT_EQ(vr.stats->lastEyeImage[0], vr.headset->LastEyeTexture(0));
    EXPECT_EQ(vr.stats->lastEyeImage[1], vr.headset->LastEyeTexture(1));

    EyeImage left = ReadTexture(vr.headset->LastEyeTexture(0));
    EyeImage right = ReadTexture(vr.headset->LastEyeTexture(1));
    ASSERT_EQ(left.width, 320);
    ASSERT_EQ(right.height, 240);
    const float leftColumn = left.CubeColumn(), rightColumn = right.CubeColumn();
    ASSERT_GT(leftColumn, 0.0f) << "the left eye shows the cube";
    ASSERT_GT(rightColumn, 0.0f) << "the right eye shows the cube";
    // Seen from 32 mm to the left, the cube sits further right, and from the right, further left.
    EXPECT_GT(leftColumn - rightColumn, 1.0f);

    // Each depth image handed over holds the scene's depth: nearer than the far plane where the
    // cube is, the far plane where nothing is.
    for (int eye = 0; eye < 2; ++eye) {
        ASSERT_NE(vr.stats->lastDepthImage[eye], 0u);
        const test::DepthImage depth = test::ReadDepthTexture(vr.stats->lastDepthImage[eye]);
        ASSERT_EQ(depth.width, 320);
        const int cubeX = static_cast<int>(eye == 0 ? leftColumn : rightColumn);
        EXPECT_LT(depth.At(cubeX, depth.height / 2), 0.999f) << "eye " << eye << " at the cube";
        EXPECT_GT(depth.At(cubeX, depth.height / 2), 0.0f) << "eye " << eye << " at the cube";
        EXPECT_FLOAT_EQ(depth.At(2, 2), 1.0f) << "eye " << eye << " where nothing is";
    }
}

TEST(OpenXrHeadset, ALostSessionGivesTheWindowBackSilentlyAndLeavesNothingBehind) {
    setenv("XR_SIM_EYE_SIZE", "160x240", 1);
    setenv("XR_SIM_LOSE_SESSION_AFTER", "5", 1);
    OpenXrScene vr;
    ASSERT_TRUE(vr.headset->IsEnabled());
    ASSERT_NE(vr.stats, nullptr);
    std::string errors;
    EXPECT_EQ(vr.FramesUntilTheHeadsetLetsGo(3, 40, errors, "openxr-lost"), 6) << "the frame after the loss is the window's";
    EXPECT_EQ(WithoutLayerBanner(errors), "") << "no message";
    EXPECT_EQ(vr.stats->swapchainsLive, 0);
    EXPECT_EQ(vr.stats->spacesLive, 0);
    EXPECT_EQ(vr.stats->sessionsLive, 0);
    EXPECT_EQ(vr.stats->instancesLive, 0);
    EXPECT_EQ(vr.stats->misuses, 0);
}

TEST(OpenXrHeadset, ARuntimeWithoutAHeadsetIsAsSilentAsNone) {
    setenv("XR_SIM_NO_HEADSET", "1", 1);
    testing::internal::CaptureStderr();
    OpenXrScene vr;
    vr.ExpectWindowRendering("openxr-window");
    const std::string errors = WithoutLayerBanner(testing::internal::GetCapturedStderr());
    EXPECT_EQ(errors, "");
    EXPECT_EQ(CountLogLines("OpenXR"), 0);
}

TEST(OpenXrHeadset, ARuntimeWithoutTheOpenGlBindingIsOneLine) {
    setenv("XR_SIM_NO_OPENGL", "1", 1);
    OpenXrScene vr;
    vr.ExpectWindowRendering("openxr-window");
    EXPECT_EQ(CountLogLines("OpenXR: the runtime offers no OpenGL binding (XR_KHR_opengl_enable); no headset is used"), 1);
    EXPECT_EQ(CountLogLines("OpenXR"), 1);
}

TEST(OpenXrHeadset, AHeadsetWithoutAStereoViewIsOneLine) {
    setenv("XR_SIM_MONO", "1", 1);
    OpenXrScene vr;
    vr.ExpectWindowRendering("openxr-window");
    EXPECT_EQ(CountLogLines("OpenXR: the headset Simulated OpenXR headset offers no stereo view; no headset is used"), 1);
    EXPECT_EQ(CountLogLines("OpenXR"), 1);
}

TEST(OpenXrHeadset, WithoutDepthLayersTheEyesUseTheEnginesDepthBuffers) {
    setenv("XR_SIM_EYE_SIZE", "160x240", 1);
    setenv("XR_SIM_NO_DEPTH", "1", 1);
    OpenXrScene vr;
    ASSERT_TRUE(vr.headset->IsEnabled());
    ASSERT_NE(vr.stats, nullptr);
    vr.FramesUntilLayer();
    vr.Frames(2);
    EXPECT_GE(vr.stats->framesWithLayer, 3);
    EXPECT_EQ(vr.stats->framesWithDepth, 0);
    EXPECT_EQ(vr.stats->misuses, 0);
    EXPECT_GT(ReadTexture(vr.headset->LastEyeTexture(0)).CubeColumn(), 0.0f);
}

TEST(OpenXrHeadset, TheRuntimeLibraryIsPreferredWhenBothAreThere) {
    setenv("LIBOVR_DLL_DIR", ZUMEK_HEADSET_SIMULATOR, 1);
    setenv("HEADSET_SIM_RESOLUTION", "320x240", 1);
    OpenXrScene vr;
    ASSERT_TRUE(vr.headset->IsEnabled());
    EXPECT_EQ(CountLogLines("headset: LibOVR "), 1);
    EXPECT_EQ(CountLogLines("OpenXR"), 0);
    EXPECT_EQ(vr.stats, nullptr) << "the OpenXR runtime was never opened";
    vr.Frames(2);
    EXPECT_GT(ReadTexture(vr.headset->LastEyeTexture(0)).CubeColumn(), 0.0f);
}

} // namespace
} // namespace zumek
