// physics/Physics.h
#pragma once
#include <cstdint>
#include <vector>

#include "engine/System.h"
#include "physics/BroadPhase.h"
#include "physics/Contact.h"
#include "physics/ContactSolver.h"

namespace zumek {

class Body;
class Object;

/// Advances every body by one fixed step per frame, reports each overlapping pair as a
/// CollisionSignal and resolves the contacts with the impulse solver.
///
/// A step: integrate every body (unless the PhysicsSetting is not 0); look at every pair of
/// bodies, in the order of the object list, of which at least one is not static; skip the
/// "player"–"ball" pair; signal each overlap at once (receivers run inside the step); ask for
/// contacts unless one side is tagged "button" or is a ghost; set or clear the player's
/// deep-contact flag; solve. The poses the pairs are tested at are taken when the pair phase
/// starts, so a receiver that moves a body moves it for the next step.
///
/// Debug controls: action 7 toggles pause; while paused, action 8 runs one step forward and
/// action 9 one step backward (integration with the negated step).
class Physics final : public System {
public:
    /// The fixed step, seconds.
    static constexpr float kTimeStep = 1.0f / 60.0f;
    /// A player contact deeper than this (world units) blocks the player's scripted forces.
    static constexpr float kDeepContact = 0.165f;

    Physics();

    /// One step of kTimeStep, whatever `dt` (seconds) is, after the debug controls.
    void Update(float dt, std::vector<Object*>& objects) override;
    void Shutdown() override;

    /// One simulation step over the bodies of `objects` (objects without a body are ignored).
    void Step(const std::vector<Object*>& objects);
    /// Appends to the contact list of the current step.
    void AddContact(const Contact& contact) { m_contacts.push_back(contact); }

    /// Whether candidate pairs come from the broad phase (the default) or from the plain loop
    /// over all pairs; both give the same pairs in the same order.
    void SetBroadPhase(bool enabled) { m_useBroadPhase = enabled; }
    bool IsPaused() const { return m_paused; }
    /// The signed step: negative after a step-backward request until the next running frame.
    float GetTimeStep() const { return m_timeStep; }
    /// Sum of the frame times given to Update while running, seconds.
    float GetAccumulatedTime() const { return m_accumulated; }
    /// The contacts of the last step, with their accumulated impulses.
    const ContactList& Contacts() const { return m_contacts; }
    /// Narrow-phase tests of the last step.
    int64_t NarrowTests() const { return m_narrowTests; }
    /// Where the last step spent its time, milliseconds of wall-clock time per stage.
    struct StageTimes {
        double integrate = 0.0;
        double pairs = 0.0; ///< bounds, broad phase, overlap tests, signals and contacts
        double solve = 0.0;
    };
    const StageTimes& LastStageTimes() const { return m_times; }

private:
    struct Entry {
        Object* object;
        Body* body;
        bool isStatic;
        bool player;
        bool ball;
        bool button;
        bool ghost;
        bool validPose;
    };

    void GatherBodies(const std::vector<Object*>& objects);
    void ProcessPair(int32_t i, int32_t j);
    void UpdateDeepContact();

    float m_accumulated = 0.0f;
    bool m_paused = false;
    bool m_stepRequested = false;
    float m_timeStep = kTimeStep;
    bool m_useBroadPhase = true;
    int64_t m_narrowTests = 0;
    StageTimes m_times;

    ContactList m_contacts;
    std::vector<Entry> m_entries;
    std::vector<Body*> m_bodies;
    std::vector<BroadPhase::Proxy> m_proxies;
    std::vector<BroadPhase::Pair> m_pairs;
    BroadPhase m_broadPhase;
    ContactSolver m_solver;
};

} // namespace zumek
