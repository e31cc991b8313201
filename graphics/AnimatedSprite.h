// graphics/AnimatedSprite.h
#pragma once
#include <string>

#include "graphics/SpriteBase.h"

namespace zumek {

/// The holder of an animated model: a shader, a bone shader and an animated model key.
class AnimatedSprite final : public SpriteBase {
public:
    AnimatedSprite() = default;
    /// A new, unattached sprite with the same settings.
    AnimatedSprite(const AnimatedSprite&) = default;

    /// The skinning program's shader key.
    void SetShaderKey(const std::string& shaderKey) { SetProgram(shaderKey); }
    /// The shader key the bones are drawn with.
    void SetBoneShaderKey(const std::string& boneShaderKey) { m_boneShaderKey = boneShaderKey; }
    const std::string& GetShaderKey() const { return GetProgramKey(); }
    const std::string& GetBoneShaderKey() const { return m_boneShaderKey; }

private:
    std::string m_boneShaderKey;
};

} // namespace zumek
