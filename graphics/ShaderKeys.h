// graphics/ShaderKeys.h
#pragma once
#include <array>
#include <string_view>
#include <vector>

namespace zumek {

/// The shader keys the drawing code asks the ShaderProvider for. The first entry is the
/// default effect of every sprite.
inline constexpr std::array<std::string_view, 23> kShaderKeys = {
    "NORMAL_SHADER",
    "PHONG_SHADER",
    "TEXT_SHADER",
    "BONE_SHADER",
    "ANIMATION_SHADER",
    "ANIMATION_PLAIN_SHADER", // ANIMATION_SHADER for models without textures
    "SCREEN_QUAD_SHADER",
    "LIT_SCREEN_QUAD_SHADER",
    "EDITOR_SHADER",
    "GBUFFER_SHADER",
    "GBUFFER_PLAIN_SHADER", // GBUFFER_SHADER for sprites without textures
    "POINT_LIGHT_SHADER",
    "EYE_DEPTH_SHADER", // the scene's depth into a headset eye's depth image
    "PARTICLE_SHADER",
    "PARTICLE_SHADER_COMPUTE_GRAVITY",
    "PARTICLE_SHADER_INITIALIZATION",
    "PARTICLE_SHADER_COMPUTE_TELEPORT",
    "PARTICLE_SHADER_INITIALIZATION_TELEPORT",
    "LASER_PARTICLES_INIT",
    "LASER_PARTICLES_SHADER",
    "LASER_PARTICLES_COMPUTE",
    "NOISE_FX",       // an effect key only: its program is the default pair
    "NOISE_CHRISTAL", // likewise
};

/// The shader source files of `key`, in compile-and-attach order (below resources/shaders/).
/// A key without an entry of its own gets the default pair NormalShader.vert / NormalShader.frag.
std::vector<std::string_view> ShaderSourceFiles(std::string_view key);

} // namespace zumek
