// The frame loop over an injected clock, event queue, world and systems: the order of each
// frame's work, level changes, the quit rules and the frame clock.
#include "engine/MainEngine.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "engine/EngineLog.h"
#include "engine/EventQueue.h"
#include "engine/FrameTimer.h"
#include "engine/SettingManager.h"
#include "engine/SignalManager.h"
#include "engine/World.h"
#include "platform/Clock.h"

using namespace zumek;

namespace {

std::vector<std::string> g_calls;

struct FakeEvents : EventQueue {
    bool Take(int32_t code) override { return pending.erase(code) != 0; }
    std::set<int32_t> pending;
};

struct FakeWorld : World {
    size_t PlaceCount() const override { return places.size(); }
    void PopPlace() override { g_calls.push_back("pop"); }
    void PushPlace(const std::string& name) override {
        g_calls.push_back("push " + name);
        places.push_back(name);
    }
    void DestroyDeadObjects() override { g_calls.push_back("dead"); }
    void UpdatePlaces() override { g_calls.push_back("places"); }
    std::vector<Object*> GetObjects() override { return {}; }
    void DestroyAllObjects() override { g_calls.push_back("destroy all"); }
    std::vector<std::string> places;
};

/// Records its updates; on a chosen frame it runs an action.
struct FakeSystem : System {
    FakeSystem(const char* name, int32_t id = 99) : System(id), m_name(name) {}
    void Update(float dt, std::vector<Object*>&) override {
        ++frames;
        lastDt = dt;
        g_calls.push_back(m_name);
        if (action && frames == actionFrame) action();
    }
    void Shutdown() override { g_calls.push_back(std::string("shutdown ") + m_name); }
    std::string m_name;
    int frames = 0;
    float lastDt = 0;
    int actionFrame = 0;
    std::function<void()> action;
};

struct FakeEngine : Engine {
    explicit FakeEngine(const char* name) : m_name(name) {}
    ~FakeEngine() override { g_calls.push_back(std::string("delete ") + m_name); }
    void Initialize() override { g_calls.push_back(std::string("init ") + m_name); }
    void Shutdown() override { g_calls.push_back(std::string("shutdown ") + m_name); }
    void Update() override { g_calls.push_back(std::string("engine ") + m_name); }
    std::string m_name;
};

class FrameLoop : public ::testing::Test {
protected:
    void SetUp() override {
        Clock::UseManual(0);
        g_calls.clear();
        engine.SetEventQueue(&events);
        engine.SetWorld(&world);
        engine.SetFixedFrameMs(10);
        engine.SetFrameSystems({&input, &scripting, &physics});
        engine.AddSystem(&window);
        engine.AddSystem(&graphics);
    }
    MainEngine engine{"splash"};
    FakeEvents events;
    FakeWorld world;
    FakeSystem input{"input"}, scripting{"scripting"}, physics{"physics"}, window{"window", WINDOW_SYSTEM_ID},
        graphics{"graphics"};
};

} // namespace

TEST_F(FrameLoop, EachFrameRunsItsStepsInOrder) {
    engine.AddEngine(new FakeEngine("sound"));
    engine.SetFrameLimit(1);
    engine.Run();
    std::vector<std::string> expected = {"push splash", "dead",    "places",  "engine sound", "input",
                                         "scripting",   "physics", "window",  "graphics",     "destroy all"};
    EXPECT_EQ(g_calls, expected);
}

TEST_F(FrameLoop, FrameLimitStopsWithStateTwoAfterExactlyThatManyFrames) {
    engine.SetFrameLimit(7);
    engine.Run();
    EXPECT_EQ(graphics.frames, 7);
    EXPECT_EQ(SettingManager::GetSetting<EngineStateSetting>(), ENGINE_STOP);
    EXPECT_EQ(FrameTimer::Instance().Frames(), 7);
}

TEST_F(FrameLoop, LevelRequestedDuringAFrameLoadsAtTheNextFrameStartAndOnlyTheLastName) {
    scripting.actionFrame = 2;
    scripting.action = [] {
        SignalManager::Emit(LoadLevelSignal{"level1"});
        SignalManager::Emit(LoadLevelSignal{"level2"});
        SignalManager::Emit(LoadLevelSignal{""}); // an empty name changes nothing
    };
    engine.SetFrameLimit(4);
    engine.Run();
    std::vector<std::string> pushes;
    for (const auto& call : g_calls)
        if (call.rfind("push", 0) == 0 || call == "pop") pushes.push_back(call);
    EXPECT_EQ(pushes, (std::vector<std::string>{"push splash", "pop", "push level2"}));
    EXPECT_TRUE(engine.PendingLevel().empty());
}

TEST_F(FrameLoop, QuitEventRaisedInFrameNEndsTheLoopAtTheStartOfFrameNPlusTwo) {
    window.actionFrame = 3;
    window.action = [this] { events.pending.insert(EVENT_QUIT); };
    engine.Run();
    // Frame 4 takes the event and still runs its updates and drawing.
    EXPECT_EQ(graphics.frames, 4);
    EXPECT_EQ(SettingManager::GetSetting<EngineStateSetting>(), ENGINE_STOP);
}

TEST_F(FrameLoop, DebugTogglesFlipTheirSettingsAndTheMissingChannelsAreLogged) {
    events.pending = {EVENT_TOGGLE_DEBUG_DRAW, EVENT_TOGGLE_HUD, EVENT_TOGGLE_DEBUG};
    engine.SetFrameLimit(1);
    engine.Run();
    EXPECT_EQ(SettingManager::GetSetting<DebugDrawSetting>(), 0);
    EXPECT_EQ(SettingManager::GetSetting<HudDrawSetting>(), 0);
    EXPECT_EQ(SettingManager::GetSetting<DebugSetting>(), 0);
    int missing = 0;
    for (const auto& record : EngineLog::Instance().Records())
        if (record.text.rfind("Missing channel for ", 0) == 0) ++missing;
    EXPECT_EQ(missing, 2); // debug drawing and HUD have no channel; DebugSetting has one
    EXPECT_TRUE(events.pending.empty());
}

TEST_F(FrameLoop, SuspendedEngineRunsOnlyTheWindowPump) {
    scripting.actionFrame = 1;
    scripting.action = [] { SettingManager::GetSetting<EngineStateSetting>() = ENGINE_SUSPENDED; };
    engine.SetFrameLimit(5);
    engine.Run();
    EXPECT_EQ(scripting.frames, 1);
    EXPECT_EQ(window.frames, 5);
    EXPECT_EQ(graphics.frames, 1);
}

TEST_F(FrameLoop, TenMillisecondFramesGiveTenMillisecondSteps) {
    engine.SetFrameLimit(3);
    engine.Run();
    EXPECT_FLOAT_EQ(physics.lastDt, 0.010f);
}

TEST_F(FrameLoop, SlowFramesCountAsElevenMillisecondsAndWarnAtMostEvery500) {
    engine.SetFixedFrameMs(25);
    engine.SetFrameLimit(50); // 1250 ms: warnings at 525 and 1050
    engine.Run();
    EXPECT_FLOAT_EQ(physics.lastDt, 0.011f);
    std::vector<int64_t> times;
    for (const auto& record : EngineLog::Instance().Records())
        if (record.text == "Low fps! (fps = 40)") {
            times.push_back(record.time);
            EXPECT_EQ(record.level, Error);
        }
    EXPECT_EQ(times, (std::vector<int64_t>{525, 1050}));
}

TEST_F(FrameLoop, StopOrderShutsFrameSystemsThenEnginesAndDeletesEnginesInOrder) {
    {
        MainEngine owner("x");
        owner.SetFrameSystems({&scripting, &physics});
        owner.AddEngine(new FakeEngine("window"));
        owner.AddEngine(new FakeEngine("sound"));
        g_calls.clear();
        owner.Initialize();
        owner.Shutdown();
    }
    std::vector<std::string> expected = {"init window",     "init sound",      "shutdown scripting", "shutdown physics",
                                         "shutdown window", "shutdown sound",  "delete window",      "delete sound"};
    EXPECT_EQ(g_calls, expected);
}

TEST(FrameTimer, ZeroLengthFrameHasInfiniteRateAndNoClamp) {
    Clock::UseManual(0);
    FrameTimer timer;
    timer.Reset();
    timer.Tick();
    EXPECT_EQ(timer.Delta(), 0);
    EXPECT_TRUE(std::isinf(timer.Fps()));
}
