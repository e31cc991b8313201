// platform/GlContext.h
#pragma once
#include <string>

struct SDL_Window;

namespace zumek {

/// The OpenGL core-profile context of the game window. Creation tries the newest version first
/// (4.5, then 4.3, then 4.1), always forward compatible; the context is current on the calling
/// thread from construction on. Swapping presents the back buffer without waiting for the
/// display (swap interval 0): the frame loop is paced by presenting, not by vertical sync.
class GlContext {
public:
    /// Creates the context on `window` (made with SDL_WINDOW_OPENGL). Throws std::runtime_error
    /// "Failed to create forward compatible context!" (with SDL's reason on standard error)
    /// when no version can be had.
    explicit GlContext(SDL_Window* window);
    ~GlContext();
    GlContext(const GlContext&) = delete;
    GlContext& operator=(const GlContext&) = delete;

    /// Presents the back buffer.
    void Swap();
    /// Makes the context current again (after another context was used).
    void MakeCurrent();

    int Major() const { return m_major; }
    int Minor() const { return m_minor; }

private:
    void ReleaseVideo();

    SDL_Window* m_window = nullptr;
    bool m_holdsVideo = false;
    void* m_context = nullptr;
    int m_major = 0;
    int m_minor = 0;
};

} // namespace zumek
