// platform/Clock.h
#pragma once
#include <cstdint>

namespace zumek {

/// The engine's clock: a monotonic count since the process started, never processor time.
/// Frame timing and log record times read it in milliseconds; the frame pacing reads and waits
/// on it in microseconds. For deterministic runs and tests it can be switched to a manual clock
/// that moves only when told to (advancing, or "waiting", which then just moves it on).
class Clock {
public:
    /// Milliseconds since process start (or the manual clock's value).
    static int64_t NowMs();
    /// Microseconds since process start (or the manual clock's value).
    static int64_t NowUs();

    /// Waits until NowUs() reaches `us` (returns at once when it already has). On the manual
    /// clock this moves the clock to `us` instead of sleeping.
    static void WaitUntilUs(int64_t us);

    /// Switches to the manual clock, starting at `startMs`; it stays there until `Advance`.
    static void UseManual(int64_t startMs = 0);
    /// Returns to the real monotonic clock.
    static void UseReal();
    static bool IsManual();
    /// Moves the manual clock forward by `ms` milliseconds (no effect on the real clock).
    static void Advance(int64_t ms);
    /// Moves the manual clock forward by `us` microseconds (no effect on the real clock).
    static void AdvanceUs(int64_t us);
};

} // namespace zumek
