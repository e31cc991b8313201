// engine/EngineLog.h
#pragma once
#include <cstdint>
#include <cstdio>
#include <list>
#include <mutex>
#include <string>

#include "engine/LogMessage.h"

namespace zumek {

/// The engine log: the most recent 100 records in memory, oldest first. Every record is also
/// emitted as a LogMessage signal and, when a log file is set, appended to it as its display
/// string, one per line, as it is written.
class EngineLog {
public:
    static constexpr size_t kCapacity = 100;

    static EngineLog& Instance();

    void Write(LogLevel level, const std::string& text);
    void WriteError(const std::string& text) { Write(Error, text); }
    void WriteWarning(const std::string& text) { Write(Warning, text); }
    void WriteInfo(const std::string& text) { Write(Info, text); }

    /// Removes every record whose time is less than `time`.
    void RemoveOlderThan(int64_t time);
    void Clear();

    /// The records, oldest first. Main thread only.
    const std::list<LogMessage>& Records() const { return m_records; }

    /// Empties `path` and appends every later record to it; false when it cannot be opened.
    bool SetLogFile(const std::string& path);
    void CloseLogFile();

private:
    EngineLog() = default;

    std::recursive_mutex m_mutex;
    std::list<LogMessage> m_records;
    std::FILE* m_file = nullptr;
};

/// Reports bad input or a runtime problem: `logText` goes to the engine log at `level` (the
/// log's texts are fixed) and one line "tovalik: <logText>[: <detail>]" to standard error, so the
/// file and what is wrong reach the person running the game.
void ReportProblem(LogLevel level, const std::string& logText, const std::string& detail = {});

} // namespace zumek
