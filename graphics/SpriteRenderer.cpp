// graphics/SpriteRenderer.cpp
#include "graphics/SpriteRenderer.h"

#include <GL/glew.h>

#include <algorithm>

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include "content/ContentType.h"
#include "engine/FrameTimer.h"
#include "engine/SettingManager.h"
#include "graphics/AnimatedSprite.h"
#include "graphics/AnimatedSpriteRenderer.h"
#include "graphics/Hud.h"
#include "graphics/Laser.h"
#include "graphics/ModelLoader.h"
#include "graphics/ShaderProvider.h"
#include "graphics/SpriteBase.h"
#include "graphics/TextureProvider.h"
#include "objects/Object.h"
#include "objects/Transform.h"
#include "platform/Clock.h"

namespace zumek {
namespace {

const char* const kSamplerNames[3] = {"texture0", "info", "normalMap"};
const char* const kEffectKeys[4] = {"NORMAL_SHADER", "PHONG_SHADER", "NOISE_FX", "NOISE_CHRISTAL"};

Transform* OwnerTransform(SpriteBase& sprite) {
    Object* owner = sprite.GetOwner();
    return owner ? owner->GetComponent<Transform>() : nullptr;
}

void SelectEffect(SpriteGpu& gpu, const std::string& effectKey) {
    auto it = gpu.effectSubroutines.find(effectKey);
    // A key outside the table selects the first subroutine and is remembered with it.
    if (it == gpu.effectSubroutines.end()) it = gpu.effectSubroutines.emplace(effectKey, 0u).first;
    GLuint index = it->second;
    if (gpu.subroutineUniforms > 0) glUniformSubroutinesuiv(GL_FRAGMENT_SHADER, 1, &index);
}

} // namespace

float SpriteRenderer::AnimationClock() { return static_cast<float>(AnimatedSpriteRenderer::AnimationClock()); }

void SpriteRenderer::HudColor(float fps, float& red, float& green) {
    float k = std::clamp((fps - 40.0f) / 50.0f, 0.0f, 1.0f);
    red = 1.0f - k;
    green = k;
}

bool SpriteRenderer::Prepare(SpriteBase& sprite) {
    SpriteGpu& gpu = sprite.Gpu();
    if (gpu.created) return gpu.program != 0 && gpu.mesh.vertexCount > 0;
    gpu.created = true;
    GLuint program = 0;
    // The CPU rasterizer reads every texture of the program, used or not: a sprite without
    // textures gets the same program without the reads: the same image for far less work.
    if (sprite.GetProgramKey() == "GBUFFER_SHADER" && !sprite.UsesTexture() && !sprite.UsesNormalMap())
        program = ShaderProvider::Instance().TryGet("GBUFFER_PLAIN_SHADER");
    if (!program) program = ShaderProvider::Instance().TryGet(sprite.GetProgramKey());
    gpu.program = program;
    if (program) {
        gpu.uniforms = SceneUniforms::Locate(program);
        for (int i = 0; i < 3; ++i) gpu.samplers[i] = glGetUniformLocation(program, kSamplerNames[i]);
        // Read once here rather than asked of the driver at every draw.
        glGetProgramStageiv(program, GL_FRAGMENT_SHADER, GL_ACTIVE_SUBROUTINE_UNIFORM_LOCATIONS, &gpu.subroutineUniforms);
        for (const char* key : kEffectKeys) {
            GLuint index = glGetSubroutineIndex(program, GL_FRAGMENT_SHADER, EffectSubroutineName(key));
            gpu.effectSubroutines[key] = index == GL_INVALID_INDEX ? 0u : index;
        }
    }
    if (!sprite.GetModel().empty()) gpu.mesh.Upload(ModelLoader::ImportCached(ModelLoader::ModelPath(sprite.GetModel())));
    for (const SpriteTextureRecord& record : sprite.GetTextures()) {
        int slot = SpriteBase::SlotIndex(record.slotName);
        if (slot < 0) continue;
        gpu.textures.emplace_back(gpu.samplers[slot], TextureProvider::Instance().Get(record.fileName)->name);
    }
    // The debug box: the cube model's positions alone.
    const MeshData& cube = ModelLoader::ImportCached(GetContentPath(ContentType::Model, "cube"));
    glGenVertexArrays(1, &gpu.debugVertexArray);
    glGenBuffers(1, &gpu.debugBuffer);
    glBindVertexArray(gpu.debugVertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, gpu.debugBuffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(cube.positions.size() * sizeof(glm::vec3)), cube.positions.data(),
                 GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    gpu.debugVertexCount = static_cast<int>(cube.positions.size());
    return gpu.program != 0 && gpu.mesh.vertexCount > 0;
}

void SpriteRenderer::SetMatrices(SpriteBase& sprite) {
    SpriteGpu& gpu = sprite.Gpu();
    glm::mat4 model(1.0f);
    if (Transform* transform = OwnerTransform(sprite)) model = transform->GetWorldMatrix();
    gpu.uniforms.SetMatrices(model);
}

void SpriteRenderer::Draw(SpriteBase& sprite) {
    if (sprite.IsHidden() || !Prepare(sprite)) return;
    SpriteGpu& gpu = sprite.Gpu();
    glUseProgram(gpu.program);
    SetMatrices(sprite);
    for (size_t i = 0; i < gpu.textures.size(); ++i) {
        glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(i));
        glBindTexture(GL_TEXTURE_2D, gpu.textures[i].second);
        glUniform1i(gpu.textures[i].first, static_cast<GLint>(i));
    }
    glActiveTexture(GL_TEXTURE0);
    glUniform1i(gpu.uniforms.useTexture, sprite.UsesTexture() ? 1 : 0);
    glUniform1i(gpu.uniforms.useNormal, sprite.UsesNormalMap() ? 1 : 0);
    glBindVertexArray(gpu.mesh.vertexArray);
    const glm::vec3& color = sprite.GetColor();
    glUniform3f(gpu.uniforms.diffuseColor, color.x, color.y, color.z);
    glUniform1f(gpu.uniforms.multiplier, static_cast<float>(sprite.GetMultiplier()));
    SelectEffect(gpu, sprite.GetEffect());
    glUniform1i(gpu.uniforms.debugDraw, 0);
    glUniform1i(gpu.uniforms.pickId, sprite.GetPickId());
    glUniform1f(gpu.uniforms.time, static_cast<float>(Clock::NowMs()) / 1000.0f);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(1.0f, 1.0f); // the debug box's lines win over the faces they lie on
    glDrawArrays(GL_TRIANGLES, 0, gpu.mesh.vertexCount);
    glDisable(GL_POLYGON_OFFSET_FILL);
    glBindVertexArray(0);
    if (SettingManager::GetSetting<DebugDrawSetting>() == 0 || sprite.GetShowBox()) DrawBox(sprite);
    glUseProgram(0);
}

void SpriteRenderer::DrawBox(SpriteBase& sprite) {
    SpriteGpu& gpu = sprite.Gpu();
    if (!gpu.debugVertexCount) return;
    glUseProgram(gpu.program);
    // The box follows the owner's position, rotation (each axis in turn) and scale.
    glm::mat4 model(1.0f);
    if (Transform* transform = OwnerTransform(sprite)) {
        glm::vec3 rotation = transform->GetRotation();
        model = glm::translate(model, transform->GetPosition());
        model = glm::rotate(model, rotation.x, glm::vec3(1, 0, 0));
        model = glm::rotate(model, rotation.y, glm::vec3(0, 1, 0));
        model = glm::rotate(model, rotation.z, glm::vec3(0, 0, 1));
        model = glm::scale(model, transform->GetScale());
    }
    gpu.uniforms.SetMatrices(model);
    glUniform1i(gpu.uniforms.useTexture, 0);
    glUniform1i(gpu.uniforms.useNormal, 0);
    SelectEffect(gpu, "NORMAL_SHADER");
    const glm::vec3& color = sprite.GetBoundingColor();
    glUniform3f(gpu.uniforms.diffuseColor, color.x, color.y, color.z);
    glUniform1i(gpu.uniforms.debugDraw, 1);
    glBindVertexArray(gpu.debugVertexArray);
    glDrawArrays(GL_LINES, 0, gpu.debugVertexCount);
    glBindVertexArray(0);
}

void SpriteRenderer::DrawHud(Hud& hud) {
    if (!Prepare(hud)) return;
    SpriteGpu& gpu = hud.Gpu();
    glUseProgram(gpu.program);
    SetMatrices(hud);
    for (size_t i = 0; i < gpu.textures.size(); ++i) {
        glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(i));
        glBindTexture(GL_TEXTURE_2D, gpu.textures[i].second);
        glUniform1i(gpu.textures[i].first, static_cast<GLint>(i));
    }
    glActiveTexture(GL_TEXTURE0);
    glUniform1i(gpu.uniforms.useTexture, hud.UsesTexture() ? 1 : 0);
    glUniform1i(gpu.uniforms.useNormal, hud.UsesNormalMap() ? 1 : 0);
    glBindVertexArray(gpu.mesh.vertexArray);
    float red = 0, green = 0;
    HudColor(FrameTimer::Instance().Fps(), red, green);
    glUniform3f(gpu.uniforms.diffuseColor, red, green, 0.0f);
    glUniform1f(gpu.uniforms.multiplier, static_cast<float>(hud.GetMultiplier()));
    // A program with subroutine uniforms needs them set after every glUseProgram.
    SelectEffect(gpu, hud.GetEffect());
    glUniform1i(gpu.uniforms.debugDraw, 0);
    glUniform1i(gpu.uniforms.pickId, hud.GetPickId());
    glUniform1f(gpu.uniforms.time, static_cast<float>(Clock::NowMs()) / 10000.0f);
    glDrawArrays(GL_TRIANGLES, 0, gpu.mesh.vertexCount);
    glBindVertexArray(0);
    glUseProgram(0);
}

void SpriteRenderer::DrawAnimated(AnimatedSprite& sprite) { AnimatedSpriteRenderer::Draw(sprite); }

} // namespace zumek
