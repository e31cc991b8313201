// tests/graphics/EyeImage.h
// What the headset tests read back: a headset eye's texture as RGBA, where the red test cube
// lies in it, and how often the engine log says something.
#pragma once
#include <cstdint>
#include <string>
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

/// How many engine log records contain `text`.
int CountLogLines(const std::string& text);

} // namespace zumek::test
