// The posing maths of animated models against hand-worked figures.
#include <gtest/gtest.h>

#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

#include "graphics/AnimatedMesh.h"
#include "tests/graphics/LogLines.h"

namespace zumek {
namespace {

using namespace AnimationPose;

constexpr float kPi = 3.14159265f;

glm::quat AboutZ(float angle) { return glm::angleAxis(angle, glm::vec3(0, 0, 1)); }

TEST(AnimationPose, VectorKeysBeforeBetweenOnAndPastTheKeys) {
    std::vector<VectorKey> keys = {{1.0, {0, 0, 0}}, {3.0, {4, 0, -2}}, {4.0, {4, 8, 0}}};
    EXPECT_EQ(Interpolate(keys, 0.0), glm::vec3(0, 0, 0)) << "before the first key: the first key";
    EXPECT_EQ(Interpolate(keys, 1.0), glm::vec3(0, 0, 0));
    EXPECT_EQ(Interpolate(keys, 2.5), glm::vec3(3, 0, -1.5f)) << "three quarters of the way from 1 to 3";
    EXPECT_EQ(Interpolate(keys, 3.0), glm::vec3(4, 0, -2)) << "on a key: that key";
    EXPECT_EQ(Interpolate(keys, 3.25), glm::vec3(4, 2, -1.5f));
    EXPECT_EQ(Interpolate(keys, 9.0), glm::vec3(4, 8, 0)) << "past the last key: the last key";
    KeyPair pair = FindKeys(keys, 3.5);
    EXPECT_EQ(pair.prev, 1u);
    EXPECT_EQ(pair.next, 2u);
    EXPECT_FLOAT_EQ(pair.t, 0.5f);
    // A one-key channel is that key at every time.
    for (double t : {-1.0, 0.0, 5.0, 100.0})
        EXPECT_EQ(Interpolate(std::vector<VectorKey>{{5.0, {1, 2, 3}}}, t), glm::vec3(1, 2, 3)) << "one key at " << t;
    // Times clamped by the importer repeat: the pair must still span a positive time.
    keys = {{0.0, {0, 0, 0}}, {1.0, {1, 0, 0}}, {1.0, {5, 0, 0}}, {2.0, {6, 0, 0}}};
    EXPECT_EQ(Interpolate(keys, 0.5), glm::vec3(0.5f, 0, 0));
    EXPECT_EQ(Interpolate(keys, 1.0), glm::vec3(5, 0, 0)) << "at the shared time: the later key";
    EXPECT_EQ(Interpolate(keys, 1.5), glm::vec3(5.5f, 0, 0));
}

TEST(AnimationPose, SlerpFollowsTheShorterArcAtConstantSpeedAndStaysFiniteForNearlyEqualKeys) {
    glm::quat q = Slerp(AboutZ(0.0f), AboutZ(kPi / 2), 1.0f / 3.0f);
    EXPECT_NEAR(glm::angle(q), kPi / 6, 1e-5f) << "a third of a quarter turn";
    glm::vec3 x = q * glm::vec3(1, 0, 0);
    EXPECT_NEAR(x.x, std::cos(kPi / 6), 1e-5f);
    EXPECT_NEAR(x.y, std::sin(kPi / 6), 1e-5f);

    // +170 degrees and -170 degrees about z are 20 degrees apart the short way (through 180).
    glm::quat a = AboutZ(170.0f * kPi / 180.0f), b = AboutZ(-170.0f * kPi / 180.0f);
    ASSERT_LT(glm::dot(a, b), 0.0f) << "the stored quaternions are on opposite hemispheres";
    x = Slerp(a, b, 0.5f) * glm::vec3(1, 0, 0);
    EXPECT_NEAR(x.x, -1.0f, 1e-5f) << "halfway is 180 degrees, not 0";
    EXPECT_NEAR(x.y, 0.0f, 1e-5f);
    // The same rotation stored negated gives the same result.
    glm::vec3 y = Slerp(a, -b, 0.25f) * glm::vec3(1, 0, 0);
    glm::vec3 z = Slerp(a, b, 0.25f) * glm::vec3(1, 0, 0);
    EXPECT_NEAR(glm::distance(y, z), 0.0f, 1e-5f);
    EXPECT_NEAR(std::atan2(z.y, z.x) * 180.0f / kPi, 175.0f, 1e-3f);

    q = Slerp(AboutZ(0.3f), AboutZ(0.3f + 1e-7f), 0.5f);
    EXPECT_FALSE(std::isnan(q.w)) << "nearly equal rotations";
    EXPECT_NEAR(glm::length(q), 1.0f, 1e-6f);
    EXPECT_NEAR(glm::angle(q), 0.3f, 1e-5f);
}

TEST(AnimationPose, TheClockWrapsOverTheDurationSoAnimationsLoop) {
    Animation walk;
    walk.duration = 2000.0; // glTF files arrive in milliseconds
    walk.ticksPerSecond = 1000.0;
    EXPECT_DOUBLE_EQ(AnimationTicks(walk, 0.5), 500.0);
    EXPECT_DOUBLE_EQ(AnimationTicks(walk, 2.5), 500.0);
    EXPECT_NEAR(AnimationTicks(walk, 7.25), 1250.0, 1e-6);
    EXPECT_NEAR(AnimationTicks(walk, -0.5), 1500.0, 1e-6) << "a clock set back wraps too";
    walk.duration = 0.0;
    EXPECT_DOUBLE_EQ(AnimationTicks(walk, 3.0), 0.0) << "no duration: the first pose";
}

/// Root -> Upper (at the origin) -> Lower (1 unit up Upper's y), each with a bone whose offset
/// undoes its bind position; "Swing" turns Upper about z through a quarter turn in 2 seconds
/// (ticks = seconds) and Lower through the same angle the other way.
AnimatedMesh TwoBoneChain() {
    AnimatedMesh mesh;
    mesh.path = "chain.test";
    mesh.nodes = {{"Root", -1}, {"Upper", 0}, {"Lower", 1}};
    mesh.nodes[2].transform = glm::translate(glm::mat4(1.0f), glm::vec3(0, 1, 0));
    mesh.nodes[2].translation = glm::vec3(0, 1, 0);
    mesh.bones = {{"Upper", 1, glm::mat4(1.0f)}, {"Lower", 2, glm::translate(glm::mat4(1.0f), glm::vec3(0, -1, 0))}};
    Animation swing;
    swing.name = "Swing";
    swing.duration = 2.0;
    swing.ticksPerSecond = 1.0;
    AnimationChannel upper, lower;
    upper.node = 1;
    upper.rotations = {{0.0, AboutZ(0)}, {2.0, AboutZ(kPi / 2)}};
    lower.node = 2;
    lower.translations = {{0.0, {0, 1, 0}}};
    lower.rotations = {{0.0, AboutZ(0)}, {2.0, AboutZ(-kPi / 2)}};
    swing.channels = {upper, lower};
    swing.channelOfNode = {-1, 0, 1};
    mesh.animations = {swing};
    return mesh;
}

TEST(AnimationPose, TwoBoneChainPosedAtThreeClockValues) {
    AnimatedMesh mesh = TwoBoneChain();
    std::vector<glm::mat4> bones, globals;
    // The tip of the lower bone in the bind pose sits at (0, 2); skinned with the lower bone.
    const glm::vec4 tip(0, 2, 0, 1), elbow(0, 1, 0, 1);
    auto near = [](glm::vec4 a, glm::vec3 b) { return glm::distance(glm::vec3(a), b) < 1e-5f; };

    PoseBones(mesh, 0, 0.0, bones, globals);
    EXPECT_TRUE(near(bones[1] * tip, {0, 2, 0})) << "bind pose at clock 0";
    EXPECT_TRUE(near(bones[0] * elbow, {0, 1, 0}));

    // 1 s: upper turned 45 degrees left, lower 45 degrees back: the forearm points straight up
    // again from the elbow at (-sin 45, cos 45).
    PoseBones(mesh, 0, 1.0, bones, globals);
    const float s = std::sqrt(0.5f);
    EXPECT_TRUE(near(bones[0] * elbow, {-s, s, 0}));
    EXPECT_TRUE(near(bones[1] * tip, {-s, s + 1.0f, 0}));
    EXPECT_TRUE(near(globals[2][3], {-s, s, 0})) << "node transforms combine from the root";

    // 1.5 s: upper at 67.5 degrees, lower at -67.5 relative: the forearm is upright again.
    PoseBones(mesh, 0, 1.5, bones, globals);
    const float a = 0.375f * kPi;
    EXPECT_TRUE(near(bones[1] * tip, {-std::sin(a), std::cos(a) + 1.0f, 0}));
}

TEST(AnimationPose, AnUnknownAnimationIndexPlaysTheFirstAndIsReportedOncePerModel) {
    AnimatedMesh mesh = TwoBoneChain();
    mesh.path = "unknown-index.test";
    std::vector<glm::mat4> bones, globals, expected;
    PoseBones(mesh, 0, 1.0, expected, globals);
    for (int frame = 0; frame < 5; ++frame) {
        PoseBones(mesh, 7, 1.0, bones, globals);
        ASSERT_EQ(bones.size(), expected.size());
        EXPECT_EQ(bones[1], expected[1]);
    }
    PoseBones(mesh, -1, 1.0, bones, globals);
    EXPECT_EQ(test::CountLogLines("Animation index out of range, the first animation is used: unknown-index.test"), 1);
}

TEST(AnimationPose, ANodeWithoutAChannelKeepsItsBindTransform) {
    AnimatedMesh mesh = TwoBoneChain();
    mesh.animations[0].channelOfNode = {-1, 0, -1}; // as for an empty channel: the lower node is left be
    std::vector<glm::mat4> bones, globals;
    PoseBones(mesh, 0, 1.0, bones, globals);
    // Upper at 45 degrees: the lower bone carries straight on from the elbow, unbent.
    const float s = std::sqrt(0.5f);
    EXPECT_NEAR(glm::distance(glm::vec3(bones[1] * glm::vec4(0, 2, 0, 1)), glm::vec3(-2 * s, 2 * s, 0)), 0.0f, 1e-5f);
}

} // namespace
} // namespace zumek
