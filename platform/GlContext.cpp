// platform/GlContext.cpp
#include "platform/GlContext.h"

#include <SDL.h>
#include <dlfcn.h>
#include <link.h>

#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "platform/SdlVideo.h"

namespace zumek {
namespace {

/// Keeps the GL driver's modules loaded until the process ends. The driver is otherwise unloaded
/// when the display closes, and what it still holds then shows up in leak reports without a
/// module name, which no suppression can match.
void PinGraphicsDriver() {
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void*) {
            const char* name = info->dlpi_name;
            if (name && (std::strstr(name, "_dri.so") || std::strstr(name, "libgallium")))
                dlopen(name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
}

} // namespace

GlContext::GlContext(SDL_Window* window) : m_window(window) {
    if (!window) throw std::runtime_error("Failed to create forward compatible context!");
    // The display connection must outlive the context: closing the display under a live context
    // can leave the driver waiting for its rendering threads for ever.
    m_holdsVideo = SdlVideo::Acquire();
    static const int kVersions[][2] = {{4, 5}, {4, 3}, {4, 1}};
    std::string lastError;
    for (const auto& version : kVersions) {
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_FLAGS, SDL_GL_CONTEXT_FORWARD_COMPATIBLE_FLAG);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, version[0]);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, version[1]);
        m_context = SDL_GL_CreateContext(window);
        if (m_context) {
            m_major = version[0];
            m_minor = version[1];
            break;
        }
        lastError = SDL_GetError();
    }
    if (!m_context) {
        std::fprintf(stderr, "tovalik: no OpenGL 4.1 core context: %s\n", lastError.c_str());
        ReleaseVideo();
        throw std::runtime_error("Failed to create forward compatible context!");
    }
    if (SDL_GL_MakeCurrent(window, m_context) != 0) {
        std::fprintf(stderr, "tovalik: %s\n", SDL_GetError());
        SDL_GL_DeleteContext(m_context);
        m_context = nullptr;
        ReleaseVideo();
        throw std::runtime_error("Failed to activate forward compatible context!");
    }
    SDL_GL_SetSwapInterval(0);
    PinGraphicsDriver();
}

GlContext::~GlContext() {
    if (m_context) {
        SDL_GL_MakeCurrent(m_window, nullptr);
        SDL_GL_DeleteContext(m_context);
    }
    ReleaseVideo();
}

void GlContext::ReleaseVideo() {
    if (m_holdsVideo) SdlVideo::Release();
    m_holdsVideo = false;
}

void GlContext::Swap() { SDL_GL_SwapWindow(m_window); }

void GlContext::MakeCurrent() { SDL_GL_MakeCurrent(m_window, m_context); }

int GlContext::SetVerticalSync(bool on) {
    if (!SDL_GL_GetCurrentContext()) return 0;
    if (on && SDL_GL_SetSwapInterval(-1) == 0) return -1;
    if (on && SDL_GL_SetSwapInterval(1) == 0) return 1;
    SDL_GL_SetSwapInterval(0);
    return SDL_GL_GetSwapInterval();
}

} // namespace zumek
