// engine/MainEngine.cpp
#include "engine/MainEngine.h"

#include "engine/EventQueue.h"
#include "engine/FramePacer.h"
#include "engine/FrameTimer.h"
#include "engine/LevelStates.h"
#include "engine/SettingManager.h"
#include "engine/SignalManager.h"
#include "engine/World.h"
#include "platform/Clock.h"
#include "platform/Paths.h"

namespace zumek {
namespace {

template <class T>
T Toggled(T value) {
    return T(value == 0 ? 1 : 0);
}

} // namespace

MainEngine::MainEngine(const std::string& firstLevel) : m_pendingLevel(firstLevel) {
    SignalManager::Connect<LoadLevelSignal>(this);
    SignalManager::Connect<DeleteLevedlStateSignal>(this);
}

MainEngine::~MainEngine() {
    // In list order: the window first, as the engines were started.
    for (std::unique_ptr<Engine>& engine : m_engines) engine.reset();
}

void MainEngine::AddSystem(System* system) { m_systems.push_back(system); }

void MainEngine::Initialize() {
    for (const std::unique_ptr<Engine>& engine : m_engines) engine->Initialize();
}

void MainEngine::Update() {
    for (const std::unique_ptr<Engine>& engine : m_engines) engine->Update();
}

void MainEngine::Shutdown() {
    for (System* system : m_frameSystems) system->Shutdown();
    for (const std::unique_ptr<Engine>& engine : m_engines) engine->Shutdown();
}

void MainEngine::HandleDebugEvents() {
    if (!m_events) return;
    if (m_events->Take(input_event::TOGGLE_DEBUG_DRAW)) {
        auto& value = SettingManager::GetSetting<DebugDrawSetting>();
        value = Toggled(value);
        // No channel carries this setting: the emit only leaves the registry's message in the log.
        SignalManager::Emit<DebugDrawSetting>(value);
    }
    if (m_events->Take(input_event::TOGGLE_HUD)) {
        auto& value = SettingManager::GetSetting<HudDrawSetting>();
        value = Toggled(value);
        SignalManager::Emit<HudDrawSetting>(value);
    }
    if (m_events->Take(input_event::TOGGLE_DEBUG)) {
        auto& value = SettingManager::GetSetting<DebugSetting>();
        value = Toggled(value);
        SignalManager::Emit<DebugSetting>(value);
    }
    if (m_events->Take(input_event::RESIZED)) SignalManager::Emit<GraphicsSignal>(GRAPHICS_RESIZED);
    if (m_events->Take(input_event::QUIT)) SettingManager::SetAndEmit<EngineStateSetting>(ENGINE_STOP);
}

void MainEngine::Run() {
    FrameTimer& timer = FrameTimer::Instance();
    timer.Reset();
    m_pacer.Reset();
    int framesRun = 0;
    for (;;) {
        if (SettingManager::GetSetting<EngineStateSetting>() == ENGINE_STOP) break;
        if (m_frameLimit > 0 && framesRun >= m_frameLimit) {
            // The frame budget is spent: stop as the quit event would.
            SettingManager::SetAndEmit<EngineStateSetting>(ENGINE_STOP);
            break;
        }
        ++framesRun;
        // Runs on a fixed frame time advance the clock themselves and never wait.
        if (m_fixedFrameMs == 0 && !FramePacer::HeadsetPacesFrames()) m_pacer.WaitForFrameStart();
        if (!m_pendingLevel.empty()) {
            // Keys pressed for the place that goes do not act in the next one (an M pressed in a
            // menu, where it does nothing, would take the player out of the level started next).
            if (m_events) m_events->DropPlayerActions();
            if (m_world) {
                if (m_world->PlaceCount() > 0) m_world->PopPlace();
                m_world->PushPlace(m_pendingLevel);
            }
            m_pendingLevel.clear();
        }
        if (m_fixedFrameMs > 0) Clock::Advance(m_fixedFrameMs);
        timer.Tick();
        if (m_world) {
            m_world->DestroyDeadObjects();
            m_world->UpdatePlaces();
        }
        if (m_frameStartStep) m_frameStartStep();
        float dt = static_cast<float>(timer.Delta()) / 1000.0f;
        HandleDebugEvents();
        if (SettingManager::GetSetting<EngineStateSetting>() == ENGINE_SUSPENDED) {
            // Suspended: nothing runs but the window's message pump, so the window can still be closed.
            std::vector<Object*> none;
            for (System* system : m_systems)
                if (system->GetId() == WINDOW_SYSTEM_ID) system->Update(dt, none);
            continue;
        }
        std::vector<Object*> objects;
        if (m_world) objects = m_world->GetObjects();
        Update();
        for (System* system : m_frameSystems) system->Update(dt, objects);
        for (System* system : m_systems) system->Update(dt, objects);
    }
    if (m_world) m_world->DestroyAllObjects();
}

void MainEngine::Handle(LoadLevelSignal signal) {
    // An empty name leaves whatever is pending as it is.
    if (!signal.name.empty()) m_pendingLevel = signal.name;
}

void MainEngine::Handle(DeleteLevedlStateSignal signal) { RemoveLevelStates(Paths::LevelStateFolder(), signal.text); }

} // namespace zumek
