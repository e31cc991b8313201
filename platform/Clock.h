// platform/Clock.h
#pragma once
#include <cstdint>

namespace zumek {

/// The engine's millisecond clock: a monotonic count since the process started, never processor
/// time. Frame timing and log record times read it. For deterministic runs and tests it can be
/// switched to a manual clock that moves only when told to.
class Clock {
public:
    /// Milliseconds since process start (or the manual clock's value).
    static int64_t NowMs();

    /// Switches to the manual clock, starting at `startMs`; it stays there until `Advance`.
    static void UseManual(int64_t startMs = 0);
    /// Returns to the real monotonic clock.
    static void UseReal();
    static bool IsManual();
    /// Moves the manual clock forward by `ms` milliseconds (no effect on the real clock).
    static void Advance(int64_t ms);
};

} // namespace zumek
