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

    // 1. The main engine: the first user of the signal registry, which creates every channel.
    auto mainEngine = std::make_unique<MainEngine>(options.level.empty() ? "splash" : options.level);
    mainEngine->SetFrameLimit(options.frames);
    mainEngine->SetFixedFrameMs(options.frameMs);

    // The component kinds the level and archetype readers and the object factory work with.
    RegisterObjectComponents();
    RegisterScriptingComponents();
    RegisterGraphicsComponents();
    RegisterPhysicsComponents();

    // 2. The window callbacks; registration order is delivery order.
    static EventPoller eventPoller;
    static MouseWin32Handler mouseHandler;
    RegisterCallback(&eventPoller);
    RegisterCallback(&mouseHandler);
    // The overlay's windows (the inspector) take the pointer too.
    RegisterCallback(&OverlayInput::Instance());
    // F1: the inspector, an overlay window over the objects of the current place.
    static InspectorWindow inspector;

    // 3. The window, as an engine and as a system.
    auto* window = new WindowSystem("Tovalik", options.width, options.height);
    window->SetReplay(&replay);
    // Runs on a fixed frame time never wait, not even for the display.
    window->SetVerticalSyncAllowed(options.frameMs == 0);
    // Mouse look holds the mouse in places with a player (an object tagged "player"); menus use a
    // viewer instead and keep a free cursor. The overlay's one window, the caption box, takes no
    // mouse input and shows the hint for the first seconds of every level: letting the mouse go
    // while it shows would stop the look at the window's edge just then. The inspector does take
    // the mouse: while it is open the cursor is free.
    window->SetMouseLookTest([](const std::vector<Object*>& objects) {
        return !inspector.IsOpen() && std::any_of(objects.begin(), objects.end(), [](const Object* o) { return o && o->GetTag() == "player"; });
    });
    mainEngine->AddEngine(window);
    mainEngine->AddSystem(window);

    // 4. The headset, when its runtime and a headset are there; otherwise the renderer draws to
    // the window. A headset in use sets OculusSetting to 0, and its runtime then paces the
    // frames (FramePacer::HeadsetPacesFrames): vertical sync and the loop's 60-per-second limit
    // step aside.
    auto* headset = new Oculus();
    mainEngine->AddEngine(headset);
    // 5. The renderer, as an engine and as a system; it also turns a quit request into the stop.
    auto* graphics = new GraphicsEngine(window->GetWindow(), headset);
    mainEngine->AddEngine(graphics);
    mainEngine->AddSystem(graphics);

    // 6. Sound: banks and the event table load when the engines start. Without an audio device it
    // plays silently.
    auto* sound = new SoundEngine();
    mainEngine->AddEngine(sound);
    // Caption lines are read aloud by the sound engine's voice (silently when there is none).
    SpeechWindow::Instance().SetSpeaker([](const std::string& text) { SpeechVoice::SayWithCurrent(text); });

    // 7. Start the engines in list order.
    mainEngine->Initialize();

    // 8. Game logic joins the systems list (after window and graphics); the physics system is
    // built before scripting, whose libraries reach it.
    static GameLogicSystem gameLogic;
    mainEngine->AddSystem(&gameLogic);
    // After the renderer: the inspector's key and times, and F12's screenshot of the frame drawn.
    mainEngine->AddSystem(&inspector);
    static ScreenshotKey screenshotKey(Paths::GameFolder() + "/screenshots",
                                       [graphics](const std::string& path) { return graphics->WriteScreenshot(path); });
    mainEngine->AddSystem(&screenshotKey);
    Physics::Instance();
    // 9. Scripting: the Lua state, the engine libraries, the start scripts, then Init.
    ScriptingSystem::Instance().Initialize();
    mainEngine->SetEventQueue(&InputEvents::Instance());
    // The objects and the place stack: the first frame pushes the first place.
    static ObjectWorld world;
    mainEngine->SetWorld(&world);
    mainEngine->SetFrameSystems({&InputSystem::Instance(), &ScriptingSystem::Instance(), &Physics::Instance()});

    // --watch: changed resource files are applied at the start of a frame, before anything runs.
    std::unique_ptr<HotReload> hotReload;
    if (options.watch) {
        hotReload = std::make_unique<HotReload>(Paths::Resolve("resources"), Paths::GameFolder() + "/resources", sound);
        mainEngine->SetFrameStartStep([&hotReload] { hotReload->ApplyChanges(); });
    }

    // Last in the list, they see each frame whole.
    ResourceStatsReporter resourceStats(options.statsEvery);
    if (options.statsEvery > 0) mainEngine->AddSystem(&resourceStats);
    StateHashRecorder stateHash;
    if (options.stateHash) mainEngine->AddSystem(&stateHash);
    if (!options.frameTimes.empty()) mainEngine->AddSystem(&frameTimes);

    // 10. The frame loop.
    frameTimes.Start();
    mainEngine->Run();
    frameTimes.Close();
    if (options.stateHash) std::printf("%s\n", stateHash.Line().c_str());
    if (!options.screenshot.empty()) {
        if (graphics->WriteScreenshot(options.screenshot))
            std::printf("Screenshot written to %s\n", options.screenshot.c_str());
    }

    // 11-12. Stop in order and delete the engines.
    mainEngine->Shutdown();
    mainEngine.reset();
    EngineLog::Instance().CloseLogFile();
    return 0;
}

} // namespace zumek
