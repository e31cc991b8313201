// graphics/Particles.h
#pragma once
#include <array>
#include <string>
#include <vector>

#include <glm/vec3.hpp>
#include <glm/vec4.hpp>

#include "graphics/ParticleSettings.h"
#include "graphics/ParticlesGpu.h"
#include "objects/Component.h"

namespace zumek {

/// A particle system whose particles live on the GPU. Built from its settings; the renderer
/// creates the programs and buffers on first draw, when a context exists.
class Particles final : public Component {
public:
    explicit Particles(const ParticleSettings& settings);

    void Initialize() override {}
    void Respawn() override {}

    /// Drawn and advanced only while active.
    void EnableRender(bool active) { m_active = active; }
    /// Sets point `index` of the "parameters" array, growing it as needed.
    void SetParameter(size_t index, const glm::vec3& point);

    const ParticleSettings& GetSettings() const { return m_settings; }
    unsigned int GetCount() const { return m_count; }
    bool IsActive() const { return m_active; }
    /// The ten vec4 slots each particle starts from: position, position range, start colour,
    /// end colour, velocity, velocity range, life, life range, size, size range.
    const std::array<glm::vec4, 10>& GetInitialData() const { return m_initialData; }
    const std::vector<glm::vec3>& GetParameters() const { return m_points; }
    /// Seconds simulated since the last (re)initialisation.
    float GetElapsed() const { return m_elapsed; }

    /// The GL side, built by the ParticleRenderer on first use (empty in every copy).
    ParticlesGpu& Gpu() { return m_gpu; }
    /// The renderer's access to the parameter points and the simulated time.
    std::vector<glm::vec3>& Parameters() { return m_points; }
    void SetElapsed(float seconds) { m_elapsed = seconds; }

private:
    ParticleSettings m_settings;
    unsigned int m_count;
    bool m_active = false;
    std::array<glm::vec4, 10> m_initialData;
    std::vector<glm::vec3> m_points;
    float m_elapsed = 0.0f;
    ParticlesGpu m_gpu;
};

} // namespace zumek
