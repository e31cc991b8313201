// graphics/AnimatedSprite.h
#pragma once
#include <string>
#include <vector>

#include <glm/mat4x4.hpp>

#include "graphics/AnimatedMesh.h"
#include "graphics/AnimatedSpriteGpu.h"
#include "graphics/SpriteBase.h"

namespace zumek {

/// The holder of an animated model: a skinning shader, a bone shader and an animated model key.
/// Setting the model key imports the model (once per process, shared by every sprite of it);
/// the renderer poses it on the shared animation clock and draws it into the G-buffer.
class AnimatedSprite final : public SpriteBase {
public:
    AnimatedSprite() = default;
    /// A new, unattached sprite with the same settings and model (its GL side starts empty).
    AnimatedSprite(const AnimatedSprite&) = default;

    /// The skinning program's shader key.
    void SetShaderKey(const std::string& shaderKey) { SetProgram(shaderKey); }
    /// The shader key the bones are drawn with.
    void SetBoneShaderKey(const std::string& boneShaderKey) { m_boneShaderKey = boneShaderKey; }
    const std::string& GetShaderKey() const { return GetProgramKey(); }
    const std::string& GetBoneShaderKey() const { return m_boneShaderKey; }

    /// The model key (ModelLoader::ModelPath names the file); imports it through the
    /// process-wide cache. A model that cannot be used leaves the sprite drawing nothing.
    void SetModel(const std::string& modelKey);
    /// The imported model, null before SetModel.
    const AnimatedMesh* GetMesh() const { return m_mesh; }

    /// The animation played (0, the first, unless set); one the model lacks plays the first.
    void SetAnimation(int index) { m_animation = index; }
    int GetAnimation() const { return m_animation; }

    /// The skinning matrices and node transforms of the last pose.
    std::vector<glm::mat4>& BoneMatrices() { return m_boneMatrices; }
    std::vector<glm::mat4>& NodeMatrices() { return m_nodeMatrices; }
    /// The GL side, built by the AnimatedSpriteRenderer on first draw (empty in every copy).
    AnimatedSpriteGpu& AnimatedGpu() { return m_animatedGpu; }

private:
    std::string m_boneShaderKey;
    const AnimatedMesh* m_mesh = nullptr; ///< owned by the model cache
    int m_animation = 0;
    std::vector<glm::mat4> m_boneMatrices;
    std::vector<glm::mat4> m_nodeMatrices;
    AnimatedSpriteGpu m_animatedGpu;
};

} // namespace zumek
