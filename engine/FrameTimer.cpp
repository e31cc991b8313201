// engine/FrameTimer.cpp
#include "engine/FrameTimer.h"

#include <limits>
#include <sstream>

#include "engine/EngineLog.h"
#include "platform/Clock.h"

namespace zumek {

FrameTimer& FrameTimer::Instance() {
    static FrameTimer instance;
    return instance;
}

FrameTimer::FrameTimer() {
    int64_t now = Clock::NowMs();
    m_last = m_start = m_lastWarning = now;
}

void FrameTimer::Reset() {
    m_frames = 0;
    m_delta = 0;
    m_fps = 0.0f;
    int64_t now = Clock::NowMs();
    m_last = m_start = m_lastWarning = now;
}

void FrameTimer::Tick() {
    ++m_frames;
    int64_t now = Clock::NowMs();
    m_delta = static_cast<int>(now - m_last);
    m_last = now;
    m_fps = m_delta == 0 ? std::numeric_limits<float>::infinity() : 1000.0f / static_cast<float>(m_delta);
    if (m_fps < kMinFps) {
        if (m_fps < kWarnBelowFps && m_lastWarning + kWarningIntervalMs < now) {
            std::ostringstream text;
            text << "Low fps! (fps = " << m_fps << ")";
            EngineLog::Instance().WriteError(text.str());
            m_lastWarning = now;
        }
        m_delta = kSlowFrameMs;
    }
}

} // namespace zumek
