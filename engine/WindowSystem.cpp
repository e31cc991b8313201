// engine/WindowSystem.cpp
#include "engine/WindowSystem.h"

#include "engine/FramePacer.h"
#include "engine/FrameTimer.h"
#include "engine/Replay.h"
#include "engine/SettingManager.h"
#include "engine/WindowCallback.h"
#include "platform/GlContext.h"
#include "platform/Window.h"

namespace zumek {

WindowSystem::WindowSystem(const std::string& title, int width, int height) : System(WINDOW_SYSTEM_ID), m_title(title) {
    // The first read of a setting builds the registry: its 17 lines open the engine log.
    (void)SettingManager::GetSetting<ResolutionSetting>();
    m_window = std::make_unique<Window>(title, width, height);
    m_window->WarpCursor(m_window->ClientWidth() / 2, m_window->ClientHeight() / 2);
    // Later changes arrive as focus messages.
    m_focused = m_window->HasInputFocus();
}

WindowSystem::~WindowSystem() = default;

void WindowSystem::Dispatch(const WindowMessage& m) {
    if (m.message == WM_SETFOCUS) m_focused = true;
    else if (m.message == WM_KILLFOCUS) m_focused = false;
    WndProc(m_window.get(), m.message, m.wParam, m.lParam);
}

void WindowSystem::Update(float, std::vector<Object*>& objects) {
    if (!m_window || m_shutDown) return;
    if (m_replay) {
        for (const WindowMessage& m : m_replay->MessagesFor(FrameTimer::Instance().Frames())) Dispatch(m);
    }
    m_pending.clear();
    m_window->PollMessages(m_pending);
    for (const WindowMessage& m : m_pending) Dispatch(m);
    ApplyVerticalSync();
    ApplyMouseCapture(objects);
}

void WindowSystem::ApplyVerticalSync() {
    // The renderer's context is made when the engines start, before the first frame: the swap
    // interval belongs to it, so it is set here rather than when the window opens.
    int wanted = m_vsyncAllowed && !FramePacer::HeadsetPacesFrames() ? 1 : 0;
    if (wanted == m_vsyncApplied) return;
    m_vsyncApplied = wanted;
    m_swapInterval = GlContext::SetVerticalSync(wanted == 1);
}

void WindowSystem::ApplyMouseCapture(const std::vector<Object*>& objects) {
    bool wanted = m_focused && m_mouseLook && m_mouseLook(objects);
    if (!wanted) {
        m_captureRefused = false;
        if (!m_window->IsMouseCaptured()) return;
        m_window->SetMouseCaptured(false);
        // A menu shows its cursor in the middle of the window; a window that lost the focus
        // leaves the pointer where the player put it.
        if (m_focused) m_window->WarpCursor(m_window->ClientWidth() / 2, m_window->ClientHeight() / 2);
        return;
    }
    // A window system that refuses once is asked again only when focus or place change.
    if (m_window->IsMouseCaptured() || m_captureRefused) return;
    m_captureRefused = !m_window->SetMouseCaptured(true);
}

void WindowSystem::Shutdown() {
    if (!m_window || m_shutDown) return;
    m_shutDown = true;
    if (m_window->IsMouseCaptured()) m_window->SetMouseCaptured(false);
    WndProc(m_window.get(), WM_DESTROY, 0, 0);
}

} // namespace zumek
