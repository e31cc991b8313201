// bench/PhysicsBench.cpp
// Our physics step against Bullet's on the same scene, in one process. Both worlds hold a static
// plane at y = 0 (normal +y) and N unit boxes of the "Cube" material (density 25, so mass 25;
// restitution 0.25), with gravity (0, −5, 0), one step of 1/60 s and 20 solver iterations:
// - resting: layers of 10 × 10 boxes 1.5 apart in x and z, layer k centred at y = 0.5 + 1.05 k;
//   60 warm-up steps, then 300 timed steps;
// - falling: boxes 2.0 apart in x, y and z in a cube-shaped grid from y = 2; steps 0 to 600 timed.
// Bullet runs twice: with its default sleeping and with sleeping switched off on every body; it
// keeps its own defaults otherwise (friction 0.5, no damping). The figures are the medians of the
// per-step times, taken as the thread's CPU time so that other processes sharing the machine
// count against neither world. A line starting with "#" tells how each world ended, so that a
// fast but broken run shows.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include <btBulletDynamicsCommon.h>

#include "bench/BenchCommands.h"
#include "bench/BenchOptions.h"
#include "engine/SignalManager.h"
#include "objects/Object.h"
#include "objects/Transform.h"
#include "physics/Body.h"
#include "physics/Physics.h"

namespace zumek::bench {
namespace {

constexpr float kStep = 1.0f / 60.0f;
constexpr int kCubeMaterial = 3;
constexpr int kGroundMaterial = 0;

struct Scene {
    std::string name;
    std::vector<glm::vec3> boxes; ///< centres
    int warmUp = 0;
    int timed = 0;
};

Scene MakeScene(const std::string& name, int count) {
    Scene scene;
    scene.name = name;
    if (name == "resting") {
        for (int i = 0; i < count; ++i) {
            int layer = i / 100, cell = i % 100;
            scene.boxes.push_back({(cell % 10) * 1.5f, 0.5f + 1.05f * layer, (cell / 10) * 1.5f});
        }
        scene.warmUp = 60;
        scene.timed = 300;
    } else {
        int side = static_cast<int>(std::ceil(std::cbrt(static_cast<double>(count)) - 1e-9));
        for (int i = 0; i < count; ++i)
            scene.boxes.push_back({(i % side) * 2.0f, 2.0f + ((i / side) % side) * 2.0f, (i / (side * side)) * 2.0f});
        scene.warmUp = 0;
        scene.timed = 600;
    }
    return scene;
}

// Milliseconds of CPU time this thread has used.
double ThreadMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

struct Outcome {
    double medianMs = 0.0;
    double integrateMs = 0.0, pairsMs = 0.0, solveMs = 0.0; ///< ours: medians per stage
    size_t contacts = 0;  ///< ours: contacts of the last step
    float lowest = 0.0f;  ///< lowest box centre at the end
    int awake = 0;        ///< boxes awake at the end
    int broken = 0;       ///< boxes with a non-finite position
};

Outcome RunOurs(const Scene& scene) {
    std::vector<std::unique_ptr<Object>> owned;
    std::vector<Object*> objects;
    auto add = [&](const std::string& id, const glm::vec3& position, int shape, int material, bool isStatic) {
        auto object = std::make_unique<Object>(id, isStatic ? "floor" : "box", "bench", "");
        object->AddComponent(std::make_unique<Transform>(position, glm::vec3(1.0f), glm::vec3(0.0f)));
        auto* body = object->AddComponent(std::make_unique<Body>(glm::vec3(1.0f), shape, material, isStatic));
        body->Initialize();
        objects.push_back(object.get());
        owned.push_back(std::move(object));
    };
    add("floor", glm::vec3(0.0f), Body::kShapePlane, kGroundMaterial, true);
    for (size_t i = 0; i < scene.boxes.size(); ++i)
        add("box" + std::to_string(i), scene.boxes[i], Body::kShapeBox, kCubeMaterial, false);

    Physics physics;
    std::vector<double> times, integrate, pairs, solve;
    for (int step = 0; step < scene.warmUp + scene.timed; ++step) {
        double start = ThreadMs();
        physics.Step(objects);
        double ms = ThreadMs() - start;
        if (step < scene.warmUp) continue;
        times.push_back(ms);
        integrate.push_back(physics.LastStageTimes().integrate);
        pairs.push_back(physics.LastStageTimes().pairs);
        solve.push_back(physics.LastStageTimes().solve);
    }
    Outcome outcome;
    outcome.medianMs = Median(times);
    outcome.integrateMs = Median(integrate);
    outcome.pairsMs = Median(pairs);
    outcome.solveMs = Median(solve);
    outcome.contacts = physics.Contacts().size();
    outcome.lowest = 1e30f;
    for (size_t i = 1; i < objects.size(); ++i) {
        const Body& body = *objects[i]->GetComponent<Body>();
        glm::vec3 p = body.GetPosition();
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) ++outcome.broken;
        else outcome.lowest = std::min(outcome.lowest, p.y);
        if (body.IsAwake()) ++outcome.awake;
    }
    return outcome;
}

Outcome RunBullet(const Scene& scene, bool sleeping) {
    btDefaultCollisionConfiguration configuration;
    btCollisionDispatcher dispatcher(&configuration);
    btDbvtBroadphase broadphase;
    btSequentialImpulseConstraintSolver solver;
    btDiscreteDynamicsWorld world(&dispatcher, &broadphase, &solver, &configuration);
    world.setGravity(btVector3(0, -5, 0));
    world.getSolverInfo().m_numIterations = 20;

    btStaticPlaneShape planeShape(btVector3(0, 1, 0), 0);
    btBoxShape boxShape(btVector3(0.5f, 0.5f, 0.5f));
    std::vector<std::unique_ptr<btDefaultMotionState>> states;
    std::vector<std::unique_ptr<btRigidBody>> bodies;

    btRigidBody::btRigidBodyConstructionInfo planeInfo(0.0f, nullptr, &planeShape);
    planeInfo.m_restitution = 0.2f;
    bodies.push_back(std::make_unique<btRigidBody>(planeInfo));
    world.addRigidBody(bodies.back().get());

    const btScalar mass = 25.0f; // density 25, volume 1
    btVector3 inertia;
    boxShape.calculateLocalInertia(mass, inertia);
    for (const glm::vec3& centre : scene.boxes) {
        btTransform start;
        start.setIdentity();
        start.setOrigin(btVector3(centre.x, centre.y, centre.z));
        states.push_back(std::make_unique<btDefaultMotionState>(start));
        btRigidBody::btRigidBodyConstructionInfo info(mass, states.back().get(), &boxShape, inertia);
        info.m_restitution = 0.25f;
        bodies.push_back(std::make_unique<btRigidBody>(info));
        if (!sleeping) bodies.back()->setActivationState(DISABLE_DEACTIVATION);
        world.addRigidBody(bodies.back().get());
    }

    std::vector<double> times;
    for (int step = 0; step < scene.warmUp + scene.timed; ++step) {
        double start = ThreadMs();
        world.stepSimulation(kStep, 1, kStep);
        double ms = ThreadMs() - start;
        if (step >= scene.warmUp) times.push_back(ms);
    }
    Outcome outcome;
    outcome.medianMs = Median(times);
    outcome.lowest = 1e30f;
    for (size_t i = 1; i < bodies.size(); ++i) {
        const btVector3& p = bodies[i]->getCenterOfMassPosition();
        if (!std::isfinite(p.x()) || !std::isfinite(p.y()) || !std::isfinite(p.z())) ++outcome.broken;
        else outcome.lowest = std::min(outcome.lowest, static_cast<float>(p.y()));
        if (bodies[i]->isActive()) ++outcome.awake;
    }
    for (auto& body : bodies) world.removeRigidBody(body.get());
    return outcome;
}

// The three worlds take turns `runs` times, so that a change in the machine's load weighs on each
// of them alike; the figures are the medians over the runs.
void RunOne(const std::string& sceneName, int count, int runs) {
    Scene scene = MakeScene(sceneName, count);
    Outcome ours, bullet, nosleep;
    std::vector<double> oursMs, bulletMs, nosleepMs;
    for (int run = 0; run < runs; ++run) {
        ours = RunOurs(scene);
        bullet = RunBullet(scene, true);
        nosleep = RunBullet(scene, false);
        oursMs.push_back(ours.medianMs);
        bulletMs.push_back(bullet.medianMs);
        nosleepMs.push_back(nosleep.medianMs);
    }
    ours.medianMs = Median(oursMs);
    bullet.medianMs = Median(bulletMs);
    nosleep.medianMs = Median(nosleepMs);
    std::printf("physics scene=%s N=%d ours_ms=%.3f bullet_ms=%.3f bullet_nosleep_ms=%.3f ratio=%.2f ratio_nosleep=%.2f\n",
                sceneName.c_str(), count, ours.medianMs, bullet.medianMs, nosleep.medianMs,
                ours.medianMs / bullet.medianMs, ours.medianMs / nosleep.medianMs);
    std::printf("# scene=%s N=%d ours: integrate_ms=%.3f pairs_ms=%.3f solve_ms=%.3f contacts=%zu; end: ours "
                "lowest_y=%.3f awake=%d nonfinite=%d | bullet lowest_y=%.3f active=%d nonfinite=%d | "
                "bullet_nosleep lowest_y=%.3f nonfinite=%d\n",
                sceneName.c_str(), count, ours.integrateMs, ours.pairsMs, ours.solveMs, ours.contacts, ours.lowest,
                ours.awake, ours.broken, bullet.lowest, bullet.awake, bullet.broken, nosleep.lowest, nosleep.broken);
    std::fflush(stdout);
}

} // namespace

int RunPhysicsBench(int argc, char** argv) {
    std::vector<std::string> scenes;
    std::vector<int> counts;
    int runs = 1;
    if (!BenchOptions("zumek_bench physics", argc, argv)
             .Texts("--scene", scenes)
             .Numbers("--bodies", counts, 1)
             .Number("--runs", runs, 1)
             .Ok())
        return 2;
    if (scenes.empty()) scenes = {"resting", "falling"};
    if (counts.empty()) counts = {100, 1000, 5000};
    for (const std::string& scene : scenes) {
        if (scene != "resting" && scene != "falling") {
            std::fprintf(stderr, "zumek_bench physics: --scene is resting or falling, not %s\n", scene.c_str());
            return 2;
        }
    }
    for (int count : counts) {
        if (count <= 0) {
            std::fprintf(stderr, "zumek_bench physics: --bodies needs a number above 0\n");
            return 2;
        }
    }
    if (runs <= 0) {
        std::fprintf(stderr, "zumek_bench physics: --runs needs a number above 0\n");
        return 2;
    }
    SignalManager::Instance(); // the collision channel the step emits on
    for (const std::string& scene : scenes)
        for (int count : counts) RunOne(scene, count, runs);
    return 0;
}

} // namespace zumek::bench
