// engine/LogMessage.h
#pragma once
#include <cstdint>
#include <string>

namespace zumek {

enum LogLevel : int32_t { Info = 0, Warning = 1, Error = 2 };

/// One record of the engine log.
struct LogMessage {
    LogLevel level = Info;
    std::string text;
    int64_t time = 0; ///< milliseconds of the engine clock when the record was made

    /// "[" time "] " text; the level is not shown.
    std::string ToDisplayString() const {
        std::string display = "[";
        display.append(std::to_string(time)).append("] ").append(text);
        return display;
    }
};

} // namespace zumek
