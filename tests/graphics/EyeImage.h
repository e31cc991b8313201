// tests/graphics/EyeImage.h
// What the headset tests read back: a headset eye's texture as RGBA, and where the red test cube
// lies in it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zumek::test {

/// An RGBA image read back from a GL texture, rows from the bottom.
struct EyeImage {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;

    /// Whether the pixel is the red test cube's.
    bool IsCube(int x, int y) const;
    /// Mean column of the cube's pixels (-1 without any).
    float CubeColumn() const;
};

/// Reads a GL texture's level 0 (needs the context current).
EyeImage ReadTexture(unsigned texture);

/// A depth texture's level 0, one value per pixel in rows from the bottom (`width` wide).
struct DepthImage {
    int width = 0, height = 0;
    std::vector<float> depth;
    float At(int x, int y) const { return depth[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]; }
};
DepthImage ReadDepthTexture(unsigned texture);

} // namespace zumek::test
