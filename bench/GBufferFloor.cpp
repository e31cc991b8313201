// bench/GBufferFloor.cpp
#include "bench/GBufferFloor.h"

#include <GL/glew.h>

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include "content/ContentType.h"
#include "graphics/ModelLoader.h"
#include "objects/Transform.h"
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
        glDeleteShader(shader);
    }
    glLinkProgram(program);
    return program;
}

int GridSide(int count) {
    return std::max(1, static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count)))));
}

} // namespace

GBufferFloor::GBufferFloor(Window& window, int width, int height) : m_window(window), m_width(width), m_height(height) {
    m_gBuffer.Build();
    m_cubeProgram = Program(kFloorVertex, kFloorFragment);
    m_quadProgram = Program(kQuadVertex, kQuadFragment);
    m_mvpLocation = glGetUniformLocation(m_cubeProgram, "MVP");
    m_cube.Upload(ModelLoader::ImportCached(GetContentPath(ContentType::Model, "cube")));
    const float corners[18] = {-1, -1, 0, 1, -1, 0, -1, 1, 0, -1, 1, 0, 1, -1, 0, 1, 1, 0};
    glGenVertexArrays(1, &m_quadArray);
    glGenBuffers(1, &m_quadBuffer);
    glBindVertexArray(m_quadArray);
    glBindBuffer(GL_ARRAY_BUFFER, m_quadBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof(corners), corners, GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    glBindVertexArray(0);
}

GBufferFloor::~GBufferFloor() {
    m_cube.Release();
    m_gBuffer.Release();
    glDeleteBuffers(1, &m_quadBuffer);
    glDeleteVertexArrays(1, &m_quadArray);
    glDeleteProgram(m_cubeProgram);
    glDeleteProgram(m_quadProgram);
}

void GBufferFloor::Draw(const glm::mat4& viewProjection, const std::vector<glm::mat4>& models) {
    // The state the floor needs, whatever the engine's frame left behind.
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    glDisable(GL_SCISSOR_TEST);
    glDepthMask(GL_TRUE);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, m_gBuffer.framebuffer);
    glViewport(0, 0, GBuffer::kSize, GBuffer::kSize);
    glEnable(GL_DEPTH_TEST);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glUseProgram(m_cubeProgram);
    glBindVertexArray(m_cube.vertexArray);
    for (const glm::mat4& model : models) {
        glm::mat4 mvp = viewProjection * model;
        glUniformMatrix4fv(m_mvpLocation, 1, GL_FALSE, glm::value_ptr(mvp));
        glDrawArrays(GL_TRIANGLES, 0, m_cube.vertexCount);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, m_width, m_height);
    glDisable(GL_DEPTH_TEST);
    glUseProgram(m_quadProgram);
    m_gBuffer.BindTextures();
    for (int i = 0; i < GBuffer::kColourCount; ++i)
        glUniform1i(glGetUniformLocation(m_quadProgram, ("m[" + std::to_string(i) + "]").c_str()), i);
    glBindVertexArray(m_quadArray);
    glDrawArrays(GL_TRIANGLES, 0, 6);
    SDL_GL_SwapWindow(m_window.Handle());
    glBindVertexArray(0);
    glUseProgram(0);
}

glm::vec3 GBufferFloor::GridPosition(int index, int count) {
    const int side = GridSide(count);
    return glm::vec3(static_cast<float>(index % side) - side / 2.0f, 0.0f, -static_cast<float>(index / side));
}

std::vector<glm::mat4> GBufferFloor::GridModels(int count) {
    std::vector<glm::mat4> models;
    for (int i = 0; i < count; ++i)
        models.push_back(Transform(GridPosition(i, count), glm::vec3(0.6f), glm::vec3(0.0f, 30.0f, 0.0f)).GetWorldMatrix());
    return models;
}

glm::mat4 GBufferFloor::View() { return glm::lookAt(glm::vec3(0, 6, 18), glm::vec3(0, 0, 0), glm::vec3(0, 1, 0)); }

} // namespace zumek::bench
