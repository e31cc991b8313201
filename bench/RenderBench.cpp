// bench/RenderBench.cpp
// "render": the renderer's frame over a grid of cubes and point lights, against the bare floor
// of the same work on the same GPU: clearing the seven G-buffer attachments, drawing the same
// cubes with a trivial program into them, and one full-screen pass sampling all seven.
#include <GL/glew.h>

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include "bench/BenchCommands.h"
#include "bench/BenchOptions.h"
#include "bench/GBufferFloor.h"
#include "content/ContentType.h"
#include "engine/SettingManager.h"
#include "graphics/GBuffer.h"
#include "graphics/GraphicsEngine.h"
#include "graphics/Light.h"
#include "graphics/MeshData.h"
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

/// CPU time of the whole process (every thread, the driver's rasterizer threads included).
double CpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

} // namespace

int RunRenderBench(int argc, char** argv) {
    int sprites = 200, lights = 20, width = 1280, height = 720, frames = 60;
    std::string screenshot;
    if (!BenchOptions("render", argc, argv)
             .Number("--sprites", sprites, 0)
             .Number("--lights", lights, 0)
             .Number("--frames", frames, 1)
             .Text("--screenshot", screenshot)
             .Size("--size", width, height)
             .Ok())
        return 2;
    Paths::SetResourceRoot(ZUMEK_SOURCE_ROOT);
    Window window("zumek_bench render", width, height);
    GraphicsEngine engine(&window, nullptr);
    engine.Initialize();
    CameraSetting& camera = *SettingManager::GetSetting<CameraSetting*>();
    camera.view = GBufferFloor::View();

    // A grid of cubes on the x-z plane, and the lights hanging over it.
    std::vector<Object*> objects;
    std::vector<glm::mat4> models;
    const int side = std::max(1, static_cast<int>(std::ceil(std::sqrt(static_cast<double>(sprites)))));
    for (int i = 0; i < sprites; ++i) {
        glm::vec3 position = GBufferFloor::GridPosition(i, sprites);
        auto* object = new Object("cube" + std::to_string(i), "cube", "bench", "");
        object->SetNumber(i + 1);
        object->AddComponent(std::make_unique<Transform>(position, glm::vec3(0.6f), glm::vec3(0.0f, 30.0f, 0.0f)));
        auto* sprite = object->AddComponent(std::make_unique<Sprite>());
        sprite->SetModel("cube");
        sprite->SetColor(glm::vec3(0.8f, 0.5f, 0.3f));
        objects.push_back(object);
        models.push_back(object->GetComponent<Transform>()->GetWorldMatrix());
    }
    for (int i = 0; i < lights; ++i) {
        auto* object = new Object("lamp" + std::to_string(i), "light", "bench", "");
        object->SetNumber(sprites + i + 1);
        glm::vec3 position(static_cast<float>(i % side) - side / 2.0f, 1.0f, -static_cast<float>(i % side));
        object->AddComponent(std::make_unique<Transform>(position, glm::vec3(1.0f), glm::vec3(0.0f)));
        auto* light = object->AddComponent(std::make_unique<Light>());
        light->SetIntensity(1.0f, 0.1f, 0.1f);
        light->SetVolume(glm::vec3(6.0f));
        objects.push_back(object);
    }

    // The floor, with its own G-buffer and programs.
    auto floor = std::make_unique<GBufferFloor>(window, width, height);
    auto floorFrame = [&] { floor->Draw(camera.projection * camera.view, models); };

    // Frames and floors alternate, so that a machine whose load changes during the run weighs
    // on both alike. Wall time is the figure; the process's CPU time (all driver threads, which
    // other processes do not inflate) goes along with it.
    std::vector<double> frameMs, floorMs, frameCpuMs, floorCpuMs;
    for (int f = 0; f < frames + 5; ++f) {
        double start = NowMs(), cpuStart = CpuMs();
        engine.Update(1.0f / 60.0f, objects);
        glFinish();
        double middle = NowMs(), cpuMiddle = CpuMs();
        floorFrame();
        glFinish();
        double end = NowMs(), cpuEnd = CpuMs();
        if (f < 5) continue;
        frameMs.push_back(middle - start);
        floorMs.push_back(end - middle);
        frameCpuMs.push_back(cpuMiddle - cpuStart);
        floorCpuMs.push_back(cpuEnd - cpuMiddle);
    }
    floor.reset();

    double frame = Median(frameMs), bare = Median(floorMs);
    if (!screenshot.empty()) {
        // One more frame of the renderer alone: the image the figures were measured on.
        engine.Update(1.0f / 60.0f, objects);
        engine.WriteScreenshot(screenshot);
    }
    double frameCpu = Median(frameCpuMs), bareCpu = Median(floorCpuMs);
    std::printf("render size=%dx%d sprites=%d lights=%d frame_ms=%.3f floor_ms=%.3f ratio=%.2f cpu_frame_ms=%.3f "
                "cpu_floor_ms=%.3f cpu_ratio=%.2f\n",
                width, height, sprites, lights, frame, bare, bare > 0 ? frame / bare : 0.0, frameCpu, bareCpu,
                bareCpu > 0 ? frameCpu / bareCpu : 0.0);
    for (Object* object : objects) delete object;
    engine.Shutdown();
    return 0;
}

} // namespace zumek::bench
