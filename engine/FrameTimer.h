// engine/FrameTimer.h
#pragma once
#include <cstdint>

namespace zumek {

/// The frame clock. Each tick measures the last frame on the engine clock; a frame slower than
/// 90 frames per second counts as 11 ms (the game then runs slower than real time), and the
/// "Low fps!" error is logged at most once per 500 ms.
class FrameTimer {
public:
    static constexpr float kMinFps = 90.0f;
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
