// graphics/ParticleRenderer.cpp
#include "graphics/ParticleRenderer.h"

#include <GL/glew.h>

#include <cstdint>

#include <glm/gtc/type_ptr.hpp>

#include "engine/SettingManager.h"
#include "graphics/Particles.h"
#include "graphics/ShaderProvider.h"
#include "graphics/TextureProvider.h"
#include "objects/Object.h"
#include "objects/Transform.h"

namespace zumek {
namespace {

const char* const kInitialDataNames[10] = {
    "initialData.pos",      "initialData.posRange",      "initialData.startColor", "initialData.endColor",
    "initialData.velocity", "initialData.velocityRange", "initialData.life",       "initialData.lifeRange",
    "initialData.size",     "initialData.sizeRange"};

Transform* OwnerTransform(Particles& particles) {
    Object* owner = particles.GetOwner();
    return owner ? owner->GetComponent<Transform>() : nullptr;
}

} // namespace

void ParticleRenderer::Build(Particles& particles) {
    ParticlesGpu& gpu = particles.Gpu();
    const ParticleSettings& settings = particles.GetSettings();
    ShaderProvider& shaders = ShaderProvider::Instance();
    gpu.drawProgram = shaders.TryGet(settings.displayShader);
    gpu.initProgram = settings.initializeShader.empty() ? 0 : shaders.TryGet(settings.initializeShader);
    gpu.updateProgram = settings.updateShader.empty() ? 0 : shaders.TryGet(settings.updateShader);
    if (gpu.drawProgram) {
        gpu.drawTexture = glGetUniformLocation(gpu.drawProgram, "texture0");
        gpu.drawModel = glGetUniformLocation(gpu.drawProgram, "M");
        gpu.drawView = glGetUniformLocation(gpu.drawProgram, "V");
        gpu.drawProjection = glGetUniformLocation(gpu.drawProgram, "P");
    }
    if (gpu.updateProgram) {
        gpu.updateCount = glGetUniformLocation(gpu.updateProgram, "numberParticles");
        gpu.updateTime = glGetUniformLocation(gpu.updateProgram, "time");
        gpu.updateDt = glGetUniformLocation(gpu.updateProgram, "dt");
        gpu.updateParameters = glGetUniformLocation(gpu.updateProgram, "parameters");
        gpu.updateBasePosition = glGetUniformLocation(gpu.updateProgram, "basePosition");
    }
    if (!settings.texture.empty()) gpu.texture = TextureProvider::Instance().Get(settings.texture)->name;

    if (!gpu.vertexArray) {
        glGenVertexArrays(1, &gpu.vertexArray);
        glGenBuffers(1, &gpu.particleBuffer);
    }
    glBindVertexArray(gpu.vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, gpu.particleBuffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(particles.GetCount()) * kRecordBytes, nullptr, GL_STATIC_DRAW);
    for (GLuint attribute = 0; attribute < 10; ++attribute) {
        glEnableVertexAttribArray(attribute);
        glVertexAttribPointer(attribute, 4, GL_FLOAT, GL_FALSE, kRecordBytes,
                              reinterpret_cast<void*>(static_cast<uintptr_t>(attribute) * 16));
    }
    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 1, gpu.particleBuffer);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    gpu.built = true;
    particles.SetElapsed(0.0f);
    if (gpu.initProgram) Initialize(particles);
}

void ParticleRenderer::Initialize(Particles& particles) {
    ParticlesGpu& gpu = particles.Gpu();
    if (!gpu.built) {
        Build(particles); // initialises as its last step
        return;
    }
    if (!gpu.vertexArray || particles.GetCount() == 0 || !gpu.initProgram) return;
    glBindVertexArray(gpu.vertexArray);
    glUseProgram(gpu.initProgram);
    glUniform1i(glGetUniformLocation(gpu.initProgram, "numberParticles"), static_cast<GLint>(particles.GetCount()));
    std::vector<glm::vec3>& points = particles.Parameters();
    if (points.empty()) points.resize(2);
    if (Transform* transform = OwnerTransform(particles)) gpu.initialPosition = glm::vec4(transform->GetPosition(), 1.0f);
    points[0] = points[1] = glm::vec3(gpu.initialPosition);
    const auto& data = particles.GetInitialData();
    for (int i = 0; i < 10; ++i) {
        // Slot 0 is the emitter's position; colours keep their alpha, the rest have w = 1.
        glm::vec4 value = i == 0 ? gpu.initialPosition : data[static_cast<size_t>(i)];
        if (i != 2 && i != 3) value.w = 1.0f;
        glUniform4f(glGetUniformLocation(gpu.initProgram, kInitialDataNames[i]), value.x, value.y, value.z, value.w);
    }
    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 1, gpu.particleBuffer);
    glDispatchCompute(GroupCount(particles.GetCount()), 1, 1);
    glMemoryBarrier(GL_SHADER_STORAGE_BARRIER_BIT | GL_VERTEX_ATTRIB_ARRAY_BARRIER_BIT);
    glUseProgram(0);
    glBindVertexArray(0);
}

void ParticleRenderer::Draw(Particles& particles, float dt, bool advance) {
    if (!particles.IsActive()) return;
    ParticlesGpu& gpu = particles.Gpu();
    if (!gpu.built) Build(particles);
    if (!gpu.drawProgram || particles.GetCount() == 0) return;
    const CameraSetting& camera = *SettingManager::GetSetting<CameraSetting*>();
    glm::mat4 model(1.0f);
    Transform* transform = OwnerTransform(particles);
    if (transform) model = transform->GetWorldMatrix();
    std::vector<glm::vec3>& points = particles.Parameters();
    if (!points.empty() && transform) points[0] = transform->GetPosition();

    glBindVertexArray(gpu.vertexArray);
    glUseProgram(gpu.drawProgram);
    glUniformMatrix4fv(gpu.drawProjection, 1, GL_FALSE, glm::value_ptr(camera.projection));
    glUniformMatrix4fv(gpu.drawView, 1, GL_FALSE, glm::value_ptr(camera.view));
    glUniformMatrix4fv(gpu.drawModel, 1, GL_FALSE, glm::value_ptr(model));
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, gpu.texture);
    glUniform1i(gpu.drawTexture, 0);
    glDrawArrays(GL_POINTS, 0, static_cast<GLsizei>(particles.GetCount()));
    if (!advance) {
        glBindVertexArray(0);
        glUseProgram(0);
        return;
    }

    if (gpu.updateProgram) {
        // The emitter's points and base position belong to the update program, which declares them.
        glUseProgram(gpu.updateProgram);
        glUniform1f(gpu.updateTime, particles.GetElapsed());
        glUniform1f(gpu.updateDt, dt);
        glUniform1i(gpu.updateCount, static_cast<GLint>(particles.GetCount()));
        glUniform3f(gpu.updateBasePosition, gpu.initialPosition.x, gpu.initialPosition.y, gpu.initialPosition.z);
        if (!points.empty())
            glUniform3fv(gpu.updateParameters, static_cast<GLsizei>(std::min<size_t>(points.size(), 8)), glm::value_ptr(points[0]));
        glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 1, gpu.particleBuffer);
        glDispatchCompute(GroupCount(particles.GetCount()), 1, 1);
        // The next frame's draw reads the buffer as vertices.
        glMemoryBarrier(GL_VERTEX_ATTRIB_ARRAY_BARRIER_BIT | GL_SHADER_STORAGE_BARRIER_BIT);
    }
    glUseProgram(0);
    glBindVertexArray(0);
    particles.SetElapsed(particles.GetElapsed() + dt);
}

} // namespace zumek
