// engine/FramePacer.cpp
#include "engine/FramePacer.h"

#include "engine/SettingManager.h"
#include "platform/Clock.h"

namespace zumek {

bool FramePacer::HeadsetPacesFrames() { return SettingManager::GetSetting<OculusSetting>() == 0; }

void FramePacer::WaitForFrameStart() {
    int64_t now = Clock::NowUs();
    if (m_started) {
        int64_t due = m_lastStartUs + kPeriodUs;
        if (now < due) {
            Clock::WaitUntilUs(due);
            // Count from when the frame was due, not from when the sleep ended: the time the
            // system takes to wake us must not add up over the frames and slow the game down.
            now = due;
        }
    }
    m_lastStartUs = now;
    m_started = true;
}

} // namespace zumek
