// graphics/Light.h
#pragma once
#include <glm/vec3.hpp>

#include "objects/Component.h"

namespace zumek {

/// A point light at its object's position, drawn as a light volume in the lighting pass.
/// Attenuation is 1 / (constant + linear * d + exponential * d^2) at distance d.
class Light final : public Component {
public:
    Light() = default;
    /// A new, unattached light with the same settings.
    Light(const Light&) = default;

    void Initialize() override {}
    void Respawn() override {}

    void SetIntensity(float constant, float linear, float exponential) {
        m_constant = constant;
        m_linear = linear;
        m_exponential = exponential;
    }
    /// Colour, each component 0..1.
    void SetColor(const glm::vec3& color) { m_color = color; }
    /// Extent of the light volume along x, y, z in world units.
    void SetVolume(const glm::vec3& volume) { m_volume = volume; }

    float GetConstant() const { return m_constant; }
    float GetLinear() const { return m_linear; }
    float GetExponential() const { return m_exponential; }
    const glm::vec3& GetColor() const { return m_color; }
    const glm::vec3& GetVolume() const { return m_volume; }

private:
    float m_constant = 0.0f;
    float m_linear = 0.0f;
    float m_exponential = 0.0f;
    glm::vec3 m_color{1.0f};
    glm::vec3 m_volume{2.0f};
};

} // namespace zumek
