// tests/graphics/GraphicsMathTest.cpp
// The renderer's arithmetic that needs no GL context: projection, cone, text cells, log lines,
// HUD colour, caption box, particle dispatch.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <tuple>

#include "graphics/ConeModelProvider.h"
#include "graphics/GraphicsEngine.h"
#include "graphics/LogRenderer.h"
#include "graphics/ParticleRenderer.h"
#include "graphics/SpeechWindow.h"
#include "graphics/SpriteRenderer.h"
#include "graphics/TextRenderer.h"

namespace zumek {
namespace {

TEST(Projection, MatchesTheFixedBitPatterns) {
    glm::mat4 m = GraphicsEngine::MakeProjection(1280, 720);
    EXPECT_EQ(std::bit_cast<uint32_t>(m[2][2]), 0xBF8000A7u);
    EXPECT_EQ(std::bit_cast<uint32_t>(m[3][2]), 0xBE4CCD52u);
    EXPECT_EQ(m[2][3], -1.0f);
    EXPECT_NEAR(m[1][1], 1.79259f, 1e-5f) << "1 / tan(22.5 radians)";
    EXPECT_FLOAT_EQ(m[0][0], m[1][1] / (1280.0f / 720.0f));
    for (auto [c, r] : {std::pair{0, 1}, {0, 2}, {0, 3}, {1, 0}, {1, 2}, {1, 3}, {2, 0}, {2, 1}, {3, 0}, {3, 1}, {3, 3}})
        EXPECT_EQ(m[c][r], 0.0f) << c << "," << r;
}

TEST(Cone, HasTwentyOneVerticesWithSlantedNormalsAndClosedRing) {
    std::vector<float> v;
    std::vector<unsigned int> indices;
    ConeModelProvider::BuildCone(2.0f, v, indices);
    const int stride = ConeModelProvider::kFloatsPerVertex;
    ASSERT_EQ(v.size(), static_cast<size_t>(21 * stride));
    for (int i = 0; i < 10; ++i) {
        const float* apex = &v[static_cast<size_t>(i * stride)];
        EXPECT_FLOAT_EQ(apex[1], 1.0f) << "apex at h / 2";
        EXPECT_NEAR(apex[3] * apex[3] + apex[4] * apex[4] + apex[5] * apex[5], 1.0f, 1e-3f) << "unit normal";
        EXPECT_NEAR(apex[4], std::sqrt(0.5f), 1e-5f) << "a side as high as the base is wide slopes at 45 degrees";
        const float* ring = &v[static_cast<size_t>((10 + i) * stride)];
        EXPECT_FLOAT_EQ(ring[1], -1.0f);
        EXPECT_NEAR(std::hypot(ring[0], ring[2]), 1.0f, 1e-5f) << "radius h / 2";
    }
    // The last ring vertex closes the ring onto the first.
    EXPECT_NEAR(v[static_cast<size_t>(19 * stride)], v[static_cast<size_t>(10 * stride)], 1e-5f);
    EXPECT_NEAR(v[static_cast<size_t>(19 * stride + 2)], v[static_cast<size_t>(10 * stride + 2)], 1e-5f);
    ASSERT_EQ(indices.size() % 3, 0u);
    for (unsigned int index : indices) EXPECT_LT(index, 21u);
    EXPECT_EQ(indices.size(), 9u * 6u) << "nine sides and nine base triangles";
}

TEST(TextQuads, UseTheGlyphCellOfEachByte) {
    std::vector<float> positions, uvs;
    TextRenderer::BuildQuads("A\xe9", 8, 100, 16, positions, uvs);
    ASSERT_EQ(positions.size(), 24u);
    ASSERT_EQ(uvs.size(), 24u);
    // 'A' = 65: column 1, row 4. The quad spans (8, 100)-(24, 116); its top maps to the cell's top.
    EXPECT_FLOAT_EQ(positions[0], 8.0f);
    EXPECT_FLOAT_EQ(positions[1], 116.0f);
    EXPECT_FLOAT_EQ(uvs[0], 1.0f / 16.0f);
    EXPECT_FLOAT_EQ(uvs[1], 4.0f / 16.0f);
    EXPECT_FLOAT_EQ(positions[3], 100.0f);
    EXPECT_FLOAT_EQ(uvs[3], 5.0f / 16.0f);
    // 0xE9 (Latin-1 e acute) is byte 233: column 9, row 14 - never a negative cell.
    EXPECT_FLOAT_EQ(positions[12], 24.0f);
    EXPECT_FLOAT_EQ(uvs[12], 9.0f / 16.0f);
    EXPECT_FLOAT_EQ(uvs[13], 14.0f / 16.0f);
}

TEST(LogLines, FillTheWindowInSixteenPixelRows) {
    EXPECT_EQ(LogRenderer::LinesFor(720), 44);
    EXPECT_EQ(LogRenderer::LinesFor(31), 0);
    EXPECT_EQ(LogRenderer::LinesFor(8), 0) << "a tiny window shows none rather than billions";
}

TEST(HudColour, GoesFromRedAtFortyToGreenAtNinety) {
    for (auto [fps, red, green] : {std::tuple{90.0f, 0.0f, 1.0f}, {40.0f, 1.0f, 0.0f}, {65.0f, 0.5f, 0.5f},
                                   {300.0f, 0.0f, 1.0f}, {10.0f, 1.0f, 0.0f}}) {
        float r = -1, g = -1;
        SpriteRenderer::HudColor(fps, r, g);
        EXPECT_FLOAT_EQ(r, red) << fps << " fps";
        EXPECT_FLOAT_EQ(g, green) << fps << " fps";
    }
}

TEST(Caption, OneRowWhileItFitsAQuarterOfTheWindowElseWrapped) {
    float w = 0, h = 0;
    SpeechWindow::CaptionSize(std::string(1280 / 4 / 11, 'x'), 1280, w, h);
    EXPECT_EQ(h, 30.0f);
    EXPECT_EQ(w, 29.0f * 11.0f);
    SpeechWindow::CaptionSize(std::string(100, 'x'), 1280, w, h);
    EXPECT_EQ(w, 320.0f);
    EXPECT_EQ(h, (std::ceil(1100.0f / 320.0f) + 1.0f) * 30.0f);
}

TEST(ParticleDispatch, CoversEveryParticleOfAnOddCount) {
    EXPECT_EQ(ParticleRenderer::GroupCount(200), 100u);
    EXPECT_EQ(ParticleRenderer::GroupCount(201), 101u);
    EXPECT_EQ(ParticleRenderer::GroupCount(0), 0u);
}

} // namespace
} // namespace zumek
