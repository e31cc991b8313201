// bench/SkinningBench.cpp
// "skinning": the renderer's frame over a grid of animated robots (posed on the CPU, skinned on
// the GPU) against the same meshes drawn as still sprites, and the CPU time to pose one robot.
#include <GL/glew.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include <glm/gtc/matrix_transform.hpp>

#include "bench/BenchCommands.h"
#include "bench/BenchOptions.h"
#include "engine/SettingManager.h"
#include "graphics/AnimatedSprite.h"
#include "graphics/AnimatedSpriteRenderer.h"
#include "graphics/GraphicsEngine.h"
#include "graphics/ModelLoader.h"
#include "graphics/Sprite.h"
#include "objects/Object.h"
#include "objects/Transform.h"
#include "platform/Paths.h"
#include "platform/Window.h"

namespace zumek::bench {
namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

double NowMs() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

/// N objects in a grid facing the camera, each made by `attach`.
template <class Attach>
std::vector<Object*> Grid(int count, const std::string& prefix, int firstNumber, Attach attach) {
    std::vector<Object*> objects;
    const int side = std::max(1, static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count)))));
    for (int i = 0; i < count; ++i) {
        glm::vec3 position(1.2f * (static_cast<float>(i % side) - side / 2.0f), -1.0f, -1.5f * static_cast<float>(i / side));
        auto* object = new Object(prefix + std::to_string(i), prefix, "bench", "");
        object->SetNumber(firstNumber + i);
        object->AddComponent(std::make_unique<Transform>(position, glm::vec3(1.0f), glm::vec3(0.0f)));
        attach(*object);
        objects.push_back(object);
    }
    return objects;
}

} // namespace

int RunSkinningBench(int argc, char** argv) {
    int models = 100, width = 1280, height = 720, frames = 60;
    std::string screenshot;
    if (!BenchOptions("skinning", argc, argv)
             .Number("--models", models, 1)
             .Number("--frames", frames, 1)
             .Text("--screenshot", screenshot)
             .Size("--size", width, height)
             .Ok())
        return 2;
    Paths::SetResourceRoot(ZUMEK_SOURCE_ROOT);
    Window window("zumek_bench skinning", width, height);
    GraphicsEngine engine(&window, nullptr);
    engine.Initialize();
    SettingManager::GetSetting<CameraSetting*>()->view = glm::lookAt(glm::vec3(0, 4, 9), glm::vec3(0, -1, -5), glm::vec3(0, 1, 0));

    const AnimatedMesh& robot = ModelLoader::ImportAnimatedCached(ModelLoader::ModelPath("robot"));
    if (!robot.IsSkinned()) {
        std::fprintf(stderr, "skinning: the robot model did not load\n");
        return 1;
    }
    std::vector<Object*> animated = Grid(models, "robot", 1, [](Object& object) {
        auto* sprite = object.AddComponent(std::make_unique<AnimatedSprite>());
        sprite->SetShaderKey("ANIMATION_SHADER");
        sprite->SetBoneShaderKey("BONE_SHADER");
        sprite->SetModel("robot");
    });
    std::vector<Object*> still = Grid(models, "statue", models + 1, [](Object& object) {
        auto* sprite = object.AddComponent(std::make_unique<Sprite>());
        sprite->SetModel("robot");
        sprite->SetColor(glm::vec3(0.6f, 0.6f, 0.7f));
    });

    // Animated and still frames alternate, so a change of load on the machine weighs on both.
    std::vector<double> animatedMs, stillMs;
    for (int f = 0; f < frames + 5; ++f) {
        AnimatedSpriteRenderer::SetAnimationClock(f / 60.0);
        double start = NowMs();
        engine.Update(1.0f / 60.0f, animated);
        glFinish();
        double middle = NowMs();
        engine.Update(1.0f / 60.0f, still);
        glFinish();
        double end = NowMs();
        if (f < 5) continue;
        animatedMs.push_back(middle - start);
        stillMs.push_back(end - middle);
    }
    if (!screenshot.empty()) {
        engine.Update(1.0f / 60.0f, animated);
        engine.WriteScreenshot(screenshot);
    }

    // Posing alone: the CPU work per model and frame.
    std::vector<glm::mat4> bones, globals;
    const int poses = 20000;
    double poseStart = NowMs();
    for (int i = 0; i < poses; ++i) AnimationPose::PoseBones(robot, 0, i * 0.001, bones, globals);
    double poseUs = (NowMs() - poseStart) * 1000.0 / poses;

    const double frame = Median(animatedMs), bare = Median(stillMs);
    std::printf("skinning models=%d bones=%zu frame_ms=%.3f still_ms=%.3f ratio=%.2f pose_us=%.2f\n", models,
                robot.bones.size(), frame, bare, bare > 0 ? frame / bare : 0.0, poseUs);
    for (Object* object : animated) delete object;
    for (Object* object : still) delete object;
    engine.Shutdown();
    return 0;
}

} // namespace zumek::bench
