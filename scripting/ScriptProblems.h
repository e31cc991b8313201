// scripting/ScriptProblems.h
#pragma once
#include <cstddef>
#include <string>
#include <unordered_set>

#include "engine/LogMessage.h"

namespace zumek {

/// Reports what goes wrong on the script side: a script file that fails to load or run, a call
/// into Lua that fails, a library function given an argument it cannot use. Each problem reaches
/// the engine log (`logText`) and standard error (`logText` with the Lua message and traceback)
/// once; an exact repeat, such as a script failing the same way every frame, is only counted, so
/// the game keeps running with a readable log.
class ScriptProblems {
public:
    /// After this many distinct problems, later ones are only counted.
    static constexpr size_t kMaxDistinct = 4096;

    static ScriptProblems& Instance();

    /// Reports the problem unless the same text and detail were reported before; true when it
    /// was written.
    bool Report(LogLevel level, const std::string& logText, const std::string& detail);

    /// Problems written so far, and repeats that were only counted.
    size_t Written() const { return m_written; }
    size_t Repeats() const { return m_repeats; }
    /// Forgets what was reported (every problem is written again once).
    void Forget();

private:
    ScriptProblems() = default;

    std::unordered_set<std::string> m_seen;
    size_t m_written = 0;
    size_t m_repeats = 0;
};

} // namespace zumek
