// engine/WindowSystem.h
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "engine/System.h"
#include "platform/WindowMessages.h"

namespace zumek {

class Replay;
class Window;

/// The game's window and its message pump. Each frame's Update first injects the replayed
/// messages of that frame, then hands every pending window-system event to the window procedure,
/// then settles how the window presents and holds the mouse:
/// - vertical sync is on for the game's frames, off for fixed-frame-time runs and while a headset
///   paces the frames (FramePacer::HeadsetPacesFrames);
/// - the mouse is held for mouse look (hidden cursor, relative motion) while the window has the
///   focus and the mouse-look test passes for the current place's objects; otherwise the cursor
///   is free. Losing the focus lets the mouse go and pauses nothing.
class WindowSystem : public System, public Engine {
public:
    /// Whether the current place wants mouse look, given its live objects.
    using MouseLookTest = std::function<bool(const std::vector<Object*>& objects)>;

    /// Opens the window with `title`; a size of 0 x 0 means a full-screen window on the current
    /// display. Throws when no window can be opened.
    WindowSystem(const std::string& title, int width = 0, int height = 0);
    ~WindowSystem() override;

    void Update(float dt, std::vector<Object*>& objects) override;
    /// Sends WM_DESTROY through the window procedure. The window itself closes when the system
    /// is deleted, after every engine has shut down: the renderer still releases its GL
    /// resources on it.
    void Shutdown() override;

    void Initialize() override {}
    void Update() override {}

    /// Replayed input to inject; not owned. The frame number is the frame clock's.
    void SetReplay(const Replay* replay) { m_replay = replay; }
    /// Whether vertical sync may be used at all (not for runs on a fixed frame time, which
    /// never wait). Allowed by default.
    void SetVerticalSyncAllowed(bool allowed) { m_vsyncAllowed = allowed; }
    /// The mouse-look test; without one the mouse is never held.
    void SetMouseLookTest(MouseLookTest test) { m_mouseLook = std::move(test); }

    /// Whether the window has the keyboard focus, as its focus messages last said.
    bool HasFocus() const { return m_focused; }
    /// The swap interval set for the game's frames (-1 adaptive sync, 1 vertical sync, 0 none).
    int SwapInterval() const { return m_swapInterval; }

    Window* GetWindow() const { return m_window.get(); }
    const std::string& Title() const { return m_title; }

private:
    void Dispatch(const WindowMessage& m);
    void ApplyVerticalSync();
    void ApplyMouseCapture(const std::vector<Object*>& objects);

    std::string m_title;
    std::unique_ptr<Window> m_window;
    const Replay* m_replay = nullptr;
    bool m_shutDown = false;
    bool m_focused = false;
    bool m_captureRefused = false;
    bool m_vsyncAllowed = true;
    int m_vsyncApplied = -2; ///< the last vertical-sync wish applied: 0 off, 1 on, -2 none yet
    int m_swapInterval = 0;
    MouseLookTest m_mouseLook;
    std::vector<WindowMessage> m_pending;
};

} // namespace zumek
