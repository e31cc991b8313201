// bench/HeadsetBench.cpp
// "headset": the shipped splash drawn by the game through the headset simulator (two eyes of
// --size each, plus the mirror into a window of that size) against the same game drawing the
// splash once into a window of the eye's size. Both are runs of the game executable with a fixed
// 16 ms frame time, timed frame by frame with --frame-times; the two kinds of run alternate, so a
// change of load on the machine weighs on both. The goal: two eyes cost at most 2.1 times one view.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/BenchCommands.h"
#include "bench/BenchOptions.h"
#include "bench/GameChild.h"

namespace zumek::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kTimeoutS = 600;
constexpr int kWarmUpFrames = 20; ///< start-up frames left out of the figures
constexpr int kRounds = 2;

/// One run of the splash; its frame wall times (warm-up left out) are added to `ms`.
bool RunSplash(const std::string& game, const fs::path& scratch, const std::string& name, int width, int height,
               int frames, std::vector<double>& ms, std::string& error) {
    const fs::path documents = scratch / "documents", times = scratch / (name + ".frames"),
                   log = scratch / (name + ".log"), output = scratch / (name + ".out");
    std::error_code ec;
    fs::create_directories(documents, ec);
    const std::vector<std::string> args = {game, "--root", ZUMEK_SOURCE_ROOT, "--documents", documents.string(),
                                           "--frame-ms", "16", "--frames", std::to_string(frames),
                                           "--size", std::to_string(width) + "x" + std::to_string(height),
                                           "--log", log.string(), "--frame-times", times.string()};
    const int status = RunChild(args, output, kTimeoutS, error);
    if (status != 0) {
        if (error.empty()) error = "the game exited with status " + std::to_string(status) + " (see " + output.string() + ")";
        return false;
    }
    std::ifstream file(times);
    std::string line;
    for (int frame = 0; std::getline(file, line); ++frame)
        if (frame >= kWarmUpFrames) ms.push_back(std::atof(line.c_str()));
    if (ms.empty()) error = "no frame times in " + times.string();
    return !ms.empty();
}

bool LogSays(const fs::path& log, const std::string& text) {
    std::ifstream file(log);
    for (std::string line; std::getline(file, line);)
        if (line.find(text) != std::string::npos) return true;
    return false;
}

} // namespace

int RunHeadsetBench(int argc, char** argv) {
    int width = 1280, height = 720, frames = 150;
    std::string game = GameBesideBenchmark();
    if (!BenchOptions("headset", argc, argv)
             .Number("--frames", frames, kWarmUpFrames + 1)
             .Size("--size", width, height)
             .Text("--game", game)
             .Ok())
        return 2;
    game = fs::absolute(game).string();
    const fs::path simulator = fs::path(game).parent_path() / "headset-simulator";
    if (access(game.c_str(), X_OK) != 0 || !fs::exists(simulator / "libOVRRT64_0_7.so")) {
        std::fprintf(stderr, "headset: no game or headset simulator beside %s (build tovalik and headset_simulator)\n",
                     game.c_str());
        return 2;
    }
    std::string scratchPattern = (fs::temp_directory_path() / "zumek_headset.XXXXXX").string();
    if (!mkdtemp(scratchPattern.data())) {
        std::fprintf(stderr, "headset: cannot make a scratch folder\n");
        return 1;
    }
    const fs::path scratch = scratchPattern;

    // Both kinds of run draw the same textures; on Mesa's software renderer anisotropic filtering
    // would make each frame four times as long and hide what two eyes cost (a GPU is not affected).
    setenv("MESA_EXTENSION_OVERRIDE", "-GL_EXT_texture_filter_anisotropic -GL_ARB_texture_filter_anisotropic", 0);
    std::vector<double> headsetMs, singleMs;
    std::string error;
    bool ok = true;
    for (int round = 0; round < kRounds && ok; ++round) {
        const std::string headsetRun = "headset" + std::to_string(round);
        setenv("LIBOVR_DLL_DIR", simulator.c_str(), 1);
        setenv("HEADSET_SIM_RESOLUTION", (std::to_string(2 * width) + "x" + std::to_string(height)).c_str(), 1);
        ok = RunSplash(game, scratch, headsetRun, width, height, frames, headsetMs, error);
        unsetenv("LIBOVR_DLL_DIR");
        unsetenv("HEADSET_SIM_RESOLUTION");
        if (ok && !LogSays(scratch / (headsetRun + ".log"), "headset: ")) {
            error = "the game did not use the simulated headset (see " + (scratch / (headsetRun + ".log")).string() + ")";
            ok = false;
        }
        ok = ok && RunSplash(game, scratch, "single" + std::to_string(round), width, height, frames, singleMs, error);
    }
    if (!ok) {
        std::fprintf(stderr, "headset: %s; the runs' files are kept in %s\n", error.c_str(), scratch.c_str());
        return 1;
    }
    const double headset = Median(headsetMs), single = Median(singleMs);
    std::printf("headset eye=%dx%d frame_ms=%.3f single_ms=%.3f ratio=%.2f frames=%zu\n", width, height, headset, single,
                single > 0 ? headset / single : 0.0, headsetMs.size());
    std::error_code ec;
    fs::remove_all(scratch, ec);
    return 0;
}

} // namespace zumek::bench
