// graphics/SceneUniforms.h
#pragma once
#include <glm/mat4x4.hpp>

namespace zumek {

/// The uniforms the scene's programs have in common (sprites, animated sprites and their
/// skeletons, the laser, the light volumes): the matrices "V", "M", "NormalMatrix", "MVP", the
/// material's "diffuseColor", "MultiplierTexture", "useTexture", "useNormal", "DebugDraw",
/// "PickId" and the animation "time". Locations are looked up once per program; one the program
/// lacks is -1, which GL ignores when it is set.
struct SceneUniforms {
    int view = -1, model = -1, normalMatrix = -1, mvp = -1;
    int diffuseColor = -1, multiplier = -1, useTexture = -1, useNormal = -1, debugDraw = -1, pickId = -1, time = -1;

    /// The locations in `program` (0: none, every location -1).
    static SceneUniforms Locate(unsigned int program);

    /// Sets, on the program in use, V and MVP from the current camera and M and NormalMatrix
    /// (the inverse transpose of M) from `model`.
    void SetMatrices(const glm::mat4& modelMatrix) const;
};

} // namespace zumek
