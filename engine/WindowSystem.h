// engine/WindowSystem.h
#pragma once
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
/// messages of that frame, then hands every pending window-system event to the window procedure.
class WindowSystem : public System, public Engine {
public:
    /// Opens the window with `title`; a size of 0 x 0 means the screen's size. Throws when no
    /// window can be opened.
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

    Window* GetWindow() const { return m_window.get(); }
    const std::string& Title() const { return m_title; }

private:
    std::string m_title;
    std::unique_ptr<Window> m_window;
    const Replay* m_replay = nullptr;
    bool m_shutDown = false;
    std::vector<WindowMessage> m_pending;
};

} // namespace zumek
