// Animated sprites drawn by the real renderer into a small window, read back pixel by pixel.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "engine/FrameTimer.h"
#include "engine/SettingManager.h"
#include "graphics/AnimatedSprite.h"
#include "graphics/AnimatedSpriteRenderer.h"
#include "graphics/ModelLoader.h"
#include "graphics/PickingListener.h"
#include "objects/Object.h"
#include "objects/Transform.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "tests/graphics/GraphicsScene.h"
#include "tests/graphics/LogLines.h"
#include "tests/graphics/RiggedScene.h"

namespace zumek {
namespace {

namespace fs = std::filesystem;

// The robot's feet at y = -0.95, two units in front of the origin: it fills half the height.
const glm::vec3 kRobotPlace(0.0f, -0.95f, 2.0f);

Object* AddAnimated(GraphicsScene& scene, const std::string& id, const std::string& model, const glm::vec3& position) {
    Object* object = scene.AddObject(id, "animated", position);
    auto* sprite = object->AddComponent(std::make_unique<AnimatedSprite>());
    sprite->SetShaderKey("ANIMATION_SHADER");
    sprite->SetBoneShaderKey("BONE_SHADER");
    sprite->SetModel(model);
    return object;
}

/// The window pixel of a world point.
glm::ivec2 Project(const GraphicsScene& scene, const glm::vec3& world) {
    const CameraSetting& camera = *SettingManager::GetSetting<CameraSetting*>();
    glm::vec4 clip = camera.projection * camera.view * glm::vec4(world, 1.0f);
    glm::vec2 ndc = glm::vec2(clip) / clip.w;
    return {static_cast<int>((ndc.x * 0.5f + 0.5f) * static_cast<float>(scene.Width())),
            static_cast<int>((0.5f - ndc.y * 0.5f) * static_cast<float>(scene.Height()))};
}

/// Where a point of the robot's node `name` (in that node's space) is at `seconds`.
glm::vec3 RobotPoint(const std::string& name, const glm::vec3& local, double seconds) {
    const AnimatedMesh& robot = ModelLoader::ImportAnimatedCached(ModelLoader::ModelPath("robot"));
    std::vector<glm::mat4> bones, globals;
    AnimationPose::PoseBones(robot, 0, seconds, bones, globals);
    for (size_t i = 0; i < robot.nodes.size(); ++i)
        if (robot.nodes[i].name == name) return kRobotPlace + glm::vec3(globals[i] * glm::vec4(local, 1.0f));
    ADD_FAILURE() << "no node " << name;
    return glm::vec3(0.0f);
}

TEST(AnimatedSpriteRender, TheRobotWavesItsForearmNotItsTorsoIsPickedByItsNumberAndShowsItsSkeleton) {
    GraphicsScene scene;
    scene.AddObject("filler", "x", glm::vec3(0.0f)); // number 1, so the robot's number is 2
    Object* robot = AddAnimated(scene, "robot9", "robot", kRobotPlace);
    Object* probe = scene.AddObject("probe", "probe", glm::vec3(0.0f, 0.0f, 100.0f));
    auto* listener = probe->AddComponent(std::make_unique<PickingListener>());
    const glm::ivec2 chest = Project(scene, kRobotPlace + glm::vec3(0.0f, 1.2f, 0.14f));
    listener->SetScreenPosition({static_cast<float>(chest.x), static_cast<float>(chest.y)});
    AnimatedSpriteRenderer::SetAnimationClock(0.5);
    scene.RunFrames(1);
    scene.Save("robot-0.5s");
    const std::vector<glm::vec3> first = scene.Frame();
    EXPECT_EQ(listener->GetPickedId(), "robot9");
    EXPECT_NEAR(listener->GetWorldPosition().z, kRobotPlace.z + 0.14f, 0.03f) << "the front of the torso";
    EXPECT_NEAR(listener->GetNormal().z, 1.0f, 0.05f);
    AnimatedSpriteRenderer::SetAnimationClock(1.5);
    scene.RunFrames(1);
    scene.Save("robot-1.5s");
    const std::vector<glm::vec3> second = scene.Frame();

    // The torso is lit grey-blue and stays where it is.
    const glm::vec3 torso = first[static_cast<size_t>(chest.y * scene.Width() + chest.x)];
    EXPECT_GT(torso.b, 0.15f) << "the torso is drawn and lit";
    EXPECT_GT(torso.b, torso.r);
    const glm::ivec2 chestLow = Project(scene, kRobotPlace + glm::vec3(-0.15f, 1.0f, 0.14f));
    const glm::ivec2 chestHigh = Project(scene, kRobotPlace + glm::vec3(0.15f, 1.4f, 0.14f));
    int changedInTorso = 0;
    for (int y = chestHigh.y; y <= chestLow.y; ++y)
        for (int x = chestLow.x; x <= chestHigh.x; ++x) {
            size_t i = static_cast<size_t>(y * scene.Width() + x);
            changedInTorso += glm::distance(first[i], second[i]) > 0.02f;
        }
    EXPECT_EQ(changedInTorso, 0) << "the torso does not move";

    // The middle of the right forearm at 0.5 s is orange then, and left behind at 1.5 s.
    const glm::ivec2 forearm = Project(scene, RobotPoint("ForeArm_R", glm::vec3(0.0f, -0.2f, 0.07f), 0.5));
    const glm::vec3 then = first[static_cast<size_t>(forearm.y * scene.Width() + forearm.x)];
    const glm::vec3 now = second[static_cast<size_t>(forearm.y * scene.Width() + forearm.x)];
    EXPECT_GT(then.r, then.b + 0.1f) << "the arm is orange at " << forearm.x << "," << forearm.y;
    EXPECT_GT(glm::distance(then, now), 0.1f) << "the forearm has moved away from there";

    // Debug drawing: the yellow bone cone over the grey-blue skin of the hips.
    const glm::ivec2 belly = Project(scene, kRobotPlace + glm::vec3(0.0f, 1.05f, 0.14f));
    const glm::vec3 skin = first[static_cast<size_t>(belly.y * scene.Width() + belly.x)];
    AnimatedSpriteRenderer::SetAnimationClock(0.5);
    SettingManager::GetSetting<DebugDrawSetting>() = DebugDrawSetting(0);
    scene.RunFrames(1);
    scene.Save("robot-skeleton");
    const glm::vec3 bone = scene.Pixel(belly.x, belly.y);
    SettingManager::GetSetting<DebugDrawSetting>() = DebugDrawSetting(1);
    EXPECT_GT(skin.b, skin.r) << "grey-blue torso";
    EXPECT_GT(bone.r, bone.b + 0.2f) << "the yellow bone cone over it";

    robot->GetComponent<AnimatedSprite>()->SetHidden(true);
    scene.RunFrames(1);
    EXPECT_EQ(listener->GetPickedId(), "") << "a hidden animated sprite draws nothing";
}

TEST(AnimatedSpriteRender, AModelWithoutBonesIsDrawnStill) {
    GraphicsScene scene;
    Object* cube = AddAnimated(scene, "cube", "cube", glm::vec3(0.0f));
    cube->GetComponent<Transform>()->SetScale(glm::vec3(1.5f));
    AnimatedSpriteRenderer::SetAnimationClock(0.0);
    scene.RunFrames(1);
    const std::vector<glm::vec3> first = scene.Frame();
    AnimatedSpriteRenderer::SetAnimationClock(1.3);
    scene.RunFrames(1);
    const glm::vec3 centre = scene.Pixel(80, 60);
    EXPECT_GT(centre.r, 0.25f) << "the cube is drawn and lit";
    EXPECT_EQ(scene.Frame(), first) << "nothing moves";
}

TEST(AnimatedSpriteRender, AModelWithTooManyBonesIsRefusedAndTheSceneGoesOn) {
    GraphicsScene scene;
    const fs::path documents = fs::temp_directory_path() / "zumek-animated-documents";
    const fs::path models = documents / "Tovalik" / "resources" / "models";
    fs::create_directories(models);
    Paths::SetDocumentsFolder(documents.string());
    std::string error;
    ASSERT_TRUE(test::ExportScene(*test::MakeChainScene(AnimatedMesh::kMaxBones + 20), "assbin",
                                  (models / "centipede.assbin").string(), error))
        << error;
    AddAnimated(scene, "centipede", "centipede", glm::vec3(0.0f, -1.0f, 0.0f));
    scene.AddSprite("cube", "box", "cube", glm::vec3(1.5f, 0.0f, 0.0f), glm::vec3(1.0f), glm::vec3(0.9f, 0.4f, 0.1f));
    scene.RunFrames(3);
    EXPECT_EQ(test::CountLogLines("Model has too many bones: " + (models / "centipede.assbin").string()), 1);
    EXPECT_LT(scene.MeanBrightness(75, 40, 85, 80), 0.1f) << "nothing of the refused model is drawn";
    const glm::ivec2 cube = Project(scene, glm::vec3(1.5f, 0.0f, 0.5f));
    EXPECT_GT(scene.Pixel(cube.x, cube.y).r, 0.25f) << "the rest of the scene is drawn";
    fs::remove_all(documents);
}

TEST(AnimatedSpriteRender, TheClockAdvancesByTheFrameTimeOncePerFrameHoweverManySpritesAreDrawn) {
    GraphicsScene scene;
    for (int i = 0; i < 3; ++i) AddAnimated(scene, "robot" + std::to_string(i), "robot", kRobotPlace + glm::vec3(i, 0, 0));
    Clock::UseManual(1000);
    FrameTimer::Instance().Reset();
    AnimatedSpriteRenderer::SetAnimationClock(0.0);
    for (int frame = 0; frame < 4; ++frame) {
        Clock::Advance(10);
        FrameTimer::Instance().Tick();
        scene.RunFrames(1);
    }
    EXPECT_NEAR(AnimatedSpriteRenderer::AnimationClock(), 0.040, 1e-9) << "four frames of 10 ms";
    scene.RunFrames(1);
    EXPECT_NEAR(AnimatedSpriteRenderer::AnimationClock(), 0.040, 1e-9) << "no tick, no time";
}

} // namespace
} // namespace zumek
