// The engine log: capacity, order, pruning by age, the signal and the log file (whose lines show
// the time and text, not the level).
#include "engine/EngineLog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "engine/SignalManager.h"
#include "platform/Clock.h"

using namespace zumek;

TEST(EngineLog, KeepsTheLastHundredRecords) {
    auto& log = EngineLog::Instance();
    for (int i = 1; i <= 101; ++i) log.WriteInfo("record " + std::to_string(i));
    ASSERT_EQ(log.Records().size(), 100u);
    EXPECT_EQ(log.Records().front().text, "record 2");
    EXPECT_EQ(log.Records().back().text, "record 101");
}

namespace {
struct LogListener : SignalHandler<LogMessage> {
    LogListener() { SignalManager::Connect<LogMessage>(this); }
    void Handle(LogMessage m) override { texts.push_back(m.text); }
    std::vector<std::string> texts;
};
} // namespace

TEST(EngineLog, RecordsInTheSameMillisecondKeepTheirOrderAndEachIsAlsoASignal) {
    Clock::UseManual(50);
    LogListener listener;
    auto& log = EngineLog::Instance();
    log.WriteInfo("one");
    log.WriteError("two");
    auto it = log.Records().begin();
    EXPECT_EQ(it->text, "one");
    EXPECT_EQ((++it)->text, "two");
    EXPECT_EQ(it->level, Error);
    EXPECT_EQ(it->time, 50);
    EXPECT_EQ(listener.texts, (std::vector<std::string>{"one", "two"}));
}

TEST(EngineLog, RemoveOlderThanPrunesByTime) {
    Clock::UseManual(100);
    auto& log = EngineLog::Instance();
    log.WriteInfo("old");
    Clock::Advance(1000);
    log.WriteInfo("new");
    log.RemoveOlderThan(0);
    EXPECT_EQ(log.Records().size(), 2u);
    log.RemoveOlderThan(1100);
    ASSERT_EQ(log.Records().size(), 1u);
    EXPECT_EQ(log.Records().front().text, "new");
}

TEST(EngineLog, LogFileIsEmptiedAndGetsEveryLaterRecordAsItIsWritten) {
    auto path = std::filesystem::temp_directory_path() / ("zumek-log-" + std::to_string(::getpid()) + ".txt");
    { std::ofstream(path) << "stale contents\n"; }
    Clock::UseManual(7);
    auto& log = EngineLog::Instance();
    ASSERT_TRUE(log.SetLogFile(path.string()));
    log.WriteInfo("first");
    // Readable before the file is closed: each record is flushed as it is written.
    std::ifstream in(path);
    std::string line;
    ASSERT_TRUE(std::getline(in, line));
    EXPECT_EQ(line, "[7] first");
    log.WriteError("second");
    log.CloseLogFile();
    std::ifstream again(path);
    std::string all((std::istreambuf_iterator<char>(again)), std::istreambuf_iterator<char>());
    EXPECT_EQ(all, "[7] first\n[7] second\n");
    std::filesystem::remove(path);
}
