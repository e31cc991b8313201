// tests/graphics/LogLines.h
#pragma once
#include <string>

#include "engine/EngineLog.h"

namespace zumek::test {

/// How many engine log records contain `text`.
inline int CountLogLines(const std::string& text) {
    int count = 0;
    for (const LogMessage& record : EngineLog::Instance().Records())
        if (record.text.find(text) != std::string::npos) ++count;
    return count;
}

} // namespace zumek::test
