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
    m_uniforms = SceneUniforms::Locate(m_program);
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
    // The beam's vertices are in world space.
    m_uniforms.SetMatrices(glm::mat4(1.0f));
    glBindVertexArray(m_vertexArray);
    glUniform3f(m_uniforms.diffuseColor, m_color.x, m_color.y, m_color.z);
    GLuint index = glGetSubroutineIndex(m_program, GL_FRAGMENT_SHADER, EffectSubroutineName(m_effectKey));
    if (index != GL_INVALID_INDEX) glUniformSubroutinesuiv(GL_FRAGMENT_SHADER, 1, &index);
    glUniform1i(m_uniforms.useTexture, 0);
    glUniform1i(m_uniforms.useNormal, 0);
    glUniform1f(m_uniforms.multiplier, 1.0f);
    glUniform1i(m_uniforms.debugDraw, 0);
    glUniform1i(m_uniforms.pickId, -1);
    glUniform1f(m_uniforms.time, static_cast<float>(Clock::NowMs()) / 1000.0f);
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
