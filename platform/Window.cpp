// platform/Window.cpp
#include "platform/Window.h"

#include <SDL.h>

#include <stdexcept>

#include "platform/SdlVideo.h"

namespace zumek {
namespace {

/// The display the cursor is on (0 when that cannot be told).
int CurrentDisplay() {
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    SDL_Point cursor{x, y};
    for (int i = 0; i < SDL_GetNumVideoDisplays(); ++i) {
        SDL_Rect bounds;
        if (SDL_GetDisplayBounds(i, &bounds) == 0 && SDL_PointInRect(&cursor, &bounds)) return i;
    }
    return 0;
}

bool IsAltReturn(const SDL_Event& event) {
    return event.type == SDL_KEYDOWN && (event.key.keysym.sym == SDLK_RETURN || event.key.keysym.sym == SDLK_KP_ENTER) &&
           (event.key.keysym.mod & KMOD_ALT) != 0;
}

} // namespace

bool Window::ScreenSize(int& width, int& height) {
    if (!SdlVideo::Acquire()) return false;
    SDL_DisplayMode mode;
    bool ok = SDL_GetDesktopDisplayMode(CurrentDisplay(), &mode) == 0;
    if (ok) {
        width = mode.w;
        height = mode.h;
    }
    SdlVideo::Release();
    return ok;
}

Window::Window(const std::string& title, int width, int height) {
    if (!SdlVideo::Acquire())
        throw std::runtime_error(std::string("Could not open a window: ") + SDL_GetError());
    // Leaving the window (Alt+Tab, another display) must not minimise a full-screen game.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    const bool fullScreen = width <= 0 || height <= 0;
    const int display = CurrentDisplay();
    // The size the window takes when Alt+Return makes a full-screen window a normal one.
    int windowedWidth = width, windowedHeight = height;
    if (fullScreen) {
        SDL_DisplayMode mode;
        if (SDL_GetDesktopDisplayMode(display, &mode) == 0) {
            // A full-screen window is made the display's size from the start: without a window
            // manager (a bare X server) nobody would resize it, and the game would draw into a
            // window smaller than the size it was told.
            width = mode.w;
            height = mode.h;
        } else {
            width = 1024;
            height = 768;
        }
        windowedWidth = width * 3 / 4;
        windowedHeight = height * 3 / 4;
    }
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_SHOWN;
    if (fullScreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    m_window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                                SDL_WINDOWPOS_CENTERED_DISPLAY(display), width, height, flags);
    if (!m_window) {
        std::string error = SDL_GetError();
        SdlVideo::Release();
        throw std::runtime_error("Could not open a window: " + error);
    }
    // For a full-screen window this only records the normal window's size.
    if (fullScreen) SDL_SetWindowSize(m_window, windowedWidth, windowedHeight);
}

Window::~Window() {
    if (m_window) {
        if (m_captured.active) SDL_SetRelativeMouseMode(SDL_FALSE);
        SDL_DestroyWindow(m_window);
    }
    SdlVideo::Release();
}

void Window::PollMessages(std::vector<WindowMessage>& out) {
    if (m_captured.active) {
        // Clicks land at the centre of the window as it is now (it may have been resized).
        m_captured.clickX = ClientWidth() / 2;
        m_captured.clickY = ClientHeight() / 2;
    }
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (IsAltReturn(event)) {
            if (!event.key.repeat) ToggleFullScreen();
            continue;
        }
        TranslateSdlEvent(event, out, &m_captured);
    }
}

int Window::ClientWidth() const {
    int w = 0, h = 0;
    SDL_GL_GetDrawableSize(m_window, &w, &h);
    if (w == 0) SDL_GetWindowSize(m_window, &w, &h);
    return w;
}

int Window::ClientHeight() const {
    int w = 0, h = 0;
    SDL_GL_GetDrawableSize(m_window, &w, &h);
    if (h == 0) SDL_GetWindowSize(m_window, &w, &h);
    return h;
}

void Window::WarpCursor(int x, int y) { SDL_WarpMouseInWindow(m_window, x, y); }

void Window::ShowCursor(bool visible) { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }

bool Window::SetFullScreen(bool fullScreen) {
    SDL_SetWindowFullscreen(m_window, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    return IsFullScreen() == fullScreen;
}

bool Window::IsFullScreen() const {
    return (SDL_GetWindowFlags(m_window) & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN_DESKTOP;
}

bool Window::SetMouseCaptured(bool captured) {
    if (captured == m_captured.active) return m_captured.active;
    if (captured) {
        // Accumulate from where the cursor is, so the first step continues from the position
        // the window procedure saw last.
        int x = 0, y = 0;
        SDL_GetMouseState(&x, &y);
        if (SDL_SetRelativeMouseMode(SDL_TRUE) != 0) return false;
        m_captured.active = true;
        m_captured.x = x & 0xFFFF;
        m_captured.y = y & 0xFFFF;
    } else {
        SDL_SetRelativeMouseMode(SDL_FALSE);
        SDL_ShowCursor(SDL_ENABLE);
        m_captured.active = false;
    }
    return m_captured.active;
}

bool Window::HasInputFocus() const { return (SDL_GetWindowFlags(m_window) & SDL_WINDOW_INPUT_FOCUS) != 0; }

} // namespace zumek
