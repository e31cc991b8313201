// Whole scenes stepped by the physics system: resting, stacking, bouncing, the tag rules, the
// debug controls and the fixed step.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/SettingManager.h"
#include "engine/InputEvent.h"
#include "input/InputEvents.h"
#include "tests/physics/PhysicsScene.h"

using namespace zumek;
using zumek::test::CollisionRecorder;
using zumek::test::PhysicsScene;

namespace {

class PhysicsSceneTest : public ::testing::Test {
protected:
    PhysicsScene s;
    CollisionRecorder recorder;
};

TEST_F(PhysicsSceneTest, SphereDroppedOnPlaneSettlesAtItsRadiusAndSleeps) {
    s.AddPlane();
    Body& ball = s.AddSphere({0, 2, 0}, 1.0f);
    s.Simulate(5.0f);
    EXPECT_NEAR(s.Position(ball).y, 0.5f, 0.01f); // touching: neither sunk nor floating
    EXPECT_NEAR(s.Position(ball).x, 0.0f, 1e-5f);
    EXPECT_FALSE(ball.IsAwake());
}

TEST_F(PhysicsSceneTest, StackOfFiveBoxesStandsWithoutDrifting) {
    s.AddPlane();
    std::vector<Body*> boxes;
    for (int k = 0; k < 5; ++k) boxes.push_back(&s.AddBox({0, 0.5f + 1.0f * k, 0}, glm::vec3(1.0f)));
    s.Step(600);
    for (int k = 0; k < 5; ++k) {
        glm::vec3 p = s.Position(*boxes[k]);
        EXPECT_NEAR(p.x, 0.0f, 0.003f) << "box " << k;
        EXPECT_NEAR(p.z, 0.0f, 0.003f) << "box " << k;
        EXPECT_NEAR(p.y, 0.5f + 1.0f * k, 0.02f) << "box " << k;
        EXPECT_NEAR(glm::abs(boxes[k]->GetOrientation().w), 1.0f, 1e-4f) << "box " << k << " turned";
    }
}

TEST_F(PhysicsSceneTest, TenBoxesDroppedOntoEachOtherSettleIntoAStandingStackAndSleep) {
    s.AddPlane();
    std::vector<Body*> boxes;
    // 0.05 apart: each lands on the one below.
    for (int k = 0; k < 10; ++k) boxes.push_back(&s.AddBox({0, 0.5f + 1.05f * k, 0}, glm::vec3(1.0f)));
    s.Step(600);
    for (int k = 0; k < 10; ++k) {
        glm::vec3 p = s.Position(*boxes[k]);
        EXPECT_LT(std::fabs(p.x) + std::fabs(p.z), 0.05f) << "box " << k;
        EXPECT_NEAR(p.y, 0.5f + 1.0f * k, 0.03f) << "box " << k;
        EXPECT_FALSE(boxes[k]->IsAwake()) << "box " << k;
    }
}

// The highest point a ball reaches after its first bounce on a floor box of `material`.
float BounceHeight(const std::string& material) {
    PhysicsScene s;
    s.AddBox({0, -0.5f, 0}, {10, 1, 10}, material, "floor", glm::vec3(0.0f), true);
    Body& ball = s.AddSphere({0, 3, 0}, 1.0f);
    bool falling = true;
    float highest = 0.0f;
    for (int i = 0; i < 300; ++i) {
        s.Step();
        float vy = ball.GetVelocity().y;
        if (falling && vy > 0.0f) falling = false;
        if (!falling) highest = std::max(highest, s.Position(ball).y);
        if (!falling && vy < 0.0f) break;
    }
    return highest;
}

TEST_F(PhysicsSceneTest, BouncyWallBouncesHigherThanGround) {
    float bouncy = BounceHeight("BouncyWall");
    float ground = BounceHeight("Ground");
    EXPECT_GT(bouncy, ground + 0.2f);
    EXPECT_LT(bouncy, 3.0f); // energy never grows
    EXPECT_GT(ground, 0.5f);
}

TEST_F(PhysicsSceneTest, PlayerAndBallPassThroughEachOther) {
    Body& player = s.AddBox({0, 5, 0}, glm::vec3(1.0f), "Wall", "player");
    Body& ball = s.AddSphere({0, 5, 0}, 1.0f);
    s.Step(10);
    EXPECT_TRUE(recorder.signals.empty());
    EXPECT_FLOAT_EQ(s.Position(player).x, s.Position(ball).x);
    EXPECT_FLOAT_EQ(s.Position(player).y, s.Position(ball).y); // both fell freely
}

TEST_F(PhysicsSceneTest, ButtonIsPressedWithoutPushingBack) {
    s.AddPlane();
    Body& button = s.AddBox({0, 0.05f, 0}, {1, 0.1f, 1}, "Wall", "button", glm::vec3(0.0f), true);
    Body& box = s.AddBox({0, 0.6f, 0}, glm::vec3(1.0f));
    s.Step(60);
    EXPECT_TRUE(recorder.Saw(s.Id(button), s.Id(box)));
    EXPECT_NEAR(s.Position(box).y, 0.5f, 0.01f); // it rests on the floor, through the button
}

TEST_F(PhysicsSceneTest, GhostSignalsButProducesNoContacts) {
    Body& ghost = s.AddGhost({0, 2, 0}, glm::vec3(2.0f));
    Body& box = s.AddBox({0, 2, 0}, glm::vec3(0.5f));
    s.Step();
    EXPECT_TRUE(recorder.Saw(s.Id(ghost), s.Id(box)));
    EXPECT_TRUE(s.physics.Contacts().empty());
    EXPECT_LT(box.GetVelocity().y, 0.0f);
}

TEST_F(PhysicsSceneTest, RestingPairSignalsEveryStepInListOrder) {
    Body& floor = s.AddPlane();
    Body& box = s.AddBox({0, 0.5f, 0}, glm::vec3(1.0f));
    s.Step(120);
    ASSERT_EQ(recorder.signals.size(), 120u);
    for (const CollisionSignal& signal : recorder.signals) {
        EXPECT_EQ(signal.firstId, s.Id(floor));
        EXPECT_EQ(signal.secondId, s.Id(box));
        EXPECT_EQ(signal.firstTag, "floor");
        EXPECT_EQ(signal.secondTag, "box");
        EXPECT_EQ(glm::vec3(signal.x, signal.y, signal.z), glm::vec3(1, 0, 0));
    }
}

TEST_F(PhysicsSceneTest, TwoStaticBodiesAreNeverTested) {
    s.AddPlane();
    s.AddBox({0, 0, 0}, glm::vec3(2.0f), "Wall", "wall", glm::vec3(0.0f), true);
    s.Step();
    EXPECT_TRUE(recorder.signals.empty());
    EXPECT_EQ(s.physics.NarrowTests(), 0);
}

TEST_F(PhysicsSceneTest, FrameTimeDoesNotChangeTheStep) {
    InputEvents::Instance().Clear();
    PhysicsScene slow, fast;
    Body& a = slow.AddBox({0, 10, 0}, glm::vec3(1.0f));
    Body& b = fast.AddBox({0, 10, 0}, glm::vec3(1.0f));
    slow.physics.Update(0.1f, slow.objects);
    fast.physics.Update(0.005f, fast.objects);
    EXPECT_EQ(slow.Position(a), fast.Position(b));
    EXPECT_FLOAT_EQ(a.GetVelocity().y, -5.0f / 60.0f);
    EXPECT_FLOAT_EQ(slow.physics.GetAccumulatedTime(), 0.1f);
}

TEST_F(PhysicsSceneTest, PauseThenTwoStepsBackAndOneForward) {
    InputEvents& events = InputEvents::Instance();
    events.Clear();
    Body& box = s.AddBox({0, 10, 0}, glm::vec3(1.0f));
    s.physics.Update(0.016f, s.objects);
    float start = s.Position(box).y;
    float velocity = box.GetVelocity().y;

    events.Raise(input_event::PAUSE_PHYSICS);
    s.physics.Update(0.016f, s.objects);
    EXPECT_TRUE(s.physics.IsPaused());
    EXPECT_EQ(s.Position(box).y, start);
    s.physics.Update(0.016f, s.objects); // paused frames do nothing
    EXPECT_EQ(s.Position(box).y, start);
    EXPECT_EQ(s.physics.GetAccumulatedTime(), 0.0f);

    // Two steps backward: integration with −h, so gravity takes back the speed it gave and the
    // position moves against the velocity.
    const float h = Physics::kTimeStep;
    float expectedY = start, expectedV = velocity;
    for (int i = 0; i < 2; ++i) {
        events.Raise(input_event::STEP_BACKWARD);
        s.physics.Update(0.016f, s.objects);
        EXPECT_LT(s.physics.GetTimeStep(), 0.0f);
        expectedV += Body::kGravity * h;
        expectedY -= expectedV * h;
        EXPECT_NEAR(box.GetVelocity().y, expectedV, 1e-6f);
        EXPECT_NEAR(s.Position(box).y, expectedY, 1e-5f);
    }
    EXPECT_GT(box.GetVelocity().y, 0.0f); // thrown back up past its start speed

    events.Raise(input_event::STEP_FORWARD);
    s.physics.Update(0.016f, s.objects);
    EXPECT_GT(s.physics.GetTimeStep(), 0.0f);
    expectedV -= Body::kGravity * h;
    expectedY += expectedV * h;
    EXPECT_NEAR(box.GetVelocity().y, expectedV, 1e-6f);
    EXPECT_NEAR(s.Position(box).y, expectedY, 1e-5f);
    float forward = s.Position(box).y;
    s.physics.Update(0.016f, s.objects); // still paused: nothing
    EXPECT_EQ(s.Position(box).y, forward);

    events.Raise(input_event::PAUSE_PHYSICS);
    s.physics.Update(0.016f, s.objects);
    EXPECT_FALSE(s.physics.IsPaused());
    EXPECT_LT(s.Position(box).y, forward);
}

TEST_F(PhysicsSceneTest, WithPhysicsSettingOffOverlapsAreSolvedButNothingMoves) {
    s.AddPlane();
    Body& box = s.AddBox({0, 0.49f, 0}, glm::vec3(1.0f));
    box.SetVelocity({0, -1, 0});
    SettingManager::GetSetting<PhysicsSetting>() = PhysicsSetting(1);
    s.Step();
    SettingManager::GetSetting<PhysicsSetting>() = PhysicsSetting(0);
    EXPECT_EQ(s.Position(box), glm::vec3(0, 0.49f, 0));
    EXPECT_EQ(recorder.signals.size(), 1u);
    EXPECT_GT(box.GetVelocity().y, 0.0f); // pushed out of the floor
}

TEST_F(PhysicsSceneTest, PlayerPressedDeepBlocksItsForcesUntilItIsFree) {
    s.AddPlane();
    Body& player = s.AddBox({0, 0.3f, 0}, glm::vec3(1.0f), "Wall", "player");
    s.Step();
    EXPECT_TRUE(player.IsDeepContact()); // 0.2 deep
    player.AddForce({1000, 0, 0});
    EXPECT_EQ(player.GetForce(), glm::vec3(0.0f));
    s.Step(120);
    EXPECT_FALSE(player.IsDeepContact());
    EXPECT_TRUE(player.IsAwake()); // the player never sleeps
    EXPECT_EQ(player.GetAngularVelocity(), glm::vec3(0.0f)); // contacts never turn the player
}

TEST_F(PhysicsSceneTest, AwakeBodyWakesTheSleeperItLandsOn) {
    s.AddPlane();
    Body& sleeper = s.AddBox({0, 0.5f, 0}, glm::vec3(1.0f));
    s.Step(60);
    ASSERT_FALSE(sleeper.IsAwake());
    Body& falling = s.AddBox({0, 2.0f, 0}, glm::vec3(1.0f));
    bool woke = false;
    for (int i = 0; i < 30 && !woke; ++i) {
        s.Step();
        woke = sleeper.IsAwake();
    }
    EXPECT_TRUE(woke);
    s.Simulate(3.0f);
    EXPECT_NEAR(s.Position(falling).y, 1.5f, 0.02f); // resting on the other, not through it
    EXPECT_FALSE(sleeper.IsAwake());
    EXPECT_FALSE(falling.IsAwake());
}

TEST_F(PhysicsSceneTest, SleeperKeepsStillAndWakesWhenAScriptMovesIt) {
    s.AddPlane();
    Body& box = s.AddBox({0, 0.5f, 0}, glm::vec3(1.0f));
    s.Step(60);
    ASSERT_FALSE(box.IsAwake());
    s.Step(10);
    // Contacts between bodies at rest are left alone: no velocity to jump with later.
    EXPECT_EQ(box.GetVelocity(), glm::vec3(0.0f));
    glm::vec3 rest = s.Position(box);

    box.GetTransform()->SetPosition({0, 3, 0});
    s.Step();
    EXPECT_TRUE(box.IsAwake()); // it does not hang in the air
    s.Simulate(3.0f);
    EXPECT_NEAR(s.Position(box).y, rest.y, 0.005f);
    EXPECT_FALSE(box.IsAwake());
}

TEST_F(PhysicsSceneTest, NaNPositionNeverSpreadsToOtherBodies) {
    s.AddPlane();
    Body& broken = s.AddBox({0, 0.5f, 0}, glm::vec3(1.0f));
    Body& neighbour = s.AddBox({0, 1.5f, 0}, glm::vec3(1.0f));
    broken.GetTransform()->SetPosition({NAN, 0.5f, 0});
    s.Step(30);
    glm::vec3 v = neighbour.GetVelocity();
    glm::vec3 p = s.Position(neighbour);
    EXPECT_TRUE(std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z));
    EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z));
}

} // namespace
