// graphics/ShaderKeys.cpp
#include "graphics/ShaderKeys.h"

#include <utility>

namespace zumek {

std::vector<std::string_view> ShaderSourceFiles(std::string_view key) {
    static const std::pair<std::string_view, std::vector<std::string_view>> kTable[] = {
        {"NORMAL_SHADER", {"NormalShader.vert", "NormalShader.frag"}},
        {"PHONG_SHADER", {"NormalShader.vert", "PhongLight.frag"}},
        {"TEXT_SHADER", {"TextVertexShader.vert", "TextVertexShader.frag"}},
        {"BONE_SHADER", {"Bones.vert", "Bones.frag"}},
        {"ANIMATION_SHADER", {"skinning.vert", "GBuffer.frag", "GBufferTextures.frag"}},
        {"ANIMATION_PLAIN_SHADER", {"skinning.vert", "GBuffer.frag", "GBufferPlain.frag"}},
        {"SCREEN_QUAD_SHADER", {"ScreenQuad.vert", "ScreenQuad.frag", "PhongEffect.frag"}},
        {"LIT_SCREEN_QUAD_SHADER", {"ScreenQuad.vert", "LitScreenQuad.frag", "PhongEffect.frag", "PointLightEffect.frag"}},
        {"EDITOR_SHADER", {"editor.vert", "editor.frag"}},
        {"EYE_DEPTH_SHADER", {"EyeDepth.vert", "EyeDepth.frag"}},
        {"GBUFFER_SHADER", {"GBuffer.vert", "GBuffer.frag", "GBufferTextures.frag", "NoiseGenerator.frag"}},
        {"GBUFFER_PLAIN_SHADER", {"GBuffer.vert", "GBuffer.frag", "GBufferPlain.frag", "NoiseGenerator.frag"}},
        {"POINT_LIGHT_SHADER", {"PointLight.vert", "PointLight.frag", "PointLightEffect.frag"}},
        {"PARTICLE_SHADER", {"Particles.vert", "Particles.frag", "Particles.geom"}},
        {"PARTICLE_SHADER_COMPUTE_GRAVITY", {"Particles.comp"}},
        {"PARTICLE_SHADER_INITIALIZATION", {"ParticlesInitialization.comp"}},
        {"PARTICLE_SHADER_COMPUTE_TELEPORT", {"TeleParticles.comp"}},
        {"PARTICLE_SHADER_INITIALIZATION_TELEPORT", {"TeleParticlesInit.comp"}},
        {"LASER_PARTICLES_INIT", {"LaserParticlesInit.comp"}},
        {"LASER_PARTICLES_SHADER", {"LaserParticles.vert", "Particles.frag", "Particles.geom"}},
        {"LASER_PARTICLES_COMPUTE", {"LaserParticles.comp"}},
    };
    for (const auto& [name, files] : kTable)
        if (name == key) return files;
    return {"NormalShader.vert", "NormalShader.frag"};
}

} // namespace zumek
