// bench/LevelsBench.cpp
// "levels": every shipped level played from its replay by the real game, frame by frame, against
// the bare G-buffer floor (as in "render") for as many cubes as the level draws objects.
//
// The game keeps process-wide singletons (settings, objects, places, the one Lua state) and its
// start-up is once per process, so each level runs in a child process: the game executable with
// --level, --replay, a fixed 16 ms frame time (the replay then plays as it was recorded),
// --frames and --size, writing each frame's wall-clock time with --frame-times and its log with
// --log into a scratch folder. The floor is drawn in this process, after each level, at the same
// size; the game and the floor alternate level by level, so a change of load on the machine
// weighs on both.
#include <GL/glew.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "bench/BenchCommands.h"
#include "bench/BenchOptions.h"
#include "bench/GameChild.h"
#include "bench/GBufferFloor.h"
#include "engine/SettingManager.h"
#include "graphics/GraphicsEngine.h"
#include "platform/Paths.h"
#include "platform/Window.h"

namespace zumek::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kFrameMs = 16;          ///< the replays' frame time
constexpr int kWarmUpFloors = 5;      ///< floor frames drawn before the measured ones
constexpr int kGameTimeoutS = 900;    ///< a level's run taking longer than this is stopped

/// What one level's run of the game left behind.
struct LevelRun {
    std::vector<double> wallMs;      ///< per frame
    std::vector<int> drawn;          ///< objects drawn, per frame
    std::vector<long long> clockMs;  ///< engine clock at each frame's end
    int solvedFrame = -1;            ///< first frame (from 0) whose log says "completed", or -1
    double solvedSeconds = -1.0;     ///< the game seconds the log line states, or -1
    std::string error;               ///< why the run gave no figures (empty when it did)
};

/// The shipped levels, resources/levels/level<number>.xml, in the order of their numbers.
std::vector<std::string> ShippedLevels(const fs::path& root) {
    std::vector<std::pair<long, std::string>> found;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(root / "resources" / "levels", ec)) {
        std::string stem = entry.path().stem().string();
        if (entry.path().extension() != ".xml" || stem.size() <= 5 || stem.compare(0, 5, "level") != 0) continue;
        std::string number = stem.substr(5);
        if (!std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; })) continue;
        found.emplace_back(std::strtol(number.c_str(), nullptr, 10), stem);
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> names;
    for (const auto& [number, name] : found) names.push_back(name);
    return names;
}

/// Reads the --frame-times file and the log of a run into `run`.
void ReadRun(const fs::path& times, const fs::path& log, const std::string& level, LevelRun& run) {
    std::ifstream timesFile(times);
    double wall = 0;
    int drawn = 0;
    long long clock = 0;
    while (timesFile >> wall >> drawn >> clock) {
        run.wallMs.push_back(wall);
        run.drawn.push_back(drawn);
        run.clockMs.push_back(clock);
    }
    // "[<engine ms>] Level <name> completed in <seconds> s", written by the level's script.
    std::ifstream logFile(log);
    const std::string marker = "] Level " + level + " completed in ";
    for (std::string line; std::getline(logFile, line);) {
        size_t at = line.find(marker);
        if (line.empty() || line[0] != '[' || at == std::string::npos) continue;
        long long when = std::atoll(line.c_str() + 1);
        run.solvedSeconds = std::atof(line.c_str() + at + marker.size());
        auto frame = std::lower_bound(run.clockMs.begin(), run.clockMs.end(), when);
        run.solvedFrame = frame == run.clockMs.end() ? -1 : static_cast<int>(frame - run.clockMs.begin());
        break;
    }
}

LevelRun PlayLevel(const std::string& game, const fs::path& root, const fs::path& scratch, const std::string& level,
                   int width, int height, int frames) {
    LevelRun run;
    const fs::path documents = scratch / ("documents_" + level);
    std::error_code ec;
    fs::create_directories(documents, ec);
    const fs::path times = scratch / (level + ".frames"), log = scratch / (level + ".log"),
                   output = scratch / (level + ".out");
    std::vector<std::string> args = {game, "--root", root.string(), "--documents", documents.string(),
                                     "--level", level, "--frame-ms", std::to_string(kFrameMs),
                                     "--frames", std::to_string(frames),
                                     "--size", std::to_string(width) + "x" + std::to_string(height),
                                     "--log", log.string(), "--frame-times", times.string()};
    const fs::path replay = root / "resources" / "replays" / (level + ".replay");
    if (fs::exists(replay, ec)) {
        args.push_back("--replay");
        args.push_back(replay.string());
    }
    int status = RunChild(args, output, kGameTimeoutS, run.error);
    if (status > 0) run.error = "the game exited with status " + std::to_string(status) + " (see " + output.string() + ")";
    if (!run.error.empty()) return run;
    ReadRun(times, log, level, run);
    if (run.wallMs.empty()) run.error = "the game wrote no frame times (see " + output.string() + ")";
    return run;
}

/// The median wall time of `frames` floor frames for `sprites` cubes.
double MeasureFloor(GBufferFloor& floor, const glm::mat4& viewProjection, int sprites, int frames) {
    const std::vector<glm::mat4> models = GBufferFloor::GridModels(sprites);
    std::vector<double> ms;
    for (int f = 0; f < frames + kWarmUpFloors; ++f) {
        double start = NowMs();
        floor.Draw(viewProjection, models);
        glFinish();
        if (f >= kWarmUpFloors) ms.push_back(NowMs() - start);
    }
    return Median(ms);
}

} // namespace

int RunLevelsBench(int argc, char** argv) {
    int width = 1280, height = 720, frames = 300;
    std::string game = GameBesideBenchmark();
    if (!BenchOptions("levels", argc, argv)
             .Number("--frames", frames, 1)
             .Size("--size", width, height)
             .Text("--game", game)
             .Ok())
        return 2;
    game = fs::absolute(game).string();
    if (access(game.c_str(), X_OK) != 0) {
        std::fprintf(stderr, "levels: no game executable at %s (build the tovalik target, or give --game)\n",
                     game.c_str());
        return 2;
    }
    const fs::path root = ZUMEK_SOURCE_ROOT;
    const std::vector<std::string> levels = ShippedLevels(root);
    if (levels.empty()) {
        std::fprintf(stderr, "levels: no level*.xml in %s\n", (root / "resources" / "levels").c_str());
        return 1;
    }
    std::string scratchPattern = (fs::temp_directory_path() / "zumek_levels.XXXXXX").string();
    if (!mkdtemp(scratchPattern.data())) {
        std::fprintf(stderr, "levels: cannot make a scratch folder in %s\n", fs::temp_directory_path().c_str());
        return 1;
    }
    const fs::path scratch = scratchPattern;

    Paths::SetResourceRoot(root.string());
    Window window("zumek_bench levels", width, height);
    GraphicsEngine engine(&window, nullptr);
    engine.Initialize();
    const glm::mat4 viewProjection = SettingManager::GetSetting<CameraSetting*>()->projection * GBufferFloor::View();
    auto floor = std::make_unique<GBufferFloor>(window, width, height);

    double worst = 0.0;
    std::string worstLevel;
    bool failed = false;
    for (const std::string& level : levels) {
        LevelRun run = PlayLevel(game, root, scratch, level, width, height, frames);
        if (!run.error.empty()) {
            std::fprintf(stderr, "levels: %s: %s\n", level.c_str(), run.error.c_str());
            std::printf("level name=%s error=no-figures\n", level.c_str());
            std::fflush(stdout);
            failed = true;
            continue;
        }
        const int sprites = Median(run.drawn);
        const double frame = Median(run.wallMs);
        const double bare = MeasureFloor(*floor, viewProjection, sprites, frames);
        const double ratio = bare > 0 ? frame / bare : 0.0;
        if (ratio > worst || worstLevel.empty()) {
            worst = ratio;
            worstLevel = level;
        }
        std::printf("level name=%s frame_ms=%.3f floor_ms=%.3f ratio=%.2f sprites=%d frames=%zu solved_frame=%d "
                    "solved_s=%.1f\n",
                    level.c_str(), frame, bare, ratio, sprites, run.wallMs.size(), run.solvedFrame,
                    run.solvedSeconds);
        std::fflush(stdout);
    }
    floor.reset();
    engine.Shutdown();
    std::printf("levels worst_ratio=%.2f worst=%s size=%dx%d frames=%d\n", worst, worstLevel.c_str(), width, height,
                frames);
    if (failed) {
        std::fprintf(stderr, "levels: the runs' files are kept in %s\n", scratch.c_str());
        return 1;
    }
    std::error_code ec;
    fs::remove_all(scratch, ec);
    return 0;
}

} // namespace zumek::bench
