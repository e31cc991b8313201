// Body: mass and inertia from the material table, one integration step, sleeping and waking,
// and the operations scripts call, with their refusal of values that are not finite.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include <glm/geometric.hpp>

#include "engine/EngineLog.h"
#include "tests/physics/PhysicsScene.h"

using namespace zumek;
using zumek::test::PhysicsScene;

namespace {

constexpr float kH = Physics::kTimeStep;

size_t LogCount() { return EngineLog::Instance().Records().size(); }

/// A unit box of "Cube" high above anything, in a scene of its own.
class BodyTest : public ::testing::Test {
protected:
    PhysicsScene s;
    Body& box = s.AddBox({0, 10, 0}, glm::vec3(1.0f));
};

TEST_F(BodyTest, MassAndInertiaFollowTheMaterialAndExtents) {
    // A "Domino" of 0.2 × 1 × 0.5: mass 0.1 · 5 = 0.5.
    Body domino({0.2f, 1.0f, 0.5f}, Body::kShapeBox, 4, false);
    EXPECT_FLOAT_EQ(domino.GetInverseMass(), 2.0f);
    EXPECT_FLOAT_EQ(domino.GetMass(), 0.5f);
    // I = m/12 (y² + z², x² + z², x² + y²)
    const glm::mat3& inverse = domino.GetLocalInverseInertia();
    EXPECT_FLOAT_EQ(inverse[0][0], 12.0f / (0.5f * (1.0f + 0.25f)));
    EXPECT_FLOAT_EQ(inverse[1][1], 12.0f / (0.5f * (0.04f + 0.25f)));
    EXPECT_FLOAT_EQ(inverse[2][2], 12.0f / (0.5f * (0.04f + 1.0f)));
    EXPECT_EQ(inverse[0][1], 0.0f);

    // Spheres use the box formula on their extents too.
    Body ball(glm::vec3(1.0f), Body::kShapeSphere, 2, false);
    EXPECT_FLOAT_EQ(ball.GetInverseMass(), 0.01f);
    EXPECT_FLOAT_EQ(ball.GetLocalInverseInertia()[1][1], 12.0f / (100.0f * 2.0f));

    Body wall(glm::vec3(2.0f), Body::kShapeBox, 1, true);
    EXPECT_EQ(wall.GetInverseMass(), 0.0f);
    EXPECT_EQ(wall.GetMass(), 0.0f);
    EXPECT_EQ(wall.GetLocalInverseInertia(), glm::mat3(0.0f));

    Body unknown(glm::vec3(1.0f), Body::kShapeBox, 42, false);
    EXPECT_STREQ(unknown.GetMaterial().name, "Wall");

    // A script's mass changes nothing but a mass of 0, which makes the body static and unturnable.
    EXPECT_TRUE(ball.SetMass(2.0f));
    EXPECT_FLOAT_EQ(ball.GetMass(), 100.0f);
    EXPECT_FALSE(ball.IsStatic());
    EXPECT_TRUE(ball.SetMass(0.0f));
    EXPECT_TRUE(ball.IsStatic());
    EXPECT_EQ(ball.GetMass(), 0.0f);
    EXPECT_EQ(ball.GetWorldInverseInertia(), glm::mat3(0.0f));
}

TEST_F(BodyTest, HorizontalSpeedCapRescalesTheWholeVelocity) {
    box.SetVelocity({3, 0, 0});
    box.Integrate(kH);
    // Before damping the velocity was (3, −5h, 0) scaled to length 2: y keeps its share.
    glm::vec3 v = box.GetVelocity();
    glm::vec3 capped(v.x / 0.95f, v.y, v.z);
    EXPECT_NEAR(glm::length(capped), 2.0f, 1e-6f);
    EXPECT_LT(v.y, 0.0f);
    EXPECT_GT(v.y, -5.0f * kH); // the fall slowed with the rescale
    EXPECT_NEAR(s.Position(box).x, capped.x * kH, 1e-6f);
}

TEST_F(BodyTest, FallIsNotDampedButHorizontalMotionIs) {
    Body& magic = s.AddBox({10, 10, 0}, glm::vec3(1.0f), "BlackMagic");
    box.SetVelocity({1, 0, 0});
    magic.SetVelocity({1, 0, 0});
    for (int i = 0; i < 10; ++i) {
        box.Integrate(kH);
        magic.Integrate(kH);
    }
    EXPECT_NEAR(box.GetVelocity().y, -10 * 5.0f * kH, 1e-5f);
    EXPECT_NEAR(box.GetVelocity().x, std::pow(0.95f, 10.0f), 1e-5f);
    EXPECT_NEAR(magic.GetVelocity().x, std::pow(0.79f, 10.0f), 1e-5f);
    EXPECT_EQ(magic.GetVelocity().y, box.GetVelocity().y);
}

TEST_F(BodyTest, SpinTurnsTheBodyAndDies) {
    box.SetAngularVelocity({0, 6, 0});
    box.Integrate(kH);
    EXPECT_NEAR(box.GetAngularVelocity().y, 6.0f * 0.9f, 1e-6f);
    // Half the angle 6h about y.
    EXPECT_NEAR(box.GetOrientation().y, std::sin(3.0f * kH), 1e-4f);
    EXPECT_NEAR(glm::length(box.GetOrientation()), 1.0f, 1e-6f);
    // The drawn matrix carries the turn: the x axis swings towards −z.
    glm::mat4 world = box.GetTransform()->GetWorldMatrix();
    EXPECT_LT(world[0][2], 0.0f);
    EXPECT_NEAR(world[3][1], s.Position(box).y, 1e-6f);
}

TEST_F(BodyTest, SlowBodySleepsAfterHalfASecondButThePlayerNever) {
    Body& player = s.AddBox({5, 10, 0}, glm::vec3(1.0f), "Wall", "player");
    ASSERT_TRUE(player.IsPlayer());
    // |v|² + |ω|² ≈ 0.02 after each step: below the threshold of 0.03.
    auto slowStep = [](Body& body) {
        body.SetVelocity({0.148f, 5.0f * kH, 0});
        body.Integrate(kH);
    };
    for (int i = 0; i < Body::kStepsToSleep - 1; ++i) {
        slowStep(box);
        slowStep(player);
    }
    EXPECT_TRUE(box.IsAwake());
    slowStep(box);
    slowStep(player);
    EXPECT_FALSE(box.IsAwake());
    EXPECT_EQ(box.GetVelocity(), glm::vec3(0.0f));
    EXPECT_TRUE(player.IsAwake());

    // Asleep, it stays put; the player integrates even when put to sleep.
    glm::vec3 rest = s.Position(box);
    box.Integrate(kH);
    EXPECT_EQ(s.Position(box), rest);
    player.Sleep();
    float before = s.Position(player).y;
    player.Integrate(kH);
    EXPECT_LT(s.Position(player).y, before);

    // One fast step starts the count again.
    box.Wake();
    box.SetVelocity({0, 1, 0});
    box.Integrate(kH);
    EXPECT_EQ(box.GetSlowSteps(), 0);
    EXPECT_TRUE(box.IsAwake());
}

TEST_F(BodyTest, StaticBodyFollowsItsTransformAndNeverMoves) {
    Body& wall = s.AddBox({1, 2, 3}, glm::vec3(2.0f), "Wall", "wall", glm::vec3(0.0f), true);
    wall.GetTransform()->SetRotation({0, 90, 0});
    wall.Integrate(kH);
    EXPECT_FALSE(wall.IsAwake());
    EXPECT_EQ(s.Position(wall), glm::vec3(1, 2, 3));
    EXPECT_NEAR(std::fabs(wall.GetOrientation().y), std::sqrt(0.5f), 1e-6f);
}

TEST_F(BodyTest, ScriptOperationsRefuseValuesThatAreNotFinite) {
    box.SetVelocity({1, 2, 3});
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();

    size_t logged = LogCount();
    EXPECT_FALSE(box.SetVelocity({nan, 0, 0}));
    EXPECT_EQ(LogCount(), logged + 1);
    EXPECT_FALSE(box.AddVelocity({0, inf, 0}));
    EXPECT_FALSE(box.AddForce({0, 0, nan}));
    EXPECT_FALSE(box.AddForce({3e9f, 0, 0})); // outside the range of a 32-bit integer
    EXPECT_FALSE(box.SetMass(nan));
    EXPECT_FALSE(box.SetMass(-inf));
    EXPECT_EQ(LogCount(), logged + 6);
    EXPECT_NE(EngineLog::Instance().Records().back().text.find("Body.SetMass"), std::string::npos);
    EXPECT_EQ(box.GetVelocity(), glm::vec3(1, 2, 3));
    EXPECT_EQ(box.GetForce(), glm::vec3(0.0f));
    EXPECT_FALSE(box.IsStatic());

    box.Integrate(kH);
    glm::vec3 p = s.Position(box);
    EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z));
}

TEST_F(BodyTest, AddForceWakesAndIsBlockedByADeepContact) {
    box.Sleep();
    EXPECT_TRUE(box.AddForce({10, 0, 0}));
    EXPECT_TRUE(box.IsAwake());
    EXPECT_EQ(box.GetForce(), glm::vec3(10, 0, 0));
    box.Integrate(kH);
    EXPECT_NEAR(box.GetVelocity().x, 10.0f / 25.0f * kH * 0.95f, 1e-6f); // a = F / m
    EXPECT_EQ(box.GetForce(), glm::vec3(0.0f));                          // cleared each step

    box.Sleep();
    box.SetDeepContact(true);
    EXPECT_TRUE(box.AddForce({10, 0, 0}));
    EXPECT_TRUE(box.IsAwake());
    EXPECT_EQ(box.GetForce(), glm::vec3(0.0f));
}

TEST_F(BodyTest, RespawnStopsTheBodyAndKeepsItsFlags) {
    box.SetVelocity({1, 1, 1});
    box.SetAngularVelocity({1, 0, 0});
    box.AddForce({5, 0, 0});
    box.SetDeepContact(true);
    box.Sleep();
    box.Respawn();
    EXPECT_EQ(box.GetVelocity(), glm::vec3(0.0f));
    EXPECT_EQ(box.GetAngularVelocity(), glm::vec3(0.0f));
    EXPECT_EQ(box.GetForce(), glm::vec3(0.0f));
    EXPECT_FALSE(box.IsAwake());
    EXPECT_TRUE(box.IsDeepContact());
}

} // namespace
