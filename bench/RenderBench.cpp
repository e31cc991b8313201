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

const char* kFloorVertex = R"(#version 410 core
layout(location = 0) in vec3 position;
uniform mat4 MVP;
void main() { gl_Position = MVP * vec4(position, 1.0); })";
const char* kFloorFragment = R"(#version 410 core
layout(location = 0) out vec4 o0; layout(location = 1) out vec4 o1; layout(location = 2) out vec4 o2;
layout(location = 3) out vec4 o3; layout(location = 4) out vec4 o4; layout(location = 5) out vec4 o5;
layout(location = 6) out float o6;
void main() { o0 = vec4(1); o1 = vec4(gl_FragCoord.xyz, 1); o2 = vec4(0, 0, 1, 0); o3 = vec4(0); o4 = vec4(0); o5 = vec4(1); o6 = 1.0; })";
const char* kQuadVertex = R"(#version 410 core
layout(location = 0) in vec3 position; out vec2 uv;
void main() { uv = position.xy * 0.5 + 0.5; gl_Position = vec4(position, 1.0); })";
const char* kQuadFragment = R"(#version 410 core
in vec2 uv; out vec4 color; uniform sampler2D m[7];
void main() { vec4 s = vec4(0); for (int i = 0; i < 7; ++i) s += texture(m[i], uv); color = s / 7.0; })";

GLuint Program(const char* vertex, const char* fragment) {
    GLuint program = glCreateProgram();
    for (auto [stage, text] : {std::pair{GL_VERTEX_SHADER, vertex}, {GL_FRAGMENT_SHADER, fragment}}) {
        GLuint shader = glCreateShader(stage);
        glShaderSource(shader, 1, &text, nullptr);
        glCompileShader(shader);
        glAttachShader(program, shader);
    }
    glLinkProgram(program);
    return program;
}

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
    for (int i = 0; i + 1 < argc; i += 2) {
        std::string key = argv[i];
        if (key == "--sprites") sprites = std::atoi(argv[i + 1]);
        else if (key == "--lights") lights = std::atoi(argv[i + 1]);
        else if (key == "--frames") frames = std::max(1, std::atoi(argv[i + 1]));
        else if (key == "--screenshot") screenshot = argv[i + 1];
        else if (key == "--size" && std::sscanf(argv[i + 1], "%dx%d", &width, &height) == 2) {
        } else {
            std::fprintf(stderr, "render: unknown option %s\n", argv[i]);
            return 2;
        }
    }
    Paths::SetResourceRoot(ZUMEK_SOURCE_ROOT);
    Window window("zumek_bench render", width, height);
    GraphicsEngine engine(&window, nullptr);
    engine.Initialize();
    CameraSetting& camera = *SettingManager::GetSetting<CameraSetting*>();
    camera.view = glm::lookAt(glm::vec3(0, 6, 18), glm::vec3(0, 0, 0), glm::vec3(0, 1, 0));

    // A grid of cubes on the x-z plane, and the lights hanging over it.
    std::vector<Object*> objects;
    std::vector<glm::mat4> models;
    const int side = std::max(1, static_cast<int>(std::ceil(std::sqrt(static_cast<double>(sprites)))));
    for (int i = 0; i < sprites; ++i) {
        glm::vec3 position(static_cast<float>(i % side) - side / 2.0f, 0.0f, -static_cast<float>(i / side));
        auto* object = new Object("cube" + std::to_string(i), "cube", "bench", "");
        object->SetNumber(i + 1);
        object->AddComponent<Transform>(new Transform(position, glm::vec3(0.6f), glm::vec3(0.0f, 30.0f, 0.0f)));
        auto* sprite = new Sprite();
        sprite->SetModel("cube");
        sprite->SetColor(glm::vec3(0.8f, 0.5f, 0.3f));
        object->AddComponent<Sprite>(sprite);
        objects.push_back(object);
        models.push_back(object->GetComponent<Transform>()->GetWorldMatrix());
    }
    for (int i = 0; i < lights; ++i) {
        auto* object = new Object("lamp" + std::to_string(i), "light", "bench", "");
        object->SetNumber(sprites + i + 1);
        glm::vec3 position(static_cast<float>(i % side) - side / 2.0f, 1.0f, -static_cast<float>(i % side));
        object->AddComponent<Transform>(new Transform(position, glm::vec3(1.0f), glm::vec3(0.0f)));
        auto* light = new Light();
        light->SetIntensity(1.0f, 0.1f, 0.1f);
        light->SetVolume(glm::vec3(6.0f));
        object->AddComponent<Light>(light);
        objects.push_back(object);
    }

    // The floor, with its own G-buffer and programs.
    GBuffer floor;
    floor.Build();
    GLuint cubeProgram = Program(kFloorVertex, kFloorFragment), quadProgram = Program(kQuadVertex, kQuadFragment);
    GLint mvpLocation = glGetUniformLocation(cubeProgram, "MVP");
    MeshBuffers cube;
    cube.Upload(ModelLoader::ImportCached(GetContentPath(ContentType::Model, "cube")));
    const float corners[18] = {-1, -1, 0, 1, -1, 0, -1, 1, 0, -1, 1, 0, 1, -1, 0, 1, 1, 0};
    GLuint quadArray = 0, quadBuffer = 0;
    glGenVertexArrays(1, &quadArray);
    glGenBuffers(1, &quadBuffer);
    glBindVertexArray(quadArray);
    glBindBuffer(GL_ARRAY_BUFFER, quadBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof(corners), corners, GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    glBindVertexArray(0);
    auto floorFrame = [&] {
        // The state the floor needs, whatever the engine's frame left behind.
        glDisable(GL_BLEND);
        glDisable(GL_CULL_FACE);
        glDisable(GL_SCISSOR_TEST);
        glDepthMask(GL_TRUE);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, floor.framebuffer);
        glViewport(0, 0, GBuffer::kSize, GBuffer::kSize);
        glEnable(GL_DEPTH_TEST);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glUseProgram(cubeProgram);
        glBindVertexArray(cube.vertexArray);
        for (const glm::mat4& model : models) {
            glm::mat4 mvp = camera.projection * camera.view * model;
            glUniformMatrix4fv(mvpLocation, 1, GL_FALSE, glm::value_ptr(mvp));
            glDrawArrays(GL_TRIANGLES, 0, cube.vertexCount);
        }
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glViewport(0, 0, width, height);
        glDisable(GL_DEPTH_TEST);
        glUseProgram(quadProgram);
        floor.BindTextures();
        for (int i = 0; i < GBuffer::kColourCount; ++i)
            glUniform1i(glGetUniformLocation(quadProgram, ("m[" + std::to_string(i) + "]").c_str()), i);
        glBindVertexArray(quadArray);
        glDrawArrays(GL_TRIANGLES, 0, 6);
        SDL_GL_SwapWindow(window.Handle());
        glBindVertexArray(0);
        glUseProgram(0);
    };

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
    cube.Release();
    floor.Release();
    glDeleteBuffers(1, &quadBuffer);
    glDeleteVertexArrays(1, &quadArray);
    glDeleteProgram(cubeProgram);
    glDeleteProgram(quadProgram);

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
