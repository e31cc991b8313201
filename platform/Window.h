// platform/Window.h
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/WindowMessages.h"

struct SDL_Window;

namespace zumek {

/// The game's one window (SDL2, OpenGL-capable). Its events come out as window messages.
class Window {
public:
    /// Opens and shows a window with `title` whose client area is `width` x `height`; a size of
    /// 0 x 0 means the size of the screen. Throws std::runtime_error when no window can be made
    /// (no display, no video driver).
    Window(const std::string& title, int width, int height);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    /// Moves every pending event of the window system into `out` as window messages; never blocks.
    void PollMessages(std::vector<WindowMessage>& out);

    /// The drawable size in pixels.
    int ClientWidth() const;
    int ClientHeight() const;

    /// Moves the cursor to a point of the client area.
    void WarpCursor(int x, int y);
    void ShowCursor(bool visible);

    /// The SDL window, for the GL context of the graphics engine.
    SDL_Window* Handle() const { return m_window; }

    /// The screen's size in pixels; false when there is no display.
    static bool ScreenSize(int& width, int& height);

private:
    SDL_Window* m_window = nullptr;
};

} // namespace zumek
