// graphics/ScreenQuad.cpp
#include "graphics/ScreenQuad.h"

#include <GL/glew.h>

#include "content/ContentType.h"
#include "engine/EngineLog.h"
#include "engine/SignalManager.h"
#include "graphics/GBuffer.h"
#include "graphics/LightTiles.h"
#include "graphics/ShaderProvider.h"
#include "input/InputEvents.h"
#include "platform/Clock.h"

namespace zumek {

ScreenQuad::ScreenQuad() { SignalManager::Connect<FadeSignal>(this); }

ScreenQuad::~ScreenQuad() {
    if (m_vertexBuffer) glDeleteBuffers(1, &m_vertexBuffer);
    if (m_vertexArray) glDeleteVertexArrays(1, &m_vertexArray);
}

void ScreenQuad::SetProgram(const std::string& shaderKey) { m_program = ShaderProvider::Instance().TryGet(shaderKey); }

void ScreenQuad::SetLitProgram(const std::string& shaderKey) {
    m_litProgram = ShaderProvider::Instance().TryGet(shaderKey);
}

void ScreenQuad::SetModelName(const std::string& name) { m_modelPath = GetContentPath(ContentType::Model, name); }

void ScreenQuad::Build() {
    static const float kCorners[18] = {-1, -1, 0, 1, -1, 0, -1, 1, 0, -1, 1, 0, 1, -1, 0, 1, 1, 0};
    if (!m_vertexArray) {
        glGenVertexArrays(1, &m_vertexArray);
        glGenBuffers(1, &m_vertexBuffer);
    }
    glBindVertexArray(m_vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, m_vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof(kCorners), kCorners, GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    if (m_litProgram) {
        m_litSpecularLocation = glGetUniformLocation(m_litProgram, "specularColor");
        m_litFadeTimeLocation = glGetUniformLocation(m_litProgram, "fadeTime");
        // Sampler units never change: set once here rather than every frame.
        glUseProgram(m_litProgram);
        for (int i = 0; i < GBuffer::kColourCount; ++i)
            glUniform1i(glGetUniformLocation(m_litProgram, GBuffer::kSamplerNames[i]), i);
        glUseProgram(0);
    }
    if (!m_program) return;
    m_specularLocation = glGetUniformLocation(m_program, "specularColor");
    m_renderModeLocation = glGetUniformLocation(m_program, "RenderMode");
    m_debugDrawLocation = glGetUniformLocation(m_program, "DebugDraw");
    m_timeLocation = glGetUniformLocation(m_program, "time");
    m_fadeTimeLocation = glGetUniformLocation(m_program, "fadeTime");
    for (int i = 0; i < GBuffer::kColourCount; ++i) m_samplers[i] = glGetUniformLocation(m_program, GBuffer::kSamplerNames[i]);
}

void ScreenQuad::StepRenderMode() {
    InputEvents& events = InputEvents::Instance();
    // Only one key per frame: with both pending, "1" waits for the next frame.
    if (events.Take(input_event::RENDER_MODE_NEXT)) ++m_renderMode;
    else if (events.Take(input_event::RENDER_MODE_PREVIOUS)) --m_renderMode;
    m_renderMode %= kRenderModes;
    if (m_renderMode < 0) m_renderMode = 0;
}

void ScreenQuad::StepFade() {
    if (!m_fading) return;
    if (m_fadeIn) {
        m_fadeTime += m_fadeStep;
        if (m_fadeTime > kFadePeak) {
            m_fadeIn = false;
            m_fadeOut = true;
        }
    }
    if (m_fadeOut) {
        m_fadeTime -= m_fadeStep;
        if (m_fadeTime < 0.0f) {
            m_fadeTime = 0.0f;
            m_fadeIn = m_fadeOut = false;
            m_fading = false;
        }
    }
}

void ScreenQuad::Step() {
    StepRenderMode();
    StepFade();
}

bool ScreenQuad::Draw(const GBuffer& gBuffer, LightTiles* lights) {
    if (lights && m_litProgram && m_renderMode == 0 && !m_fading) {
        glUseProgram(m_litProgram);
        gBuffer.BindTextures();
        lights->Apply(m_litProgram, GBuffer::kColourCount);
        glBindVertexArray(m_vertexArray);
        glUniform3f(m_litSpecularLocation, m_specularColor.x, m_specularColor.y, m_specularColor.z);
        glUniform1f(m_litFadeTimeLocation, m_fadeTime);
        glDrawArrays(GL_TRIANGLES, 0, m_vertexCount);
        glUseProgram(0);
        glBindVertexArray(0);
        return true;
    }
    if (!m_program) return false;
    glUseProgram(m_program);
    gBuffer.BindTextures();
    for (int i = 0; i < GBuffer::kColourCount; ++i) glUniform1i(m_samplers[i], i);
    glBindVertexArray(m_vertexArray);
    glUniform3f(m_specularLocation, m_specularColor.x, m_specularColor.y, m_specularColor.z);
    glUniform1i(m_debugDrawLocation, 0);
    glUniform1i(m_renderModeLocation, m_renderMode);
    glUniform1f(m_timeLocation, static_cast<float>(Clock::NowMs()));
    glUniform1f(m_fadeTimeLocation, m_fadeTime);
    glDrawArrays(GL_TRIANGLES, 0, m_vertexCount);
    glBindTexture(GL_TEXTURE_2D, 0);
    glUseProgram(0);
    glBindVertexArray(0);
    return false;
}

void ScreenQuad::Handle(FadeSignal signal) {
    // A step that is not positive would never reach the turning point: the screen would stay
    // dark and the point lights off for good.
    if (!(signal.step > 0.0f)) {
        ReportProblem(Warning, "Fade ignored: its step must be positive", std::to_string(signal.step));
        return;
    }
    m_fadeStep = signal.step;
    m_fading = true;
    m_fadeIn = true;
}

} // namespace zumek
