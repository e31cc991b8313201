// The frame loop over an injected clock, event queue, world and systems: the order of each
// frame's work, level changes, the quit rules and the frame clock.
#include "engine/MainEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/EngineLog.h"
#include "engine/EventQueue.h"
#include "engine/FramePacer.h"
#include "engine/FrameTimer.h"
#include "engine/SettingManager.h"
#include "engine/SignalManager.h"
#include "engine/World.h"
#include "platform/Clock.h"

using namespace zumek;

namespace {

std::vector<std::string> g_calls;

struct FakeEvents : EventQueue {
    bool Take(InputEvent code) override { return pending.erase(code) != 0; }
    void DropPlayerActions() override {
        g_calls.push_back("drop actions");
        std::erase_if(pending, input_event::IsPlayerAction);
    }
    std::set<InputEvent> pending;
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
    FakeSystem(const char* name, SystemId id = GAMELOGIC_SYSTEM_ID) : System(id), m_name(name) {}
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
    engine.AddEngine(std::make_unique<FakeEngine>("sound"));
    engine.SetFrameLimit(1);
    engine.Run();
    std::vector<std::string> expected = {"drop actions", "push splash", "dead",     "places",   "engine sound", "input",
                                         "scripting",    "physics",     "window",   "graphics", "destroy all"};
    EXPECT_EQ(g_calls, expected);
}

TEST_F(FrameLoop, FrameLimitStopsWithStateTwoAfterExactlyThatManyFramesOfTheFixedStep) {
    engine.SetFrameLimit(7);
    engine.Run();
    EXPECT_EQ(graphics.frames, 7);
    EXPECT_EQ(SettingManager::GetSetting<EngineStateSetting>(), ENGINE_STOP);
    EXPECT_EQ(FrameTimer::Instance().Frames(), 7);
    EXPECT_FLOAT_EQ(physics.lastDt, 0.010f); // ten-millisecond frames give ten-millisecond steps
}

TEST_F(FrameLoop, LevelRequestedDuringAFrameLoadsTheLastNameAtTheNextFrameStartAfterDroppingThePlayersActions) {
    // Pressed in a menu where nothing takes them, the level keys would act in the level opened
    // next; the window's own events stay.
    scripting.actionFrame = 2;
    scripting.action = [this] {
        events.pending = {input_event::LEVEL_PREVIOUS, input_event::PLACE_TOGGLE, input_event::FIRE,
                          input_event::SCREENSHOT, input_event::TOGGLE_INSPECTOR};
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
    const auto push = std::find(g_calls.begin(), g_calls.end(), "push level2");
    ASSERT_GE(push - g_calls.begin(), 2);
    EXPECT_EQ(*(push - 2), "drop actions");
    EXPECT_EQ(*(push - 1), "pop");
    EXPECT_EQ(events.pending, (std::set<InputEvent>{input_event::SCREENSHOT, input_event::TOGGLE_INSPECTOR}));
}

TEST_F(FrameLoop, QuitEventRaisedInFrameNEndsTheLoopAtTheStartOfFrameNPlusTwo) {
    window.actionFrame = 3;
    window.action = [this] { events.pending.insert(input_event::QUIT); };
    engine.Run();
    // Frame 4 takes the event and still runs its updates and drawing.
    EXPECT_EQ(graphics.frames, 4);
    EXPECT_EQ(SettingManager::GetSetting<EngineStateSetting>(), ENGINE_STOP);
}

TEST_F(FrameLoop, DebugTogglesFlipTheirSettingsAndTheMissingChannelsAreLogged) {
    events.pending = {input_event::TOGGLE_DEBUG_DRAW, input_event::TOGGLE_HUD, input_event::TOGGLE_DEBUG};
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
        owner.AddEngine(std::make_unique<FakeEngine>("window"));
        owner.AddEngine(std::make_unique<FakeEngine>("sound"));
        g_calls.clear();
        owner.Initialize();
        owner.Shutdown();
    }
    std::vector<std::string> expected = {"init window",     "init sound",      "shutdown scripting", "shutdown physics",
                                         "shutdown window", "shutdown sound",  "delete window",      "delete sound"};
    EXPECT_EQ(g_calls, expected);
}

namespace {

/// Frames whose work takes `workUs` on the injected clock; records when each frame's input ran.
struct TimedWork : System {
    explicit TimedWork(int64_t workUs) : System(GAMELOGIC_SYSTEM_ID), m_workUs(workUs) {}
    void Update(float, std::vector<Object*>&) override {
        starts.push_back(Clock::NowUs());
        Clock::AdvanceUs(afterFrames > 0 && starts.size() > afterFrames ? thenUs : m_workUs);
    }
    void Shutdown() override {}
    /// Runs `frames` frames of this work alone, each `fixedMs` long (0: as the clock says).
    void RunIn(MainEngine& engine, int fixedMs, int frames) {
        engine.SetFrameSystems({this});
        engine.SetFixedFrameMs(fixedMs);
        engine.SetFrameLimit(frames);
        engine.Run();
    }
    /// The gaps between successive frame starts, and the distinct ones.
    std::vector<int64_t> GapList() const {
        std::vector<int64_t> gaps;
        for (size_t i = 1; i < starts.size(); ++i) gaps.push_back(starts[i] - starts[i - 1]);
        return gaps;
    }
    std::set<int64_t> Gaps() const {
        std::vector<int64_t> gaps = GapList();
        return {gaps.begin(), gaps.end()};
    }
    int64_t m_workUs;
    size_t afterFrames = 0; ///< frames of m_workUs before the work becomes thenUs (0: never)
    int64_t thenUs = 0;
    std::vector<int64_t> starts;
};

} // namespace

TEST_F(FrameLoop, QuickFramesArePacedToSixtyPerSecond) {
    TimedWork work(2000);
    work.RunIn(engine, 0, 61);
    ASSERT_EQ(work.starts.size(), 61u);
    EXPECT_EQ(work.Gaps(), (std::set<int64_t>{FramePacer::kPeriodUs}));
    // 60 frames a second, not 500.
    EXPECT_NEAR(static_cast<double>(work.starts.back() - work.starts.front()), 1e6, 100.0);
    // The clamp still gives 11 ms steps, but a frame at the pace is no low frame rate.
    for (const auto& record : EngineLog::Instance().Records()) EXPECT_NE(record.text.rfind("Low fps!", 0), 0u);
    EXPECT_EQ(FrameTimer::Instance().Delta(), FrameTimer::kSlowFrameMs);
}

TEST_F(FrameLoop, SlowFramesAreNotDelayedNorMadeUpFor) {
    // Five 30 ms frames, then quick ones: the first quick frame starts right after the last
    // slow one, and the next ones at the pace again, with no rush of frames to catch up.
    TimedWork work(30000);
    work.afterFrames = 5;
    work.thenUs = 1000;
    work.RunIn(engine, 0, 9);
    const int64_t pace = FramePacer::kPeriodUs;
    EXPECT_EQ(work.GapList(), (std::vector<int64_t>{30000, 30000, 30000, 30000, 30000, pace, pace, pace}));
}

TEST_F(FrameLoop, FixedFrameTimeRunsNeverWait) {
    TimedWork work(2000);
    work.RunIn(engine, 10, 30);
    // 10 ms advanced by the loop plus 2 ms of work: nothing else.
    EXPECT_EQ(work.Gaps(), (std::set<int64_t>{12000}));
}

TEST_F(FrameLoop, WhileAHeadsetPacesTheFramesTheLoopDoesNotWait) {
    SettingManager::GetSetting<OculusSetting>() = OculusSetting(0);
    TimedWork work(2000);
    work.RunIn(engine, 0, 5);
    EXPECT_EQ(work.Gaps(), (std::set<int64_t>{2000}));
}

TEST(FrameTimer, ZeroLengthFrameHasInfiniteRateAndNoClamp) {
    Clock::UseManual(0);
    FrameTimer timer;
    timer.Reset();
    timer.Tick();
    EXPECT_EQ(timer.Delta(), 0);
    EXPECT_TRUE(std::isinf(timer.Fps()));
}
