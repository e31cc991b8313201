// platform/GlContext.h
#pragma once
#include <string>

struct SDL_Window;

namespace zumek {

/// The OpenGL core-profile context of the game window. Creation tries the newest version first
/// (4.5, then 4.3, then 4.1), always forward compatible; the context is current on the calling
/// thread from construction on. It starts without vertical sync (swap interval 0); the window
/// system switches vertical sync on for the game's frames (SetVerticalSync).
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

    /// Vertical sync for the GL context current on this thread: on asks for adaptive sync
    /// (swap interval -1: a late frame is shown at once instead of waiting a whole refresh)
    /// and, where the driver does not offer it, for plain vertical sync (1); off sets 0.
    /// Returns the swap interval now in effect (0 also when there is no current context).
    static int SetVerticalSync(bool on);

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
