// game/Game.h
#pragma once
#include <memory>
#include <string>

#include "engine/CommandLine.h"

namespace zumek {

class EventPoller;
class FrameTimeRecorder;
class GameLogicSystem;
class GraphicsEngine;
class HotReload;
class InputSystem;
class InspectorWindow;
class MainEngine;
class MouseWin32Handler;
class ObjectWorld;
class Oculus;
class Physics;
class Replay;
class ResourceStatsReporter;
class ScreenshotKey;
class SoundEngine;
class StateHashRecorder;
class WindowSystem;

/// The running game: every engine and system of a run, built in start order by the constructor
/// and gone with the object. The main engine owns the engines (window, headset, renderer,
/// sound) and deletes them in list order; the game owns the main engine, the systems and the
/// window callbacks, which it unregisters before they go. The process-wide services the scripts'
/// libraries reach (the scripting system, the input store, the overlay, the caption window, the
/// object and place managers, the content providers, settings, signals and the log) are not
/// the game's: they are there before it and after it.
class Game {
public:
    /// Builds and starts the engines; `replay` (parsed) and `frameTimes` (opened, or closed when
    /// no times are wanted) outlive the game.
    Game(const CommandLine& options, const Replay& replay, FrameTimeRecorder& frameTimes);
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    /// Runs the frame loop until the stop, then writes what the options ask for (state hash,
    /// screenshot) and stops the engines in order.
    void Run();

private:
    const CommandLine& m_options;
    FrameTimeRecorder& m_frameTimes;
    std::unique_ptr<MainEngine> m_main;
    // The window callbacks, in delivery order.
    std::unique_ptr<EventPoller> m_eventPoller;
    std::unique_ptr<MouseWin32Handler> m_mouse;
    // The engines, owned by m_main.
    WindowSystem* m_window = nullptr;
    Oculus* m_headset = nullptr;
    GraphicsEngine* m_graphics = nullptr;
    SoundEngine* m_sound = nullptr;
    // The frame systems and the systems list, in the order they run.
    std::unique_ptr<InputSystem> m_input;
    std::unique_ptr<Physics> m_physics;
    std::unique_ptr<GameLogicSystem> m_gameLogic;
    std::unique_ptr<InspectorWindow> m_inspector;
    std::unique_ptr<ScreenshotKey> m_screenshotKey;
    std::unique_ptr<ResourceStatsReporter> m_resourceStats;
    std::unique_ptr<StateHashRecorder> m_stateHash;
    std::unique_ptr<ObjectWorld> m_world;
    std::unique_ptr<HotReload> m_hotReload;
};

/// Reads the replay and opens the frame-times file the options name, then builds the game,
/// runs it and stops it. Returns the process exit status.
int RunGame(const CommandLine& options);

/// Chooses the resource root: `--root`, else the working directory when it has resources/,
/// else the folder above the executable when that has one, else the tree the game was built from.
std::string ChooseResourceRoot(const std::string& rootOption, const std::string& executable);

} // namespace zumek
