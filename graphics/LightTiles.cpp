// graphics/LightTiles.cpp
#include "graphics/LightTiles.h"

#include <GL/glew.h>

#include <algorithm>
#include <cmath>

#include <glm/gtc/type_ptr.hpp>

namespace zumek {

LightTiles::~LightTiles() {
    if (m_texture) glDeleteTextures(1, &m_texture);
}

void LightTiles::Begin(int width, int height, const glm::mat4& view, const glm::mat4& projection) {
    m_width = std::max(width, 1);
    m_height = std::max(height, 1);
    m_view = view;
    m_projection = projection;
    m_count = 0;
    m_tilesX = (m_width + kTileSize - 1) / kTileSize;
    m_tilesY = (m_height + kTileSize - 1) / kTileSize;
    // Grows on a resize only; every frame after that reuses the storage.
    m_masks.resize(static_cast<size_t>(m_tilesX) * static_cast<size_t>(m_tilesY));
    std::fill(m_masks.begin(), m_masks.end(), 0u);
}

bool LightTiles::ScreenRect(const glm::vec3& centre, float radius, const glm::mat4& view, const glm::mat4& projection,
                            int width, int height, glm::ivec4& rect) {
    if (!(radius > 0.0f)) return false;
    // The sphere lies inside its view-space box; with every corner in front of the camera the
    // projected corners enclose the sphere's image.
    const glm::vec3 c = glm::vec3(view * glm::vec4(centre, 1.0f));
    float minX = 1e30f, minY = 1e30f, maxX = -1e30f, maxY = -1e30f;
    int behind = 0;
    for (int corner = 0; corner < 8; ++corner) {
        glm::vec4 p(c.x + ((corner & 1) ? radius : -radius), c.y + ((corner & 2) ? radius : -radius),
                    c.z + ((corner & 4) ? radius : -radius), 1.0f);
        glm::vec4 clip = projection * p;
        if (!(clip.w > 1e-6f)) {
            ++behind;
            continue;
        }
        float x = (clip.x / clip.w * 0.5f + 0.5f) * static_cast<float>(width);
        float y = (clip.y / clip.w * 0.5f + 0.5f) * static_cast<float>(height);
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
    if (behind == 8) return false;
    if (behind > 0) {
        // The sphere reaches the camera plane: its image is unbounded, take the whole target.
        rect = glm::ivec4(0, 0, width, height);
        return width > 0 && height > 0;
    }
    // One pixel of margin against rounding at the edges.
    auto clampTo = [](float value, int limit) {
        return static_cast<int>(std::clamp(value, 0.0f, static_cast<float>(limit)));
    };
    rect = glm::ivec4(clampTo(std::floor(minX) - 1.0f, width), clampTo(std::floor(minY) - 1.0f, height),
                      clampTo(std::ceil(maxX) + 1.0f, width), clampTo(std::ceil(maxY) + 1.0f, height));
    return rect.x < rect.z && rect.y < rect.w;
}

bool LightTiles::Add(const PointLight& light) {
    if (m_count >= kMaxLights) return false;
    glm::ivec4 rect;
    if (!ScreenRect(light.position, light.reach, m_view, m_projection, m_width, m_height, rect)) return true;
    const int index = m_count++;
    m_positions[index] = light.position;
    m_colors[index] = light.color;
    m_intensities[index] = light.intensity;
    m_reaches[index] = light.reach;
    for (int ty = rect.y / kTileSize; ty <= (rect.w - 1) / kTileSize; ++ty)
        for (int tx = rect.x / kTileSize; tx <= (rect.z - 1) / kTileSize; ++tx)
            m_masks[static_cast<size_t>(ty) * m_tilesX + tx] |= 1u << index;
    return true;
}

void LightTiles::LookUpLocations(unsigned int program) {
    m_locationsOf = program;
    m_tilesLocation = glGetUniformLocation(program, "LightTiles");
    m_tileShiftLocation = glGetUniformLocation(program, "LightTileShift");
    m_positionsLocation = glGetUniformLocation(program, "PointLightPositions");
    m_colorsLocation = glGetUniformLocation(program, "PointLightColors");
    m_intensitiesLocation = glGetUniformLocation(program, "PointLightIntensities");
    m_reachesLocation = glGetUniformLocation(program, "PointLightReaches");
}

void LightTiles::Apply(unsigned int program, int textureUnit) {
    const int textureWidth = m_tilesX, textureHeight = m_tilesY;
    glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(textureUnit));
    if (!m_texture) glGenTextures(1, &m_texture);
    glBindTexture(GL_TEXTURE_2D, m_texture);
    if (textureWidth != m_textureWidth || textureHeight != m_textureHeight) {
        m_textureWidth = textureWidth;
        m_textureHeight = textureHeight;
        // Integer textures are complete with nearest filtering only.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_R32UI, textureWidth, textureHeight, 0, GL_RED_INTEGER, GL_UNSIGNED_INT,
                     m_masks.data());
    } else {
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, textureWidth, textureHeight, GL_RED_INTEGER, GL_UNSIGNED_INT,
                        m_masks.data());
    }
    glActiveTexture(GL_TEXTURE0);

    if (m_locationsOf != program) LookUpLocations(program);
    glUniform1i(m_tilesLocation, textureUnit);
    glUniform1i(m_tileShiftLocation, kTileShift);
    if (m_count > 0) {
        glUniform3fv(m_positionsLocation, m_count, glm::value_ptr(m_positions[0]));
        glUniform3fv(m_colorsLocation, m_count, glm::value_ptr(m_colors[0]));
        glUniform3fv(m_intensitiesLocation, m_count, glm::value_ptr(m_intensities[0]));
        glUniform1fv(m_reachesLocation, m_count, m_reaches);
    }
}

} // namespace zumek
