// scripting/ScriptProblems.cpp
#include "scripting/ScriptProblems.h"

#include "engine/EngineLog.h"

namespace zumek {

ScriptProblems& ScriptProblems::Instance() {
    static ScriptProblems* instance = new ScriptProblems();
    return *instance;
}

bool ScriptProblems::Report(LogLevel level, const std::string& logText, const std::string& detail) {
    std::string key = logText;
    key += '\n';
    key += detail;
    if (m_seen.count(key)) {
        ++m_repeats;
        return false;
    }
    if (m_seen.size() >= kMaxDistinct) {
        if (m_seen.size() == kMaxDistinct) {
            m_seen.insert(std::string()); // marks the notice as given
            ReportProblem(Warning, "Too many script problems", "later ones are counted, not shown");
        }
        ++m_repeats;
        return false;
    }
    m_seen.insert(std::move(key));
    ++m_written;
    ReportProblem(level, logText, detail);
    return true;
}

void ScriptProblems::Forget() {
    m_seen.clear();
    m_written = 0;
    m_repeats = 0;
}

} // namespace zumek
