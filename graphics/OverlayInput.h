// graphics/OverlayInput.h
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "engine/WindowCallback.h"

namespace zumek {

/// The overlay's windows besides the caption, and the pointer they read. Windows are added by
/// their owner (game/ adds the inspector), drawn in every overlay frame in which they are open,
/// and removed when their owner goes.
struct OverlayWindow {
    const void* owner = nullptr; ///< who added it (RemoveWindowsOf)
    std::function<bool()> isOpen;
    /// Draws with ImGui calls; `width` x `height` is the window's client size in pixels.
    std::function<void(int width, int height)> draw;
};

/// Keeps the window's pointer messages for the overlay until its next frame, so the overlay's
/// windows can be clicked and dragged. A press and release between two frames still counts as
/// a click: the press is shown for one frame.
class OverlayInput final : public WindowCallback {
public:
    static OverlayInput& Instance();

    void OnMessage(Window* window, uint32_t message, uint64_t wParam, int64_t lParam) override;

    /// Hands the pointer to the current ImGui context (before its NewFrame).
    void Feed();

    void AddWindow(OverlayWindow window) { m_windows.push_back(std::move(window)); }
    void RemoveWindowsOf(const void* owner) { std::erase_if(m_windows, [owner](const OverlayWindow& w) { return w.owner == owner; }); }
    bool AnyWindowOpen() const;
    /// Draws every open window into the current ImGui frame.
    void DrawWindows(int width, int height) const;

private:
    OverlayInput() = default;

    float m_x = -1.0f, m_y = -1.0f; ///< client pixels; -1: not over the window
    bool m_down[2] = {false, false};    ///< left, right
    bool m_pressed[2] = {false, false}; ///< pressed since the last Feed
    std::vector<OverlayWindow> m_windows;
};

} // namespace zumek
