// platform/Window.h
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/MessageTranslation.h"
#include "platform/WindowMessages.h"

struct SDL_Window;

namespace zumek {

/// The game's one window (SDL2, OpenGL-capable). Its events come out as window messages.
///
/// By default it is a borderless full-screen window covering the display the cursor is on, at
/// the desktop's own video mode; Alt+Return switches between that and a normal window (three
/// quarters of the display, centred), handled here and never passed on as a key. With a size
/// given it opens as a normal, resizable window of that client size.
class Window {
public:
    /// Opens and shows a window with `title`: a normal window whose client area is `width` x
    /// `height`, or, for 0 x 0, the full-screen window. Throws std::runtime_error when no
    /// window can be made (no display, no video driver).
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

    /// Full screen (borderless, the desktop's mode) or a normal window; true when the window is
    /// in the asked mode afterwards.
    bool SetFullScreen(bool fullScreen);
    bool IsFullScreen() const;
    /// What Alt+Return does.
    void ToggleFullScreen() { SetFullScreen(!IsFullScreen()); }

    /// Holds the mouse for mouse look (relative mode: cursor hidden and kept in the window,
    /// motion reported as relative steps and turned into accumulated positions) or lets it go
    /// (free, visible cursor). Returns whether the mouse is held afterwards: the window system
    /// may refuse, and the cursor then stays free.
    bool SetMouseCaptured(bool captured);
    bool IsMouseCaptured() const { return m_captured.active; }

    /// Whether the window has the keyboard focus now.
    bool HasInputFocus() const;

    /// The SDL window, for the GL context of the graphics engine.
    SDL_Window* Handle() const { return m_window; }

    /// The screen's size in pixels; false when there is no display.
    static bool ScreenSize(int& width, int& height);

private:
    SDL_Window* m_window = nullptr;
    CapturedMouse m_captured;
};

} // namespace zumek
