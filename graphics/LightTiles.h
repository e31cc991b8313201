// graphics/LightTiles.h
#pragma once
#include <cstdint>
#include <vector>

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>
#include <glm/vec4.hpp>

namespace zumek {

/// The point lights of one frame sorted into screen tiles, for the lit screen quad: it reads the
/// G-buffer once per pixel and runs only the lights whose reach touches the pixel's tile, where
/// one light volume per light would read it again for every light. The tile lists live in a
/// small integer texture, one texel per tile: bit i is set when light i touches the tile.
class LightTiles {
public:
    static constexpr int kMaxLights = 32; ///< lights one pass takes (the bits of a tile's mask)
    static constexpr int kTileShift = 4;              ///< log2 of the tile edge
    static constexpr int kTileSize = 1 << kTileShift; ///< tile edge in pixels (a multiple of the rasterizer's blocks)

    /// A point light as the shader takes it.
    struct PointLight {
        glm::vec3 position{0.0f};  ///< world units
        glm::vec3 color{1.0f};     ///< 0..1 per component
        glm::vec3 intensity{0.0f}; ///< constant, linear, exponential attenuation factors
        float reach = 0.0f;        ///< world units; nothing is lit at this distance or beyond
    };

    LightTiles() = default;
    ~LightTiles();
    LightTiles(const LightTiles&) = delete;
    LightTiles& operator=(const LightTiles&) = delete;

    /// Starts a frame for a `width` x `height` target seen through `projection` * `view`;
    /// forgets the lights of the last frame.
    void Begin(int width, int height, const glm::mat4& view, const glm::mat4& projection);
    /// Takes `light`, or returns false when kMaxLights are taken (the caller must draw it some
    /// other way). A light whose reach lies off screen is taken and costs nothing.
    bool Add(const PointLight& light);
    /// Lights held for the shader (those off screen are not counted).
    int Count() const { return m_count; }

    /// Uploads the tile lists (creating the texture on first use), binds the texture to
    /// `textureUnit` and sets the tile and light uniforms of `program`, which must be in use.
    void Apply(unsigned int program, int textureUnit);

    /// The pixel rectangle {x0, y0, x1, y1} (x1, y1 excluded, origin bottom left) that holds the
    /// image of the sphere of `radius` around `centre`; false when the sphere cannot be seen.
    /// Conservative: it may be larger than the image, never smaller. A sphere reaching behind
    /// the camera gets the whole target.
    static bool ScreenRect(const glm::vec3& centre, float radius, const glm::mat4& view, const glm::mat4& projection,
                           int width, int height, glm::ivec4& rect);

private:
    void LookUpLocations(unsigned int program);

    int m_width = 0, m_height = 0;
    int m_tilesX = 0, m_tilesY = 0;
    glm::mat4 m_view{1.0f}, m_projection{1.0f};
    std::vector<uint32_t> m_masks; ///< m_tilesY rows of m_tilesX tile masks
    glm::vec3 m_positions[kMaxLights] = {};
    glm::vec3 m_colors[kMaxLights] = {};
    glm::vec3 m_intensities[kMaxLights] = {};
    float m_reaches[kMaxLights] = {};
    int m_count = 0;
    unsigned int m_texture = 0;
    int m_textureWidth = 0, m_textureHeight = 0;
    unsigned int m_locationsOf = 0;
    int m_tilesLocation = -1, m_tileShiftLocation = -1;
    int m_positionsLocation = -1, m_colorsLocation = -1, m_intensitiesLocation = -1, m_reachesLocation = -1;
};

} // namespace zumek
