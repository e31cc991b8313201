// engine/WindowSystem.cpp
#include "engine/WindowSystem.h"

#include "engine/FrameTimer.h"
#include "engine/Replay.h"
#include "engine/SettingManager.h"
#include "engine/WindowCallback.h"
#include "platform/Window.h"

namespace zumek {

WindowSystem::WindowSystem(const std::string& title, int width, int height) : System(WINDOW_SYSTEM_ID), m_title(title) {
    // The first read of a setting builds the registry: its 17 lines open the engine log.
    (void)SettingManager::GetSetting<ResolutionSetting>();
    m_window = std::make_unique<Window>(title, width, height);
    m_window->WarpCursor(m_window->ClientWidth() / 2, m_window->ClientHeight() / 2);
}

WindowSystem::~WindowSystem() = default;

void WindowSystem::Update(float, std::vector<Object*>&) {
    if (!m_window || m_shutDown) return;
    if (m_replay) {
        for (const WindowMessage& m : m_replay->MessagesFor(FrameTimer::Instance().Frames()))
            WndProc(m_window.get(), m.message, m.wParam, m.lParam);
    }
    m_pending.clear();
    m_window->PollMessages(m_pending);
    for (const WindowMessage& m : m_pending) WndProc(m_window.get(), m.message, m.wParam, m.lParam);
}

void WindowSystem::Shutdown() {
    if (!m_window || m_shutDown) return;
    m_shutDown = true;
    WndProc(m_window.get(), WM_DESTROY, 0, 0);
}

} // namespace zumek
