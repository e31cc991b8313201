// engine/EngineLog.cpp
#include "engine/EngineLog.h"

#include "engine/SignalManager.h"
#include "platform/Clock.h"

namespace zumek {

EngineLog& EngineLog::Instance() {
    static EngineLog* instance = new EngineLog();
    return *instance;
}

void EngineLog::Write(LogLevel level, const std::string& text) {
    std::lock_guard<std::recursive_mutex> guard(m_mutex);
    LogMessage record{level, text, Clock::NowMs()};
    m_records.push_back(record);
    if (m_file) {
        std::string line = record.ToDisplayString();
        line.push_back('\n');
        std::fwrite(line.data(), 1, line.size(), m_file);
        std::fflush(m_file);
    }
    SignalManager::Emit(LogMessage{level, text, Clock::NowMs()});
    while (m_records.size() > kCapacity) m_records.pop_front();
}

void EngineLog::RemoveOlderThan(int64_t time) {
    std::lock_guard<std::recursive_mutex> guard(m_mutex);
    m_records.remove_if([time](const LogMessage& m) { return m.time < time; });
}

void EngineLog::Clear() {
    std::lock_guard<std::recursive_mutex> guard(m_mutex);
    m_records.clear();
}

bool EngineLog::SetLogFile(const std::string& path) {
    std::lock_guard<std::recursive_mutex> guard(m_mutex);
    CloseLogFile();
    m_file = std::fopen(path.c_str(), "w");
    return m_file != nullptr;
}

void EngineLog::CloseLogFile() {
    std::lock_guard<std::recursive_mutex> guard(m_mutex);
    if (m_file) std::fclose(m_file);
    m_file = nullptr;
}

void ReportProblem(LogLevel level, const std::string& logText, const std::string& detail) {
    EngineLog::Instance().Write(level, logText);
    if (detail.empty()) std::fprintf(stderr, "tovalik: %s\n", logText.c_str());
    else std::fprintf(stderr, "tovalik: %s: %s\n", logText.c_str(), detail.c_str());
    std::fflush(stderr);
}

} // namespace zumek
