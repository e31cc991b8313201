// graphics/Laser.cpp
#include "graphics/Laser.h"

#include <GL/glew.h>

#include <algorithm>

#include <glm/gtc/type_ptr.hpp>

#include "engine/SettingManager.h"
#include "graphics/ShaderProvider.h"
#include "platform/Clock.h"

namespace zumek {

const char* EffectSubroutineName(const std::string& effectKey) {
    if (effectKey == "PHONG_SHADER") return "BlueShade";
    if (effectKey == "NOISE_FX") return "NoiseFx";
    if (effectKey == "NOISE_CHRISTAL") return "NoiseChristal";
    return "NoEffect";
}

Laser::~Laser() {
    if (m_vertexBuffer) glDeleteBuffers(1, &m_vertexBuffer);
    if (m_vertexArray) glDeleteVertexArrays(1, &m_vertexArray);
}

void Laser::SetProgram(const std::string& shaderKey) {
    m_program = ShaderProvider::Instance().TryGet(shaderKey);
    if (!m_program) return;
    m_view = glGetUniformLocation(m_program, "V");
    m_model = glGetUniformLocation(m_program, "M");
    m_normalMatrix = glGetUniformLocation(m_program, "NormalMatrix");
    m_mvp = glGetUniformLocation(m_program, "MVP");
    m_diffuse = glGetUniformLocation(m_program, "diffuseColor");
    m_useTexture = glGetUniformLocation(m_program, "useTexture");
    m_useNormal = glGetUniformLocation(m_program, "useNormal");
    m_debugDraw = glGetUniformLocation(m_program, "DebugDraw");
    m_pickId = glGetUniformLocation(m_program, "PickId");
    m_time = glGetUniformLocation(m_program, "time");
    m_multiplier = glGetUniformLocation(m_program, "MultiplierTexture");
}

void Laser::SetEffect(const std::string& effectKey) { m_effectKey = effectKey; }

void Laser::SetSegments(const std::vector<glm::vec3>& points) {
    if (points.size() < 2) return;
    m_segments.clear();
    for (size_t i = 1; i < points.size(); ++i) {
        m_segments.push_back(points[i - 1]);
        m_segments.push_back(points[i]);
    }
    if (!m_vertexArray) {
        glGenVertexArrays(1, &m_vertexArray);
        glGenBuffers(1, &m_vertexBuffer);
    }
    glBindVertexArray(m_vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, m_vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(m_segments.size() * sizeof(glm::vec3)), m_segments.data(),
                 GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void Laser::Draw() {
    if (!m_program || m_segments.empty()) return;
    glUseProgram(m_program);
    const CameraSetting& camera = *SettingManager::GetSetting<CameraSetting*>();
    const glm::mat4 identity(1.0f);
    glm::mat4 mvp = camera.projection * camera.view;
    glUniformMatrix4fv(m_view, 1, GL_FALSE, glm::value_ptr(camera.view));
    glUniformMatrix4fv(m_model, 1, GL_FALSE, glm::value_ptr(identity));
    glUniformMatrix4fv(m_normalMatrix, 1, GL_FALSE, glm::value_ptr(identity));
    glUniformMatrix4fv(m_mvp, 1, GL_FALSE, glm::value_ptr(mvp));
    glBindVertexArray(m_vertexArray);
    glUniform3f(m_diffuse, m_color.x, m_color.y, m_color.z);
    GLuint index = glGetSubroutineIndex(m_program, GL_FRAGMENT_SHADER, EffectSubroutineName(m_effectKey));
    if (index != GL_INVALID_INDEX) glUniformSubroutinesuiv(GL_FRAGMENT_SHADER, 1, &index);
    glUniform1i(m_useTexture, 0);
    glUniform1i(m_useNormal, 0);
    glUniform1f(m_multiplier, 1.0f);
    glUniform1i(m_debugDraw, 0);
    glUniform1i(m_pickId, -1);
    glUniform1f(m_time, static_cast<float>(Clock::NowMs()) / 1000.0f);
    // The lines carry no normal: the G-buffer program marks them unlit, so they keep their colour.
    glVertexAttrib3f(2, 0.0f, 0.0f, 0.0f);
    // A line is one G-buffer texel wide, and the lighting pass samples the G-buffer once per
    // window pixel: a window smaller than the G-buffer would skip it. Drawing it again with the
    // viewport moved by one texel at a time widens it to one window pixel (core profiles have
    // no wide lines).
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    const ResolutionSetting& resolution = SettingManager::GetSetting<ResolutionSetting>();
    int smaller = std::max(1, std::min(resolution.width, resolution.height));
    int spread = std::max(1, (viewport[3] + smaller - 1) / smaller);
    for (int offset = -(spread / 2); offset <= spread - 1 - spread / 2; ++offset) {
        glViewport(viewport[0] + offset, viewport[1], viewport[2], viewport[3]);
        glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(m_segments.size()));
        if (offset == 0) continue;
        glViewport(viewport[0], viewport[1] + offset, viewport[2], viewport[3]);
        glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(m_segments.size()));
    }
    glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
    glBindVertexArray(0);
    glUseProgram(0);
}

} // namespace zumek
