// graphics/AnimatedSpriteGpu.h
#pragma once
#include <vector>

#include "graphics/SceneUniforms.h"

namespace zumek {

/// The GL side of one animated sprite: programs, uniform locations, the indexed vertex buffers
/// of its model and a texture per part. Created by the AnimatedSpriteRenderer on the first
/// draw; a copy starts empty; destruction deletes the buffers.
struct AnimatedSpriteGpu {
    AnimatedSpriteGpu() = default;
    AnimatedSpriteGpu(const AnimatedSpriteGpu&) {}
    AnimatedSpriteGpu& operator=(const AnimatedSpriteGpu&) = delete;
    ~AnimatedSpriteGpu();

    bool created = false;
    unsigned int program = 0;
    unsigned int vertexArray = 0;
    /// positions, uvs, normals, tangents, bitangents, bone ids, bone weights, indices
    unsigned int buffers[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    std::vector<unsigned int> partTextures; ///< per part of the model, 0 for none
    unsigned int effect = 0;                ///< the fragment subroutine of the sprite's effect
    int subroutineUniforms = 0;
    SceneUniforms uniforms;
    int texture0 = -1, bones = -1, numberBones = -1;

    unsigned int boneProgram = 0;
    SceneUniforms boneUniforms;
    std::vector<int> childOfNode; ///< per node: the first child node, -1 for a leaf
};

} // namespace zumek
