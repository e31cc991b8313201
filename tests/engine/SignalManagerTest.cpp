// Signal channels: delivery order, disconnection (also during delivery), re-entrant emits and
// the registry's messages.
#include "engine/SignalManager.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/EngineLog.h"

using namespace zumek;

namespace {

/// Records what it receives into a shared list, tagged with its name.
struct Recorder : SignalHandler<LoadLevelSignal> {
    Recorder(std::string name, std::vector<std::string>& seen) : m_name(std::move(name)), m_seen(seen) {
        SignalManager::Connect<LoadLevelSignal>(this);
    }
    void Handle(LoadLevelSignal s) override { m_seen.push_back(m_name + ":" + s.name); }
    std::string m_name;
    std::vector<std::string>& m_seen;
};

std::string LastLogText() {
    const auto& records = EngineLog::Instance().Records();
    return records.empty() ? "" : records.back().text;
}

} // namespace

TEST(SignalManager, DeliversInConnectionOrderWithACopyEach) {
    std::vector<std::string> seen;
    Recorder a("a", seen), b("b", seen);
    SignalManager::Emit(LoadLevelSignal{"level1"});
    EXPECT_EQ(seen, (std::vector<std::string>{"a:level1", "b:level1"}));
}

TEST(SignalManager, ConnectingTwiceDeliversTwice) {
    std::vector<std::string> seen;
    Recorder a("a", seen);
    SignalManager::Connect<LoadLevelSignal>(&a);
    SignalManager::Emit(LoadLevelSignal{"x"});
    EXPECT_EQ(seen.size(), 2u);
}

TEST(SignalManager, DestroyedReceiverIsNeverCalledAgain) {
    std::vector<std::string> seen;
    auto a = std::make_unique<Recorder>("a", seen);
    Recorder b("b", seen);
    a.reset();
    SignalManager::Emit(LoadLevelSignal{"x"});
    EXPECT_EQ(seen, (std::vector<std::string>{"b:x"}));
    EXPECT_EQ(SignalManager::Instance().ReceiverCount<LoadLevelSignal>(), 1u);
}

namespace {
/// Destroys another receiver (or itself) from inside its handler.
struct Destroyer : SignalHandler<LoadLevelSignal> {
    explicit Destroyer(std::vector<std::string>& seen) : m_seen(seen) { SignalManager::Connect<LoadLevelSignal>(this); }
    void Handle(LoadLevelSignal) override {
        m_seen.push_back("destroyer");
        victim.reset();
    }
    std::vector<std::string>& m_seen;
    std::unique_ptr<Recorder> victim;
};
} // namespace

TEST(SignalManager, ReceiverDestroyedDuringDeliveryIsSkippedAndTheRestStillHear) {
    std::vector<std::string> seen;
    Destroyer destroyer(seen);
    destroyer.victim = std::make_unique<Recorder>("victim", seen);
    Recorder after("after", seen);
    SignalManager::Emit(LoadLevelSignal{"x"});
    EXPECT_EQ(seen, (std::vector<std::string>{"destroyer", "after:x"}));
    seen.clear();
    SignalManager::Emit(LoadLevelSignal{"y"});
    EXPECT_EQ(seen, (std::vector<std::string>{"destroyer", "after:y"}));
}

namespace {
/// Deletes itself while being called.
struct SelfDestroyer : SignalHandler<LoadLevelSignal> {
    explicit SelfDestroyer(std::vector<std::string>& seen) : m_seen(seen) { SignalManager::Connect<LoadLevelSignal>(this); }
    void Handle(LoadLevelSignal) override {
        m_seen.push_back("self");
        delete this;
    }
    std::vector<std::string>& m_seen;
};
} // namespace

TEST(SignalManager, ReceiverDeletingItselfDoesNotBreakDelivery) {
    std::vector<std::string> seen;
    new SelfDestroyer(seen);
    Recorder after("after", seen);
    SignalManager::Emit(LoadLevelSignal{"x"});
    SignalManager::Emit(LoadLevelSignal{"y"});
    EXPECT_EQ(seen, (std::vector<std::string>{"self", "after:x", "after:y"}));
}

namespace {
/// Emits on its own channel once from inside its handler (the channel lock is re-entrant).
struct Echo : SignalHandler<LoadLevelSignal> {
    Echo() { SignalManager::Connect<LoadLevelSignal>(this); }
    void Handle(LoadLevelSignal s) override {
        names.push_back(s.name);
        if (s.name == "first") SignalManager::Emit(LoadLevelSignal{"second"});
    }
    std::vector<std::string> names;
};
} // namespace

TEST(SignalManager, HandlerMayEmitOnItsOwnChannel) {
    Echo echo;
    SignalManager::Emit(LoadLevelSignal{"first"});
    EXPECT_EQ(echo.names, (std::vector<std::string>{"first", "second"}));
}

TEST(SignalManager, EmittingATypeWithoutChannelLogsAndCallsNothing) {
    SignalManager::Emit(DebugDrawSetting(1));
    EXPECT_EQ(LastLogText(), "Missing channel for enum zumek::DebugDrawSetting");
    EXPECT_EQ(EngineLog::Instance().Records().back().level, Error);
}

namespace {
struct ResolutionReceiver : SignalHandler<ResolutionSetting> {
    void Handle(ResolutionSetting) override { ++calls; }
    int calls = 0;
};
} // namespace

TEST(SignalManager, ConnectingToAMissingChannelLogsAndConnectsNothing) {
    ResolutionReceiver receiver;
    SignalManager::Connect<ResolutionSetting>(&receiver);
    EXPECT_EQ(LastLogText(), "Missing channel for class zumek::ResolutionSetting");
    SignalManager::Emit(ResolutionSetting{1, 2});
    EXPECT_EQ(receiver.calls, 0);
}

TEST(SignalManager, SecondCreationKeepsTheFirstChannelAndWarns) {
    std::vector<std::string> seen;
    Recorder a("a", seen);
    SignalManager::Instance().CreateChannel<LoadLevelSignal>();
    EXPECT_EQ(LastLogText(), "Channel for class zumek::LoadLevelSignal has already been created");
    EXPECT_EQ(EngineLog::Instance().Records().back().level, Warning);
    SignalManager::Emit(LoadLevelSignal{"still"});
    EXPECT_EQ(seen, (std::vector<std::string>{"a:still"}));
}
