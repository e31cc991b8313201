// The broad phase against the all-pairs loop: the same candidate pairs on crowded random scenes,
// the same final state bit for bit and the same collision signals on a whole simulated scene,
// and no allocation per step once the buffers have grown.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>
#include <random>
#include <set>
#include <utility>

#include "physics/BroadPhase.h"
#include "tests/physics/PhysicsScene.h"

// Counts every allocation of the process, so that a test can check a span allocates nothing.
// (The replacement pairs malloc with free on purpose; the compiler only sees new meeting free.)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
namespace {
std::atomic<long> g_allocations{0};
}
void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

using namespace zumek;
using zumek::test::CollisionRecorder;
using zumek::test::PhysicsScene;

namespace {

glm::vec3 RandomVector(std::mt19937& random, float lo, float hi) {
    std::uniform_real_distribution<float> d(lo, hi);
    return {d(random), d(random), d(random)};
}

// A crowded scene: boxes of many shapes and turns, spheres, a static floor box and a plane, with
// most bodies placed right against another one so that many pairs are near the tolerance.
void FillRandomScene(PhysicsScene& s, std::mt19937& random, int count) {
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    s.AddPlane({0, -3, 0});
    s.AddBox({0, -2, 0}, {8, 0.5f, 8}, "Ground", "floor", glm::vec3(0.0f), true);
    for (int i = 0; i < count; ++i) {
        glm::vec3 position = RandomVector(random, -3.0f, 3.0f);
        if (i > 0 && unit(random) < 0.7f) {
            // Right against an earlier body, along a random direction.
            const Body& near = *s.objects[2 + static_cast<int>(unit(random) * (s.objects.size() - 2))]->GetComponent<Body>();
            glm::vec3 direction = glm::normalize(RandomVector(random, -1.0f, 1.0f) + glm::vec3(1e-3f));
            float reach = 0.5f * (glm::length(near.GetExtents()) + 0.5f);
            position = near.GetCentre() + direction * reach * (0.6f + 0.6f * unit(random));
        }
        if (unit(random) < 0.2f) {
            s.AddSphere(position, 0.2f + 1.5f * unit(random));
        } else {
            glm::vec3 extents = RandomVector(random, 0.1f, 2.5f);
            glm::vec3 turn = unit(random) < 0.3f ? glm::vec3(0.0f) : RandomVector(random, -180.0f, 180.0f);
            s.AddBox(position, extents, "Cube", "box", turn, unit(random) < 0.1f);
        }
    }
}

TEST(BroadPhase, RandomScenesGiveEveryOverlappingPairInOrder) {
    std::mt19937 random(20261206);
    long overlapping = 0, candidates = 0;
    for (int scene = 0; scene < 60; ++scene) {
        PhysicsScene s;
        FillRandomScene(s, random, 120);
        std::vector<BroadPhase::Proxy> proxies(s.objects.size());
        for (size_t i = 0; i < proxies.size(); ++i) {
            Body& body = *s.objects[i]->GetComponent<Body>();
            body.CapturePose();
            proxies[i].isStatic = body.IsStatic();
            BroadPhase::ComputeBounds(*body.GetCollider(), proxies[i]);
        }
        BroadPhase broadPhase;
        std::vector<BroadPhase::Pair> pairs;
        broadPhase.FindPairs(proxies, pairs);

        std::set<std::pair<int, int>> found;
        for (size_t k = 0; k < pairs.size(); ++k) {
            ASSERT_LT(pairs[k].first, pairs[k].second);
            if (k > 0) {
                ASSERT_TRUE(pairs[k - 1].first < pairs[k].first ||
                            (pairs[k - 1].first == pairs[k].first && pairs[k - 1].second < pairs[k].second))
                    << "pairs out of order or repeated";
            }
            found.insert({pairs[k].first, pairs[k].second});
        }
        for (size_t i = 0; i < proxies.size(); ++i)
            for (size_t j = i + 1; j < proxies.size(); ++j) {
                const Body& a = *s.objects[i]->GetComponent<Body>();
                const Body& b = *s.objects[j]->GetComponent<Body>();
                if (a.IsStatic() && b.IsStatic()) continue;
                if (!a.GetCollider()->Intersects(*b.GetCollider())) continue;
                ++overlapping;
                EXPECT_TRUE(found.count({static_cast<int>(i), static_cast<int>(j)}))
                    << "scene " << scene << " missed " << i << "-" << j;
            }
        candidates += static_cast<long>(pairs.size());
    }
    // The scenes really are crowded, and the grid really does prune.
    EXPECT_GT(overlapping, 60 * 50);
    EXPECT_GT(overlapping * 10, candidates * 3);
}

// A pile falling on a floor, with every tag rule in play.
void BuildPile(PhysicsScene& s) {
    s.AddPlane();
    s.AddBox({0, 0.25f, 3}, {1, 0.5f, 1}, "Wall", "button", glm::vec3(0.0f), true);
    s.AddGhost({-3, 1, 0}, glm::vec3(2.0f));
    s.AddBox({2, 1, 0}, glm::vec3(1.0f), "Wall", "player");
    for (int i = 0; i < 40; ++i) {
        float x = -2.0f + (i % 5) * 1.1f, z = -2.0f + ((i / 5) % 4) * 1.1f, y = 1.0f + (i / 20) * 1.3f;
        if (i % 7 == 3) {
            s.AddSphere({x, y, z}, 0.8f);
        } else {
            s.AddBox({x, y, z}, {0.9f, 0.6f + 0.1f * (i % 3), 0.9f}, i % 2 ? "Cube" : "Domino", "box",
                     {5.0f * (i % 4), 7.0f * (i % 5), 3.0f * (i % 3)});
        }
    }
}

TEST(BroadPhase, WholeSceneMatchesTheAllPairsLoopBitForBit) {
    PhysicsScene withGrid, allPairs;
    BuildPile(withGrid);
    BuildPile(allPairs);
    allPairs.physics.SetBroadPhase(false);
    std::vector<CollisionSignal> gridSignals, plainSignals;
    for (int step = 0; step < 300; ++step) {
        {
            CollisionRecorder recorder;
            withGrid.Step();
            gridSignals.insert(gridSignals.end(), recorder.signals.begin(), recorder.signals.end());
        }
        {
            CollisionRecorder recorder;
            allPairs.Step();
            plainSignals.insert(plainSignals.end(), recorder.signals.begin(), recorder.signals.end());
        }
        ASSERT_LE(withGrid.physics.NarrowTests(), allPairs.physics.NarrowTests());
    }
    EXPECT_LT(withGrid.physics.NarrowTests() * 3, allPairs.physics.NarrowTests());
    ASSERT_EQ(gridSignals.size(), plainSignals.size());
    EXPECT_GT(gridSignals.size(), 300u * 20u);
    for (size_t k = 0; k < gridSignals.size(); ++k) {
        ASSERT_EQ(gridSignals[k].firstId, plainSignals[k].firstId) << k;
        ASSERT_EQ(gridSignals[k].secondId, plainSignals[k].secondId) << k;
    }
    for (size_t i = 0; i < withGrid.objects.size(); ++i) {
        const Body& a = *withGrid.objects[i]->GetComponent<Body>();
        const Body& b = *allPairs.objects[i]->GetComponent<Body>();
        glm::vec3 pa = a.GetPosition(), pb = b.GetPosition();
        EXPECT_EQ(std::memcmp(&pa, &pb, sizeof pa), 0) << i;
        EXPECT_EQ(std::memcmp(&a.GetVelocity(), &b.GetVelocity(), sizeof(glm::vec3)), 0) << i;
        EXPECT_EQ(std::memcmp(&a.GetAngularVelocity(), &b.GetAngularVelocity(), sizeof(glm::vec3)), 0) << i;
        EXPECT_EQ(std::memcmp(&a.GetOrientation(), &b.GetOrientation(), sizeof(glm::quat)), 0) << i;
        EXPECT_EQ(a.IsAwake(), b.IsAwake()) << i;
    }
}

TEST(BroadPhase, SteadyStepsAllocateNothing) {
    PhysicsScene s;
    s.AddPlane();
    for (int i = 0; i < 50; ++i) s.AddBox({(i % 10) * 1.5f, 0.5f + (i / 10) * 1.02f, 0}, glm::vec3(1.0f));
    CollisionRecorder recorder;
    recorder.signals.reserve(100000);
    s.Step(120);
    const Contact* buffer = s.physics.Contacts().data();
    size_t capacity = s.physics.Contacts().capacity();
    long before = g_allocations.load();
    s.Step(60);
    EXPECT_EQ(g_allocations.load() - before, 0);
    EXPECT_EQ(s.physics.Contacts().data(), buffer);
    EXPECT_EQ(s.physics.Contacts().capacity(), capacity);
    EXPECT_FALSE(s.physics.Contacts().empty());
}

} // namespace
