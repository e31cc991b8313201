// graphics/Laser.h
#pragma once
#include <string>
#include <vector>

#include <glm/vec3.hpp>

#include "graphics/SceneUniforms.h"

namespace zumek {

/// The engine's one laser: a set of line segments in world coordinates, drawn into the G-buffer
/// with the sprite program after the sprites. Fed by LaserSignal (colour first, then points);
/// it keeps its segments until a signal brings at least two points.
class Laser {
public:
    Laser() = default;
    ~Laser();
    Laser(const Laser&) = delete;
    Laser& operator=(const Laser&) = delete;

    /// Program by shader key (the sprite program "GBUFFER_SHADER"); looks its uniforms up.
    void SetProgram(const std::string& shaderKey);
    /// The effect key whose fragment subroutine is selected ("NORMAL_SHADER" -> "NoEffect").
    void SetEffect(const std::string& effectKey);
    void SetColor(const glm::vec3& color) { m_color = color; }
    /// n >= 2 points become the n - 1 segments (p[i-1], p[i]) and are uploaded; fewer points
    /// leave the previous segments. Needs a current GL context.
    void SetSegments(const std::vector<glm::vec3>& points);
    /// Draws the segments as lines with pick id -1 (never picked).
    void Draw();

    const std::vector<glm::vec3>& SegmentPoints() const { return m_segments; }
    const glm::vec3& Color() const { return m_color; }

private:
    unsigned int m_program = 0;
    std::string m_effectKey = "NORMAL_SHADER";
    glm::vec3 m_color{1.0f};
    std::vector<glm::vec3> m_segments;
    unsigned int m_vertexArray = 0;
    unsigned int m_vertexBuffer = 0;
    SceneUniforms m_uniforms;
};

/// The fragment subroutine name of an effect key: "NORMAL_SHADER" NoEffect, "PHONG_SHADER"
/// BlueShade, "NOISE_FX" NoiseFx, "NOISE_CHRISTAL" NoiseChristal; any other key NoEffect.
const char* EffectSubroutineName(const std::string& effectKey);

} // namespace zumek
