// game/Game.cpp
#include "game/Game.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

#include "engine/EngineLog.h"
#include "engine/MainEngine.h"
#include "engine/Replay.h"
#include "engine/WindowCallback.h"
#include "engine/WindowSystem.h"
#include "content/ObjectComponents.h"
#include "game/FrameTimeRecorder.h"
#include "game/HotReload.h"
#include "game/ResourceStats.h"
#include "game/InspectorWindow.h"
#include "game/ScreenshotKey.h"
#include "game/StateHash.h"
#include "graphics/GraphicsComponents.h"
#include "graphics/GraphicsEngine.h"
#include "graphics/Oculus.h"
#include "graphics/OverlayInput.h"
#include "graphics/SpeechWindow.h"
#include "input/EventPoller.h"
#include "input/InputEvents.h"
#include "input/InputSystem.h"
#include "input/MouseWin32Handler.h"
#include "objects/Object.h"
#include "objects/ObjectWorld.h"
#include "physics/GameLogicSystem.h"
#include "physics/Physics.h"
#include "physics/PhysicsComponents.h"
#include "platform/Files.h"
#include "platform/MessageBox.h"
#include "platform/Paths.h"
#include "platform/PngWriter.h"
#include "platform/Window.h"
#include "scripting/ScriptingComponents.h"
#include "scripting/ScriptingSystem.h"
#include "sound/SoundEngine.h"
#include "sound/SpeechVoice.h"

namespace zumek {

std::string ChooseResourceRoot(const std::string& rootOption, const std::string& executable) {
    namespace fs = std::filesystem;
    if (!rootOption.empty()) return fs::absolute(rootOption).lexically_normal().string();
    std::error_code ec;
    fs::path cwd = fs::current_path(ec);
    if (!ec && fs::is_directory(cwd / "resources", ec)) return cwd.string();
    // The executable's own place: /proc/self/exe, as argv[0] may be a bare name found on PATH.
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec && !executable.empty()) exe = fs::weakly_canonical(fs::path(executable), ec);
    if (!ec && !exe.empty()) {
        const fs::path prefix = exe.parent_path().parent_path();
        // A build tree or an unpacked archive: <root>/bin/tovalik beside <root>/resources.
        if (fs::is_directory(prefix / "resources", ec)) return prefix.string();
        // An installed game: <prefix>/bin/tovalik and <prefix>/share/tovalik/resources.
        if (fs::is_directory(prefix / "share" / "tovalik" / "resources", ec)) return (prefix / "share" / "tovalik").string();
    }
    return ZUMEK_SOURCE_ROOT;
}

Game::Game(const CommandLine& options, const Replay& replay, FrameTimeRecorder& frameTimes)
    : m_options(options), m_frameTimes(frameTimes) {
    // 1. The main engine: the first user of the signal registry, which creates every channel.
    m_main = std::make_unique<MainEngine>(options.level.empty() ? "splash" : options.level);
    m_main->SetFrameLimit(options.frames);
    m_main->SetFixedFrameMs(options.frameMs);

    // The component kinds the level and archetype readers and the object factory work with.
    RegisterObjectComponents();
    RegisterScriptingComponents();
    RegisterGraphicsComponents();
    RegisterPhysicsComponents();

    // 2. The window callbacks; registration order is delivery order.
    m_eventPoller = std::make_unique<EventPoller>();
    m_mouse = std::make_unique<MouseWin32Handler>();
    RegisterCallback(m_eventPoller.get());
    RegisterCallback(m_mouse.get());
    // The overlay's windows (the inspector) take the pointer too.
    RegisterCallback(&OverlayInput::Instance());
    // F1: the inspector, an overlay window over the objects of the current place and the
    // physics step's times.
    m_physics = std::make_unique<Physics>();
    m_inspector = std::make_unique<InspectorWindow>(*m_physics);

    // 3. The window, as an engine and as a system.
    m_window = &m_main->AddEngine(std::make_unique<WindowSystem>("Tovalik", options.width, options.height));
    m_window->SetReplay(&replay);
    // Runs on a fixed frame time never wait, not even for the display.
    m_window->SetVerticalSyncAllowed(options.frameMs == 0);
    // Mouse look holds the mouse in places with a player (an object tagged "player"); menus use a
    // viewer instead and keep a free cursor. The overlay's one window, the caption box, takes no
    // mouse input and shows the hint for the first seconds of every level: letting the mouse go
    // while it shows would stop the look at the window's edge just then. The inspector does take
    // the mouse: while it is open the cursor is free.
    const InspectorWindow* inspector = m_inspector.get();
    m_window->SetMouseLookTest([inspector](const std::vector<Object*>& objects) {
        return !inspector->IsOpen() && std::any_of(objects.begin(), objects.end(), [](const Object* o) { return o && o->GetTag() == "player"; });
    });
    m_main->AddSystem(m_window);

    // 4. The headset, when its runtime and a headset are there; otherwise the renderer draws to
    // the window. A headset in use sets OculusSetting to 0, and its runtime then paces the
    // frames (FramePacer::HeadsetPacesFrames): vertical sync and the loop's 60-per-second limit
    // step aside.
    m_headset = &m_main->AddEngine(std::make_unique<Oculus>());
    // 5. The renderer, as an engine and as a system; it also turns a quit request into the stop.
    m_graphics = &m_main->AddEngine(std::make_unique<GraphicsEngine>(m_window->GetWindow(), m_headset));
    m_main->AddSystem(m_graphics);

    // 6. Sound: banks and the event table load when the engines start. Without an audio device it
    // plays silently.
    m_sound = &m_main->AddEngine(std::make_unique<SoundEngine>());
    // Caption lines are read aloud by the sound engine's voice (silently when there is none).
    SpeechWindow::Instance().SetSpeaker([](const std::string& text) { SpeechVoice::SayWithCurrent(text); });

    // 7. Start the engines in list order.
    m_main->Initialize();

    // 8. Game logic joins the systems list (after window and graphics).
    m_gameLogic = std::make_unique<GameLogicSystem>();
    m_main->AddSystem(m_gameLogic.get());
    // After the renderer: the inspector's key and times, and F12's screenshot of the frame drawn.
    m_main->AddSystem(m_inspector.get());
    GraphicsEngine* graphics = m_graphics;
    m_screenshotKey = std::make_unique<ScreenshotKey>(
        Paths::GameFolder() + "/screenshots", [graphics](const std::string& path) { return graphics->WriteScreenshot(path); });
    m_main->AddSystem(m_screenshotKey.get());
    // 9. Scripting: the Lua state, the engine libraries, the start scripts, then Init.
    ScriptingSystem::Instance().Initialize();
    m_main->SetEventQueue(&InputEvents::Instance());
    // The objects and the place stack: the first frame pushes the first place.
    m_world = std::make_unique<ObjectWorld>();
    m_main->SetWorld(m_world.get());
    m_input = std::make_unique<InputSystem>();
    m_main->SetFrameSystems({m_input.get(), &ScriptingSystem::Instance(), m_physics.get()});

    // --watch: changed resource files are applied at the start of a frame, before anything runs.
    if (options.watch) {
        m_hotReload = std::make_unique<HotReload>(Paths::Resolve("resources"), Paths::GameFolder() + "/resources", m_sound);
        HotReload* hotReload = m_hotReload.get();
        m_main->SetFrameStartStep([hotReload] { hotReload->ApplyChanges(); });
    }

    // Last in the list, they see each frame whole.
    if (options.statsEvery > 0) {
        m_resourceStats = std::make_unique<ResourceStatsReporter>(options.statsEvery);
        m_main->AddSystem(m_resourceStats.get());
    }
    if (options.stateHash) {
        m_stateHash = std::make_unique<StateHashRecorder>();
        m_main->AddSystem(m_stateHash.get());
    }
    if (!options.frameTimes.empty()) m_main->AddSystem(&m_frameTimes);
}

void Game::Run() {
    // 10. The frame loop.
    m_frameTimes.Start();
    m_main->Run();
    m_frameTimes.Close();
    if (m_stateHash) std::printf("%s\n", m_stateHash->Line().c_str());
    if (!m_options.screenshot.empty()) {
        if (m_graphics->WriteScreenshot(m_options.screenshot))
            std::printf("Screenshot written to %s\n", m_options.screenshot.c_str());
    }
    // 11. Stop in order: the frame systems, then the engines.
    m_main->Shutdown();
}

Game::~Game() {
    // 12. The engines go in list order with the main engine; then the systems, then the
    // window callbacks, which no window can call any more.
    m_hotReload.reset();
    m_main.reset();
    m_window = nullptr;
    m_headset = nullptr;
    m_graphics = nullptr;
    m_sound = nullptr;
    m_world.reset();
    m_stateHash.reset();
    m_resourceStats.reset();
    m_screenshotKey.reset();
    m_inspector.reset();
    m_gameLogic.reset();
    m_physics.reset();
    m_input.reset();
    UnregisterCallback(&OverlayInput::Instance());
    UnregisterCallback(m_mouse.get());
    UnregisterCallback(m_eventPoller.get());
}

int RunGame(const CommandLine& options) {
    Replay replay;
    if (!options.replay.empty()) {
        std::string text;
        if (!ReadTextFile(options.replay, text)) {
            std::fprintf(stderr, "tovalik: cannot read the replay file %s\n", options.replay.c_str());
            return 2;
        }
        std::string error;
        if (!replay.Parse(text, error)) {
            std::fprintf(stderr, "tovalik: replay file %s, %s\n", options.replay.c_str(), error.c_str());
            return 2;
        }
    }

    FrameTimeRecorder frameTimes;
    if (!options.frameTimes.empty() && !frameTimes.Open(options.frameTimes)) {
        std::fprintf(stderr, "tovalik: --frame-times %s: the file cannot be written\n", options.frameTimes.c_str());
        return 2;
    }

    {
        Game game(options, replay, frameTimes);
        game.Run();
    }
    EngineLog::Instance().CloseLogFile();
    return 0;
}

} // namespace zumek
