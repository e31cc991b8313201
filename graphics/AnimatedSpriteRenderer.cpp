// graphics/AnimatedSpriteRenderer.cpp
#include "graphics/AnimatedSpriteRenderer.h"

#include <GL/glew.h>

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/quaternion.hpp>
#include <glm/gtc/type_ptr.hpp>

#include "engine/FrameTimer.h"
#include "engine/SettingManager.h"
#include "graphics/AnimatedSprite.h"
#include "graphics/ConeModelProvider.h"
#include "graphics/Laser.h"
#include "graphics/ShaderProvider.h"
#include "graphics/TextureProvider.h"
#include "objects/Object.h"
#include "objects/Transform.h"
#include "platform/Clock.h"

namespace zumek {
namespace {

double g_clock = 0.0;
int g_clockFrame = -1;

constexpr const char* kBoneName = "bone";
const glm::vec3 kBoneColor(1.0f, 0.8f, 0.2f);
constexpr float kLeafBoneLength = 0.15f; ///< model units, for bones without a child to point at

/// The shortest rotation taking the unit vector `from` onto the unit vector `to`.
glm::quat RotationBetween(const glm::vec3& from, const glm::vec3& to) {
    const float cosine = glm::dot(from, to);
    if (cosine < -0.99999f) return glm::angleAxis(3.14159265f, glm::vec3(1.0f, 0.0f, 0.0f)); // y onto -y
    const glm::vec3 axis = glm::cross(from, to);
    return glm::normalize(glm::quat(1.0f + cosine, axis.x, axis.y, axis.z));
}

glm::mat4 OwnerMatrix(AnimatedSprite& sprite) {
    Object* owner = sprite.GetOwner();
    Transform* transform = owner ? owner->GetComponent<Transform>() : nullptr;
    return transform ? transform->GetWorldMatrix() : glm::mat4(1.0f);
}

void Upload(AnimatedSpriteGpu& gpu, const AnimatedMesh& mesh) {
    glGenVertexArrays(1, &gpu.vertexArray);
    glGenBuffers(8, gpu.buffers);
    glBindVertexArray(gpu.vertexArray);
    UploadMeshAttributes(mesh.vertices, gpu.buffers);
    glBindBuffer(GL_ARRAY_BUFFER, gpu.buffers[5]);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(mesh.boneIds.size() * sizeof(glm::ivec4)), mesh.boneIds.data(),
                 GL_STATIC_DRAW);
    glEnableVertexAttribArray(5);
    glVertexAttribIPointer(5, 4, GL_INT, 0, nullptr); // integer ids, not converted to floats
    UploadVertexAttribute(gpu.buffers[6], 6, 4, reinterpret_cast<const float*>(mesh.boneWeights.data()), mesh.boneWeights.size() * 4);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, gpu.buffers[7]);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(mesh.indices.size() * sizeof(unsigned int)),
                 mesh.indices.data(), GL_STATIC_DRAW);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

} // namespace

AnimatedSpriteGpu::~AnimatedSpriteGpu() {
    if (!vertexArray) return;
    glDeleteBuffers(8, buffers);
    glDeleteVertexArrays(1, &vertexArray);
}

double AnimatedSpriteRenderer::AnimationClock() { return g_clock; }

void AnimatedSpriteRenderer::SetAnimationClock(double seconds) { g_clock = seconds; }

void AnimatedSpriteRenderer::AdvanceClock() {
    // Once per frame, not per sprite: a scene of many animated sprites animates no faster.
    const FrameTimer& timer = FrameTimer::Instance();
    if (timer.Frames() == g_clockFrame) return;
    g_clockFrame = timer.Frames();
    g_clock += timer.Delta() / 1000.0;
}

bool AnimatedSpriteRenderer::Prepare(AnimatedSprite& sprite) {
    AnimatedSpriteGpu& gpu = sprite.AnimatedGpu();
    if (gpu.created) return gpu.program != 0;
    gpu.created = true;
    const AnimatedMesh& mesh = *sprite.GetMesh();
    bool textured = false;
    for (const AnimatedSubMesh& part : mesh.subMeshes) textured = textured || !part.texture.empty();
    GLuint program = 0;
    // As for still sprites: without textures, the same program without the texture reads.
    if (sprite.GetProgramKey() == "ANIMATION_SHADER" && !textured)
        program = ShaderProvider::Instance().TryGet("ANIMATION_PLAIN_SHADER");
    if (!program) program = ShaderProvider::Instance().TryGet(sprite.GetProgramKey());
    gpu.program = program;
    if (!program) return false;
    gpu.uniforms = SceneUniforms::Locate(program);
    gpu.texture0 = glGetUniformLocation(program, "texture0");
    gpu.bones = glGetUniformLocation(program, "gBones");
    gpu.numberBones = glGetUniformLocation(program, "numberBones");
    glGetProgramStageiv(program, GL_FRAGMENT_SHADER, GL_ACTIVE_SUBROUTINE_UNIFORM_LOCATIONS, &gpu.subroutineUniforms);
    GLuint effect = glGetSubroutineIndex(program, GL_FRAGMENT_SHADER, EffectSubroutineName(sprite.GetEffect()));
    gpu.effect = effect == GL_INVALID_INDEX ? 0u : effect;
    Upload(gpu, mesh);
    for (const AnimatedSubMesh& part : mesh.subMeshes)
        gpu.partTextures.push_back(part.texture.empty() ? 0u : TextureProvider::Instance().Get(part.texture)->name);
    gpu.childOfNode.assign(mesh.nodes.size(), -1);
    for (size_t n = mesh.nodes.size(); n-- > 0;) {
        int parent = mesh.nodes[n].parent;
        if (parent >= 0) gpu.childOfNode[static_cast<size_t>(parent)] = static_cast<int>(n); // the first child wins
    }
    return true;
}

void AnimatedSpriteRenderer::Draw(AnimatedSprite& sprite) {
    AdvanceClock();
    const AnimatedMesh* mesh = sprite.GetMesh();
    if (sprite.IsHidden() || !mesh || !mesh->IsValid() || !Prepare(sprite)) return;
    AnimatedSpriteGpu& gpu = sprite.AnimatedGpu();
    std::vector<glm::mat4>& bones = sprite.BoneMatrices();
    if (mesh->IsSkinned()) AnimationPose::PoseBones(*mesh, sprite.GetAnimation(), g_clock, bones, sprite.NodeMatrices());

    glUseProgram(gpu.program);
    gpu.uniforms.SetMatrices(OwnerMatrix(sprite));
    if (gpu.subroutineUniforms > 0) glUniformSubroutinesuiv(GL_FRAGMENT_SHADER, 1, &gpu.effect);
    glUniform1f(gpu.uniforms.multiplier, static_cast<float>(sprite.GetMultiplier()));
    glUniform1i(gpu.uniforms.useNormal, 0);
    glUniform1i(gpu.uniforms.debugDraw, 0);
    glUniform1i(gpu.uniforms.pickId, sprite.GetPickId());
    glUniform1f(gpu.uniforms.time, static_cast<float>(Clock::NowMs()) / 1000.0f); // the deterministic clock under --frame-ms
    const GLsizei boneCount = mesh->IsSkinned() ? static_cast<GLsizei>(bones.size()) : 0;
    if (boneCount > 0) glUniformMatrix4fv(gpu.bones, boneCount, GL_FALSE, glm::value_ptr(bones[0]));
    glUniform1i(gpu.numberBones, boneCount);
    glUniform1i(gpu.texture0, 1);
    glBindVertexArray(gpu.vertexArray);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(1.0f, 1.0f); // as for still sprites: debug lines win over the faces
    for (size_t p = 0; p < mesh->subMeshes.size(); ++p) {
        const AnimatedSubMesh& part = mesh->subMeshes[p];
        const glm::vec3 color = sprite.GetColor() * part.color;
        glUniform3f(gpu.uniforms.diffuseColor, color.x, color.y, color.z);
        glUniform1i(gpu.uniforms.useTexture, gpu.partTextures[p] ? 1 : 0);
        glActiveTexture(GL_TEXTURE1);
        glBindTexture(GL_TEXTURE_2D, gpu.partTextures[p]);
        glDrawElementsBaseVertex(GL_TRIANGLES, static_cast<GLsizei>(part.indexCount), GL_UNSIGNED_INT,
                                 reinterpret_cast<void*>(static_cast<uintptr_t>(part.baseIndex) * sizeof(unsigned int)),
                                 static_cast<GLint>(part.baseVertex));
    }
    glDisable(GL_POLYGON_OFFSET_FILL);
    glActiveTexture(GL_TEXTURE0);
    glBindVertexArray(0);
    if (mesh->IsSkinned() && (SettingManager::GetSetting<DebugDrawSetting>() == 0 || sprite.GetShowBox())) DrawSkeleton(sprite);
    glUseProgram(0);
}

void AnimatedSpriteRenderer::DrawSkeleton(AnimatedSprite& sprite) {
    AnimatedSpriteGpu& gpu = sprite.AnimatedGpu();
    if (!gpu.boneProgram) {
        gpu.boneProgram = ShaderProvider::Instance().TryGet(sprite.GetBoneShaderKey());
        if (!gpu.boneProgram) return;
        gpu.boneUniforms = SceneUniforms::Locate(gpu.boneProgram);
    }
    const AnimatedMesh& mesh = *sprite.GetMesh();
    const std::vector<glm::mat4>& globals = sprite.NodeMatrices();
    const ConeModelProvider::Mesh cone = ConeModelProvider::Instance().Get(kBoneName);
    const glm::mat4 model = OwnerMatrix(sprite);
    glUseProgram(gpu.boneProgram);
    glUniform3f(gpu.boneUniforms.diffuseColor, kBoneColor.x, kBoneColor.y, kBoneColor.z);
    glUniform1i(gpu.boneUniforms.pickId, sprite.GetPickId());
    glBindVertexArray(cone.vertexArray);
    // The skeleton shows through the skin it moves.
    glDisable(GL_DEPTH_TEST);
    for (const Bone& bone : mesh.bones) {
        if (bone.node < 0 || static_cast<size_t>(bone.node) >= globals.size()) continue;
        // A cone from the bone's joint to its first child's joint (or a short way along its y axis).
        const glm::mat4& joint = globals[static_cast<size_t>(bone.node)];
        const glm::vec3 base(joint[3]);
        const int child = gpu.childOfNode[static_cast<size_t>(bone.node)];
        glm::vec3 tip = child >= 0 ? glm::vec3(globals[static_cast<size_t>(child)][3])
                                   : glm::vec3(joint * glm::vec4(0.0f, kLeafBoneLength, 0.0f, 1.0f));
        glm::vec3 along = tip - base;
        float length = glm::length(along);
        if (length < 1e-5f) continue;
        const glm::quat turn = RotationBetween(glm::vec3(0.0f, 1.0f, 0.0f), along / length);
        glm::mat4 local = glm::translate(glm::mat4(1.0f), base + 0.5f * along) * glm::mat4_cast(turn) *
                          glm::scale(glm::mat4(1.0f), glm::vec3(0.3f * length, length, 0.3f * length));
        gpu.boneUniforms.SetMatrices(model * local);
        glDrawElements(GL_TRIANGLES, cone.indexCount, GL_UNSIGNED_INT, nullptr);
    }
    glEnable(GL_DEPTH_TEST);
    glBindVertexArray(0);
}

} // namespace zumek
