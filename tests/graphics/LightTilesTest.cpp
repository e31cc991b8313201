// tests/graphics/LightTilesTest.cpp
// The screen rectangles the point lights are sorted into tiles by (no GL context needed).
#include <gtest/gtest.h>

#include <random>

#include <glm/gtc/matrix_transform.hpp>

#include "graphics/GraphicsEngine.h"
#include "graphics/LightTiles.h"

namespace zumek {
namespace {

constexpr int kWidth = 1280, kHeight = 720;

TEST(LightTiles, ScreenRectHoldsEveryPointOfRandomSpheresInFrontOfTheCamera) {
    const glm::mat4 projection = GraphicsEngine::MakeProjection(kWidth, kHeight);
    const glm::mat4 view = glm::lookAt(glm::vec3(0, 6, 18), glm::vec3(0), glm::vec3(0, 1, 0));
    std::mt19937 random(7);
    std::uniform_real_distribution<float> coordinate(-30.0f, 30.0f), radius(0.1f, 6.0f), unit(-1.0f, 1.0f);
    int seen = 0, checked = 0;
    for (int sphere = 0; sphere < 400; ++sphere) {
        const glm::vec3 centre(coordinate(random), coordinate(random), coordinate(random));
        const float r = radius(random);
        glm::ivec4 rect;
        const bool visible = LightTiles::ScreenRect(centre, r, view, projection, kWidth, kHeight, rect);
        if (visible) ++seen;
        for (int sample = 0; sample < 200; ++sample) {
            glm::vec3 direction(unit(random), unit(random), unit(random));
            if (glm::length(direction) < 1e-3f) continue;
            const glm::vec3 point = centre + glm::normalize(direction) * r * std::abs(unit(random));
            const glm::vec4 clip = projection * view * glm::vec4(point, 1.0f);
            // Only points the camera can show: in front of the near plane and inside the frame.
            if (clip.w < 0.1f || std::abs(clip.x) > clip.w || std::abs(clip.y) > clip.w) continue;
            const float x = (clip.x / clip.w * 0.5f + 0.5f) * kWidth, y = (clip.y / clip.w * 0.5f + 0.5f) * kHeight;
            ++checked;
            ASSERT_TRUE(visible) << "a sphere with a visible point was culled, sphere " << sphere;
            ASSERT_TRUE(x >= rect.x && x <= rect.z && y >= rect.y && y <= rect.w)
                << "sphere " << sphere << " point (" << x << ", " << y << ") outside " << rect.x << " " << rect.y << " "
                << rect.z << " " << rect.w;
        }
    }
    // The cases must exercise both outcomes.
    EXPECT_GT(seen, 40);
    EXPECT_LT(seen, 360);
    EXPECT_GT(checked, 2000);
}

TEST(LightTiles, SpheresBehindTheCameraAreCulledAndOneAroundItCoversTheWholeTarget) {
    const glm::mat4 projection = GraphicsEngine::MakeProjection(kWidth, kHeight);
    const glm::mat4 view = glm::lookAt(glm::vec3(0, 0, 5), glm::vec3(0), glm::vec3(0, 1, 0));
    glm::ivec4 rect;
    EXPECT_FALSE(LightTiles::ScreenRect(glm::vec3(0, 0, 20), 2.0f, view, projection, kWidth, kHeight, rect));
    ASSERT_TRUE(LightTiles::ScreenRect(glm::vec3(0, 0, 5.5f), 2.0f, view, projection, kWidth, kHeight, rect));
    EXPECT_EQ(rect, glm::ivec4(0, 0, kWidth, kHeight));
    EXPECT_FALSE(LightTiles::ScreenRect(glm::vec3(0), 0.0f, view, projection, kWidth, kHeight, rect)) << "no reach";
    // Far to the left, outside the frame.
    EXPECT_FALSE(LightTiles::ScreenRect(glm::vec3(-40, 0, 0), 2.0f, view, projection, kWidth, kHeight, rect));
    // In the middle: a small rectangle around the centre.
    ASSERT_TRUE(LightTiles::ScreenRect(glm::vec3(0), 1.0f, view, projection, kWidth, kHeight, rect));
    EXPECT_LT(rect.x, kWidth / 2);
    EXPECT_GT(rect.z, kWidth / 2);
    EXPECT_GT(rect.x, 0);
    EXPECT_LT(rect.z, kWidth);
}

TEST(LightTiles, TakesAtMostItsCapacityOfVisibleLightsAndOffScreenOnesForFree) {
    LightTiles tiles;
    tiles.Begin(kWidth, kHeight, glm::lookAt(glm::vec3(0, 0, 5), glm::vec3(0), glm::vec3(0, 1, 0)),
                GraphicsEngine::MakeProjection(kWidth, kHeight));
    LightTiles::PointLight offScreen;
    offScreen.position = glm::vec3(0, 0, 50);
    offScreen.reach = 1.0f;
    EXPECT_TRUE(tiles.Add(offScreen));
    EXPECT_EQ(tiles.Count(), 0);
    LightTiles::PointLight visible;
    visible.reach = 1.0f;
    for (int i = 0; i < LightTiles::kMaxLights; ++i) EXPECT_TRUE(tiles.Add(visible)) << i;
    EXPECT_EQ(tiles.Count(), LightTiles::kMaxLights);
    EXPECT_FALSE(tiles.Add(visible)) << "the caller draws it another way";
    EXPECT_FALSE(tiles.Add(offScreen)) << "full is full";
    tiles.Begin(kWidth, kHeight, glm::mat4(1.0f), GraphicsEngine::MakeProjection(kWidth, kHeight));
    EXPECT_EQ(tiles.Count(), 0) << "a new frame starts empty";
}

} // namespace
} // namespace zumek
