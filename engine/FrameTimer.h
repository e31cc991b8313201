// engine/FrameTimer.h
#pragma once
#include <cstdint>

namespace zumek {

/// The frame clock. Each tick measures the last frame on the engine clock; a frame slower than
/// 90 frames per second counts as 11 ms (the game then runs slower than real time). Frames
/// slower than the loop's pace of 60 per second (below 55, to leave room for millisecond steps
/// and display jitter) log the "Low fps!" error, at most once per 500 ms: a frame at the pace
/// itself is what the loop aims at and is not reported.
class FrameTimer {
public:
    static constexpr float kMinFps = 90.0f;
    static constexpr float kWarnBelowFps = 55.0f;
    static constexpr int kSlowFrameMs = 11;
    static constexpr int64_t kWarningIntervalMs = 500;

    static FrameTimer& Instance();

    /// Starts counting again from now.
    void Reset();
    void Tick();

    int Delta() const { return m_delta; }  ///< milliseconds of the last frame as the engine uses it
    int Frames() const { return m_frames; } ///< ticks since the last reset
    float Fps() const { return m_fps; }
    int64_t Start() const { return m_start; }

    FrameTimer();

private:
    int64_t m_last = 0;
    int64_t m_start = 0;
    int m_delta = 0;
    int64_t m_lastWarning = 0;
    int m_frames = 0;
    float m_fps = 90.0f;
};

} // namespace zumek
