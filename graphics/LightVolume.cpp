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
    m_uniforms = SceneUniforms::Locate(m_program);
    m_screenWidth = glGetUniformLocation(m_program, "ScreenWidth");
    m_screenHeight = glGetUniformLocation(m_program, "ScreenHeight");
    for (int i = 0; i < GBuffer::kColourCount; ++i) m_samplers[i] = glGetUniformLocation(m_program, GBuffer::kSamplerNames[i]);
}

void LightVolume::Draw(const GBuffer& gBuffer, int screenWidth, int screenHeight) {
    if (!m_program || m_mesh.vertexCount == 0) return;
    glUseProgram(m_program);
    m_uniforms.SetMatrices(glm::scale(glm::translate(glm::mat4(1.0f), m_position), m_scale));
    gBuffer.BindTextures();
    for (int i = 0; i < GBuffer::kColourCount; ++i) glUniform1i(m_samplers[i], i);
    glBindVertexArray(m_mesh.vertexArray);
    glUniform1f(m_screenWidth, static_cast<float>(screenWidth));
    glUniform1f(m_screenHeight, static_cast<float>(screenHeight));
    glUniform1f(m_uniforms.time, static_cast<float>(Clock::NowMs()) / 10000.0f);
    glDrawArrays(GL_TRIANGLES, 0, m_mesh.vertexCount);
    glBindVertexArray(0);
    glUseProgram(0);
}

} // namespace zumek
