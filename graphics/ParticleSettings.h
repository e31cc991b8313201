// graphics/ParticleSettings.h
#pragma once
#include <cstdint>
#include <string>

#include <glm/vec4.hpp>

namespace zumek {

/// The description of a particle system, as read from its component element. The vectors are
/// the initial data of every particle; their meaning is fixed by the compute programs.
struct ParticleSettings {
    int32_t maxParticles = 0;     ///< number of particles, > 0
    std::string texture;          ///< texture key of the point sprites
    std::string initializeShader; ///< compute program run on (re)initialisation
    std::string updateShader;     ///< compute program run every frame
    std::string displayShader;    ///< program drawing the points
    glm::vec4 reserved{0.0f};     ///< replaced by the owner's position at initialisation
    glm::vec4 positionShift{0.0f};
    glm::vec4 startColor{1.0f};
    glm::vec4 endColor{1.0f};
    glm::vec4 velocity{1.0f};
    glm::vec4 velocityRange{0.0f};
    glm::vec4 life{4.0f};         ///< seconds
    glm::vec4 lifeRange{0.0f};
    glm::vec4 size{0.5f};
    glm::vec4 sizeRange{0.0f};
};

} // namespace zumek
