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

/// Destroys another receiver, or deletes itself (when made with new), from inside its handler.
struct Destroyer : SignalHandler<LoadLevelSignal> {
    Destroyer(std::vector<std::string>& seen, bool self) : m_seen(seen), m_self(self) {
        SignalManager::Connect<LoadLevelSignal>(this);
    }
    void Handle(LoadLevelSignal) override {
        m_seen.push_back(m_self ? "self" : "destroyer");
        if (m_self) delete this;
        else victim.reset();
    }
    std::vector<std::string>& m_seen;
    bool m_self;
    std::unique_ptr<Recorder> victim;
};

/// Emits on its own channel once from inside its handler (the channel lock is re-entrant).
struct Echo : SignalHandler<LoadLevelSignal> {
    Echo() { SignalManager::Connect<LoadLevelSignal>(this); }
    void Handle(LoadLevelSignal s) override {
        names.push_back(s.name);
        if (s.name == "first") SignalManager::Emit(LoadLevelSignal{"second"});
    }
    std::vector<std::string> names;
};

struct ResolutionReceiver : SignalHandler<ResolutionSetting> {
    void Handle(ResolutionSetting) override { ++calls; }
    int calls = 0;
};

LogMessage LastLog() {
    const auto& records = EngineLog::Instance().Records();
    return records.empty() ? LogMessage{} : records.back();
}

} // namespace

TEST(SignalManager, DeliversInConnectionOrderWithACopyEachAndTwiceToATwiceConnected) {
    std::vector<std::string> seen;
    Recorder a("a", seen), b("b", seen);
    SignalManager::Emit(LoadLevelSignal{"level1"});
    EXPECT_EQ(seen, (std::vector<std::string>{"a:level1", "b:level1"}));
    SignalManager::Connect<LoadLevelSignal>(&a);
    SignalManager::Emit(LoadLevelSignal{"x"});
    EXPECT_EQ(seen, (std::vector<std::string>{"a:level1", "b:level1", "a:x", "b:x", "a:x"}));
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

TEST(SignalManager, ReceiversDestroyedDuringDeliveryAreSkippedAndTheRestStillHear) {
    std::vector<std::string> seen;
    new Destroyer(seen, true); // deletes itself while being called
    Destroyer destroyer(seen, false);
    destroyer.victim = std::make_unique<Recorder>("victim", seen);
    Recorder after("after", seen);
    SignalManager::Emit(LoadLevelSignal{"x"});
    EXPECT_EQ(seen, (std::vector<std::string>{"self", "destroyer", "after:x"}));
    seen.clear();
    SignalManager::Emit(LoadLevelSignal{"y"});
    EXPECT_EQ(seen, (std::vector<std::string>{"destroyer", "after:y"}));
}

TEST(SignalManager, HandlerMayEmitOnItsOwnChannel) {
    Echo echo;
    SignalManager::Emit(LoadLevelSignal{"first"});
    EXPECT_EQ(echo.names, (std::vector<std::string>{"first", "second"}));
}

TEST(SignalManager, ATypeWithoutChannelIsAnErrorToEmitOrConnectAndCallsNothing) {
    SignalManager::Emit(DebugDrawSetting(1));
    EXPECT_EQ(LastLog().text, "Missing channel for enum zumek::DebugDrawSetting");
    EXPECT_EQ(LastLog().level, Error);
    ResolutionReceiver receiver;
    SignalManager::Connect<ResolutionSetting>(&receiver);
    EXPECT_EQ(LastLog().text, "Missing channel for class zumek::ResolutionSetting");
    SignalManager::Emit(ResolutionSetting{1, 2});
    EXPECT_EQ(receiver.calls, 0);
}

TEST(SignalManager, SecondCreationKeepsTheFirstChannelAndWarns) {
    std::vector<std::string> seen;
    Recorder a("a", seen);
    SignalManager::Instance().CreateChannel<LoadLevelSignal>();
    EXPECT_EQ(LastLog().text, "Channel for class zumek::LoadLevelSignal has already been created");
    EXPECT_EQ(LastLog().level, Warning);
    SignalManager::Emit(LoadLevelSignal{"still"});
    EXPECT_EQ(seen, (std::vector<std::string>{"a:still"}));
}
