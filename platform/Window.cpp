// platform/Window.cpp
#include "platform/Window.h"

#include <SDL.h>

#include <stdexcept>

#include "platform/MessageTranslation.h"
#include "platform/SdlVideo.h"

namespace zumek {

bool Window::ScreenSize(int& width, int& height) {
    if (!SdlVideo::Acquire()) return false;
    SDL_DisplayMode mode;
    bool ok = SDL_GetDesktopDisplayMode(0, &mode) == 0;
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
    if (width <= 0 || height <= 0) {
        SDL_DisplayMode mode;
        if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
            width = mode.w;
            height = mode.h;
        } else {
            width = 1024;
            height = 768;
        }
    }
    m_window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height,
                                SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_SHOWN);
    if (!m_window) {
        std::string error = SDL_GetError();
        SdlVideo::Release();
        throw std::runtime_error("Could not open a window: " + error);
    }
}

Window::~Window() {
    if (m_window) SDL_DestroyWindow(m_window);
    SdlVideo::Release();
}

void Window::PollMessages(std::vector<WindowMessage>& out) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) TranslateSdlEvent(event, out);
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

} // namespace zumek
