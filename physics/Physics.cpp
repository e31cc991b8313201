// physics/Physics.cpp
#include "physics/Physics.h"

#include <chrono>
#include <cmath>

#include "engine/SettingManager.h"
#include "engine/SignalManager.h"
#include "engine/InputEvent.h"
#include "input/InputEvents.h"
#include "objects/Object.h"
#include "physics/Body.h"
#include "physics/Collider.h"

namespace zumek {
namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

} // namespace

Physics::Physics() : System(PHYSICS_SYSTEM_ID) {}

void Physics::Update(float dt, std::vector<Object*>& objects) {
    InputEvents& events = InputEvents::Instance();
    if (events.Take(input_event::PAUSE_PHYSICS)) m_paused = !m_paused;
    if (events.Take(input_event::STEP_FORWARD)) {
        m_stepRequested = true;
        m_timeStep = kTimeStep;
    }
    if (events.Take(input_event::STEP_BACKWARD)) {
        m_stepRequested = true;
        m_timeStep = -kTimeStep;
    }
    if (m_paused) {
        m_accumulated = 0.0f;
        if (m_stepRequested) {
            Step(objects);
            m_stepRequested = false;
        }
        return;
    }
    // The world always advances by one fixed step per frame: a slow frame does not make the
    // simulation jump, a fast one does not slow it down.
    m_timeStep = kTimeStep;
    m_accumulated += dt;
    Step(objects);
}

void Physics::Shutdown() {
    m_contacts.clear();
    m_entries.clear();
    m_bodies.clear();
}

void Physics::GatherBodies(const std::vector<Object*>& objects) {
    m_entries.clear();
    m_bodies.clear();
    for (Object* object : objects) {
        if (!object) continue;
        Body* body = object->GetComponent<Body>();
        if (!body) continue;
        const std::string& tag = object->GetTag();
        Entry entry{object, body, false, tag == "player", tag == "ball", tag == "button", false, true};
        m_entries.push_back(entry);
        m_bodies.push_back(body);
    }
}

void Physics::Step(const std::vector<Object*>& objects) {
    // The list is copied into entries first: collision receivers run inside the step and may
    // create or mark objects, which must not change what this step walks over.
    const Clock::time_point start = Clock::now();
    GatherBodies(objects);

    if (static_cast<int32_t>(SettingManager::GetSetting<PhysicsSetting>()) == 0) {
        for (Entry& entry : m_entries) entry.body->Integrate(m_timeStep);
    }

    const Clock::time_point integrated = Clock::now();
    m_contacts.clear();
    m_narrowTests = 0;
    m_proxies.resize(m_entries.size());
    for (size_t i = 0; i < m_entries.size(); ++i) {
        Entry& entry = m_entries[i];
        const glm::vec3& centre = entry.body->CapturePose();
        entry.isStatic = entry.body->IsStatic();
        entry.ghost = entry.body->GetCollider() && entry.body->GetCollider()->IsGhost();
        entry.validPose = std::isfinite(centre.x) && std::isfinite(centre.y) && std::isfinite(centre.z);
        BroadPhase::Proxy& proxy = m_proxies[i];
        proxy.isStatic = entry.isStatic;
        if (entry.body->GetCollider()) BroadPhase::ComputeBounds(*entry.body->GetCollider(), proxy);
    }

    const int32_t n = static_cast<int32_t>(m_entries.size());
    if (m_useBroadPhase) {
        m_broadPhase.FindPairs(m_proxies, m_pairs);
        for (const BroadPhase::Pair& pair : m_pairs) ProcessPair(pair.first, pair.second);
    } else {
        for (int32_t i = 0; i < n; ++i)
            for (int32_t j = i + 1; j < n; ++j) ProcessPair(i, j);
    }

    UpdateDeepContact();
    const Clock::time_point paired = Clock::now();
    m_solver.Solve(m_contacts, m_bodies);
    const Clock::time_point solved = Clock::now();
    m_times.integrate = MillisecondsBetween(start, integrated);
    m_times.pairs = MillisecondsBetween(integrated, paired);
    m_times.solve = MillisecondsBetween(paired, solved);
}

void Physics::ProcessPair(int32_t i, int32_t j) {
    const Entry& a = m_entries[i];
    const Entry& b = m_entries[j];
    Collider* first = a.body->GetCollider();
    Collider* second = b.body->GetCollider();
    if (!first || !second) return;
    if (a.isStatic && b.isStatic) return;
    if ((a.player && b.ball) || (a.ball && b.player)) return;
    // A body whose transform holds a NaN takes no part: its tests would be meaningless.
    if (!a.validPose || !b.validPose) return;
    ++m_narrowTests;
    if (!first->Intersects(*second)) return;

    CollisionSignal signal;
    signal.firstId = a.object->GetId();
    signal.secondId = b.object->GetId();
    signal.firstTag = a.object->GetTag();
    signal.secondTag = b.object->GetTag();
    SignalManager::Emit<CollisionSignal>(signal);

    if (a.button || b.button || a.ghost || b.ghost) return;
    first->GenerateContacts(*second, m_contacts);
}

void Physics::UpdateDeepContact() {
    const Contact* deepest = nullptr;
    for (const Contact& contact : m_contacts) {
        if (!contact.bodyA->IsPlayer() && !contact.bodyB->IsPlayer()) continue;
        if (!(contact.penetration > 0.0f)) continue;
        if (!deepest || contact.penetration > deepest->penetration) deepest = &contact;
    }
    if (!deepest) return;
    bool deep = deepest->penetration > kDeepContact;
    deepest->bodyA->SetDeepContact(deep);
    deepest->bodyB->SetDeepContact(deep);
}

} // namespace zumek
