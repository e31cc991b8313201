// graphics/LightVolume.cpp
#include "graphics/LightVolume.h"

#include <GL/glew.h>

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include "content/ContentType.h"
#include "engine/SettingManager.h"
#include "graphics/GBuffer.h"
#include "graphics/ModelLoader.h"
#include "graphics/ShaderProvider.h"
#include "platform/Clock.h"

namespace zumek {

LightVolume::~LightVolume() { m_mesh.Release(); }

void LightVolume::SetProgram(const std::string& shaderKey) { m_program = ShaderProvider::Instance().TryGet(shaderKey); }

void LightVolume::SetModel(const std::string& name) { m_modelPath = GetContentPath(ContentType::Model, name); }

void LightVolume::Build() {
    MeshData mesh;
    ModelLoader::ReadText(m_modelPath, mesh); // a failure is reported and leaves no lights drawn
    m_mesh.Upload(mesh);
    if (!m_program) return;
    m_view = glGetUniformLocation(m_program, "V");
    m_model = glGetUniformLocation(m_program, "M");
    m_normalMatrix = glGetUniformLocation(m_program, "NormalMatrix");
    m_mvp = glGetUniformLocation(m_program, "MVP");
    m_screenWidth = glGetUniformLocation(m_program, "ScreenWidth");
    m_screenHeight = glGetUniformLocation(m_program, "ScreenHeight");
    m_time = glGetUniformLocation(m_program, "time");
    for (int i = 0; i < GBuffer::kColourCount; ++i) m_samplers[i] = glGetUniformLocation(m_program, GBuffer::kSamplerNames[i]);
}

void LightVolume::Draw(const GBuffer& gBuffer, int screenWidth, int screenHeight) {
    if (!m_program || m_mesh.vertexCount == 0) return;
    glUseProgram(m_program);
    const CameraSetting& camera = *SettingManager::GetSetting<CameraSetting*>();
    glm::mat4 model = glm::scale(glm::translate(glm::mat4(1.0f), m_position), m_scale);
    glm::mat4 normalMatrix = glm::transpose(glm::inverse(model));
    glm::mat4 mvp = camera.projection * camera.view * model;
    glUniformMatrix4fv(m_view, 1, GL_FALSE, glm::value_ptr(camera.view));
    glUniformMatrix4fv(m_model, 1, GL_FALSE, glm::value_ptr(model));
    glUniformMatrix4fv(m_normalMatrix, 1, GL_FALSE, glm::value_ptr(normalMatrix));
    glUniformMatrix4fv(m_mvp, 1, GL_FALSE, glm::value_ptr(mvp));
    gBuffer.BindTextures();
    for (int i = 0; i < GBuffer::kColourCount; ++i) glUniform1i(m_samplers[i], i);
    glBindVertexArray(m_mesh.vertexArray);
    glUniform1f(m_screenWidth, static_cast<float>(screenWidth));
    glUniform1f(m_screenHeight, static_cast<float>(screenHeight));
    glUniform1f(m_time, static_cast<float>(Clock::NowMs()) / 10000.0f);
    glDrawArrays(GL_TRIANGLES, 0, m_mesh.vertexCount);
    glBindVertexArray(0);
    glUseProgram(0);
}

} // namespace zumek
