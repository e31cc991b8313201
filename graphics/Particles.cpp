// graphics/Particles.cpp
#include "graphics/Particles.h"

namespace zumek {

Particles::Particles(const ParticleSettings& settings)
    : m_settings(settings), m_count(settings.maxParticles > 0 ? static_cast<unsigned int>(settings.maxParticles) : 0u),
      m_initialData{settings.reserved, settings.positionShift, settings.startColor, settings.endColor,
                    settings.velocity, settings.velocityRange, settings.life,       settings.lifeRange,
                    settings.size,     settings.sizeRange} {}

void Particles::SetParameter(size_t index, const glm::vec3& point) {
    if (m_points.size() <= index) m_points.resize(index + 1, glm::vec3(0.0f));
    m_points[index] = point;
}

} // namespace zumek
