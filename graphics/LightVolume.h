// graphics/LightVolume.h
#pragma once
#include <string>

#include <glm/vec3.hpp>

#include "graphics/MeshData.h"

#include "graphics/SceneUniforms.h"

namespace zumek {

struct GBuffer;

/// The sphere drawn once per point light in the lighting pass: its fragments read the G-buffer
/// under them and add that light's contribution. One instance serves every light; the light's
/// own uniforms are set on Program() before each Draw.
class LightVolume {
public:
    LightVolume() = default;
    ~LightVolume();
    LightVolume(const LightVolume&) = delete;
    LightVolume& operator=(const LightVolume&) = delete;

    /// Program by shader key; 0 (a broken shader) makes Draw do nothing.
    void SetProgram(const std::string& shaderKey);
    /// The model name ("sphere"), read with the text reader at Build.
    void SetModel(const std::string& name);
    /// Reads the mesh, uploads it and looks up the uniforms. Needs a current GL context.
    void Build();

    void SetPosition(const glm::vec3& position) { m_position = position; }
    void SetScale(const glm::vec3& scale) { m_scale = scale; }

    /// Draws the sphere over `gBuffer`; `screenWidth` and `screenHeight` are the size of the
    /// target in pixels (the fragments find their G-buffer texel from them).
    void Draw(const GBuffer& gBuffer, int screenWidth, int screenHeight);

    unsigned int Program() const { return m_program; }
    int VertexCount() const { return m_mesh.vertexCount; }

private:
    glm::vec3 m_position{0.0f};
    glm::vec3 m_scale{1.0f};
    unsigned int m_program = 0;
    MeshBuffers m_mesh;
    std::string m_modelPath;
    SceneUniforms m_uniforms;
    int m_screenWidth = -1, m_screenHeight = -1;
    int m_samplers[7] = {-1, -1, -1, -1, -1, -1, -1};
};

} // namespace zumek
