// graphics/OverlayInput.cpp
#include "graphics/OverlayInput.h"

#include <imgui.h>

#include "platform/WindowMessages.h"

namespace zumek {

OverlayInput& OverlayInput::Instance() {
    static OverlayInput input;
    return input;
}

void OverlayInput::OnMessage(Window*, uint32_t message, uint64_t, int64_t lParam) {
    auto press = [this](int button, bool down) {
        m_down[button] = down;
        if (down) m_pressed[button] = true;
    };
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        m_x = static_cast<float>(LowWord(lParam));
        m_y = static_cast<float>(HighWord(lParam));
        break;
    case WM_KILLFOCUS:
        m_down[0] = m_down[1] = false;
        return;
    default: return;
    }
    if (message == WM_LBUTTONDOWN) press(0, true);
    else if (message == WM_LBUTTONUP) press(0, false);
    else if (message == WM_RBUTTONDOWN) press(1, true);
    else if (message == WM_RBUTTONUP) press(1, false);
}

void OverlayInput::Feed() {
    ImGuiIO& io = ImGui::GetIO();
    io.MousePos = m_x < 0.0f ? ImVec2(-FLT_MAX, -FLT_MAX) : ImVec2(m_x, m_y);
    for (int i = 0; i < 2; ++i) {
        io.MouseDown[i] = m_down[i] || m_pressed[i];
        m_pressed[i] = false;
    }
}

bool OverlayInput::AnyWindowOpen() const {
    for (const OverlayWindow& window : m_windows)
        if (window.isOpen && window.isOpen()) return true;
    return false;
}

void OverlayInput::DrawWindows(int width, int height) const {
    for (const OverlayWindow& window : m_windows)
        if (window.isOpen && window.isOpen() && window.draw) window.draw(width, height);
}

} // namespace zumek
