// engine/MainEngine.h
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "engine/FramePacer.h"
#include "engine/SignalHandler.h"
#include "engine/Signals.h"
#include "engine/System.h"

namespace zumek {

class EventQueue;
class World;

/// Owns the engines, keeps the systems list and runs the frame loop.
///
/// Once per frame: leave if the engine state is 2; wait until 1/60 s has passed since the
/// previous frame started (not with a fixed frame time, nor while a headset paces the frames);
/// load a pending level (dropping the player's pending actions first); tick the frame clock;
/// destroy dead objects and update the place stack; run the frame-start step (the hot reload),
/// if any; act on the debug and window events; then,
/// unless suspended, each engine's Update, the frame systems (input, scripting, physics) and the
/// systems list in order (window, graphics, game logic).
class MainEngine : public Engine, public SignalHandler<LoadLevelSignal>, public SignalHandler<DeleteLevedlStateSignal> {
public:
    explicit MainEngine(const std::string& firstLevel);
    ~MainEngine() override;

    /// Appends an engine, which the main engine owns from now on (engines are deleted in list
    /// order when it goes); returns it.
    template <class T>
    T& AddEngine(std::unique_ptr<T> engine) {
        T& added = *engine;
        m_engines.push_back(std::move(engine));
        return added;
    }
    /// Appends a system; not owned (it outlives the main engine's frames).
    void AddSystem(System* system);

    /// The systems run before the systems list every frame, in order (input, scripting,
    /// physics); not owned. Their Shutdown runs first at the stop, in order.
    void SetFrameSystems(std::vector<System*> systems) { m_frameSystems = std::move(systems); }
    /// The pending input events the loop takes its debug and window events from.
    void SetEventQueue(EventQueue* events) { m_events = events; }
    /// The objects and places; without one the systems run over no objects.
    void SetWorld(World* world) { m_world = world; }
    /// A step run once per frame once the place stack has settled, before any engine or system
    /// runs (game/ hands it the hot reload); null: none.
    void SetFrameStartStep(std::function<void()> step) { m_frameStartStep = std::move(step); }
    /// Stops the loop after `frames` frames (0: no limit) exactly as the quit event does.
    void SetFrameLimit(int frames) { m_frameLimit = frames; }
    /// Advances the engine clock by exactly `ms` per frame (0: the real clock runs). Such runs
    /// are never paced: frames follow each other as fast as they are made.
    void SetFixedFrameMs(int ms) { m_fixedFrameMs = ms; }

    void Initialize() override;
    void Update() override;
    void Shutdown() override;
    /// The frame loop; returns when the engine state becomes 2.
    void Run();

    void Handle(LoadLevelSignal signal) override;
    void Handle(DeleteLevedlStateSignal signal) override;

    const std::string& PendingLevel() const { return m_pendingLevel; }
    const std::vector<System*>& Systems() const { return m_systems; }

private:
    void HandleDebugEvents();

    std::string m_pendingLevel;
    std::vector<std::unique_ptr<Engine>> m_engines;
    std::vector<System*> m_systems;
    std::vector<System*> m_frameSystems;
    EventQueue* m_events = nullptr;
    World* m_world = nullptr;
    int m_frameLimit = 0;
    int m_fixedFrameMs = 0;
    FramePacer m_pacer;
    std::function<void()> m_frameStartStep;
};

} // namespace zumek
