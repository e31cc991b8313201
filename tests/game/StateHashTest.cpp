// tests/game/StateHashTest.cpp
// The state hash of --state-hash: it sees every bit of the objects' state it covers, and the
// physics world stepped from the same start reproduces it exactly - against a golden value, so a
// change of the solver's results shows. Change the golden value only for an intended change of
// the solver, and say so in the commit.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>

#include "game/StateHash.h"
#include "tests/physics/PhysicsScene.h"

namespace zumek {
namespace {

/// A sphere and three boxes dropped, one tilted, onto a floor, stepped `steps` times.
uint64_t DroppedScene(int steps, float nudge = 0.0f) {
    test::PhysicsScene scene;
    scene.AddPlane();
    scene.AddSphere(glm::vec3(0.0f, 3.0f, 0.0f), 1.0f);
    scene.AddBox(glm::vec3(0.2f + nudge, 1.0f, 0.1f), glm::vec3(1.0f));
    scene.AddBox(glm::vec3(0.0f, 2.6f, 0.3f), glm::vec3(0.5f, 1.0f, 0.5f), "Cube", "box", glm::vec3(0.0f, 30.0f, 20.0f));
    scene.AddBox(glm::vec3(-2.0f, 4.0f, 0.0f), glm::vec3(0.8f));
    scene.Step(steps);
    return HashState(scene.objects);
}

TEST(StateHash, TheSameStartSteppedAlikeGivesTheSameHashAndTheGoldenOne) {
    const uint64_t first = DroppedScene(240);
    EXPECT_EQ(first, DroppedScene(240));
    // The solver's result for this scene after 240 steps (4 s at 60 Hz), to the last bit.
    constexpr uint64_t kGolden = 0xb8eea20bd91bf54bull;
    char shown[17];
    std::snprintf(shown, sizeof shown, "%016" PRIx64, first);
    EXPECT_EQ(first, kGolden) << "the hash is now 0x" << shown;
}

TEST(StateHash, AnyChangeOfTheStateChangesTheHash) {
    const uint64_t base = DroppedScene(60);
    EXPECT_NE(base, DroppedScene(61)) << "one more step";
    EXPECT_NE(base, DroppedScene(60, 1e-4f)) << "a box a tenth of a millimetre aside";

    test::PhysicsScene scene;
    Body& box = scene.AddBox(glm::vec3(0.0f, 1.0f, 0.0f), glm::vec3(1.0f));
    const uint64_t still = HashState(scene.objects);
    box.SetVelocity(glm::vec3(0.0f, 0.0f, 1e-6f));
    EXPECT_NE(still, HashState(scene.objects)) << "a velocity";
    box.SetVelocity(glm::vec3(0.0f));
    EXPECT_EQ(still, HashState(scene.objects)) << "the same state again";
    // The line --state-hash prints.
    const std::string line = StateHashLine(scene.objects, 7);
    char expected[64];
    std::snprintf(expected, sizeof expected, "state hash=%016" PRIx64 " frames=7 objects=1", still);
    EXPECT_EQ(line, expected);
}

} // namespace
} // namespace zumek
