// graphics/SpriteGpu.h
#pragma once
#include <map>
#include <string>
#include <vector>

#include "graphics/MeshData.h"

#include "graphics/SceneUniforms.h"

namespace zumek {

/// The GL side of one sprite: program, uniform locations, mesh and debug-box buffers, bound
/// textures. Created by the SpriteRenderer on the sprite's first draw. A copy starts empty (a
/// cloned prototype shares no GL object); destruction deletes the buffers.
struct SpriteGpu {
    SpriteGpu() = default;
    SpriteGpu(const SpriteGpu&) {}
    SpriteGpu& operator=(const SpriteGpu&) = delete;
    ~SpriteGpu();

    bool created = false;
    unsigned int program = 0;
    MeshBuffers mesh;
    unsigned int debugVertexArray = 0;
    unsigned int debugBuffer = 0;
    int debugVertexCount = 0;
    /// Textures in assignment order: sampler location and GL texture.
    std::vector<std::pair<int, unsigned int>> textures;
    std::map<std::string, unsigned int> effectSubroutines;
    int subroutineUniforms = 0; ///< active fragment subroutine uniforms of the program, read once
    SceneUniforms uniforms;
    int samplers[3] = {-1, -1, -1};
};

} // namespace zumek
