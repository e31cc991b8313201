// engine/FramePacer.h
#pragma once
#include <cstdint>

namespace zumek {

/// Keeps the frame loop from starting frames faster than 60 per second. Every frame advances the
/// world by one fixed physics step and runs the scripts once, so a loop that turned faster (a
/// 144 Hz display, vertical sync refused by the driver or switched off) would speed the whole
/// game up. The pacer waits, on the monotonic clock, for what is left of the 1/60 s since the
/// previous frame was due to start, so frames start at most 60 times a second, exactly 60 when
/// they are quick (a late wake-up from the wait is not added to the game's time); slower frames
/// are never held back and are not made up for later.
class FramePacer {
public:
    static constexpr int kFramesPerSecond = 60;
    static constexpr int64_t kPeriodUs = (1000000 + kFramesPerSecond - 1) / kFramesPerSecond; ///< 16667

    /// Whether a headset's runtime paces the frames: while a headset is in use (OculusSetting 0)
    /// its runtime holds each frame to the headset's own rate, and neither vertical sync nor this
    /// pacer may hold frames back. The one place that decides it.
    static bool HeadsetPacesFrames();

    /// Forgets the previous frame: the next frame starts at once.
    void Reset() { m_started = false; }
    /// Called at the start of every frame: waits until 1/60 s has passed since the start of the
    /// previous one (no wait for the first frame after a reset).
    void WaitForFrameStart();

    /// The microsecond time the last frame started at.
    int64_t LastStartUs() const { return m_lastStartUs; }

private:
    bool m_started = false;
    int64_t m_lastStartUs = 0;
};

} // namespace zumek
