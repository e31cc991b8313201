// bench/SoakBench.cpp
// "soak": the game played for a long time by random input, its resources watched. A replay is
// generated from a seed - walking, looking, firing, the level keys (next, previous), restarts and
// Return, which takes a menu's first choice - and the game, started in level 1, plays it with a
// fixed 16 ms frame time and --stats-every 1000, which logs its resident memory, open file
// descriptors and live GL objects.
// With --switches K the replay instead switches levels K times, one switch every 24 frames.
// The run fails when memory at the end exceeds by more than 5% its value once the texture and
// shader caches are full (a tenth of the run at the earliest), when descriptors grow, when a
// sample of the run's second half holds more GL objects outside the texture and shader caches
// than one of its first half in the same place with as many live objects, and when the game ends
// before the last frame (the random play keeps away from the menus' other choices, Quit among
// them, so that should not be).
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "bench/BenchCommands.h"
#include "bench/BenchOptions.h"
#include "bench/GameChild.h"

namespace zumek::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kStatsEvery = 1000;
constexpr int kSwitchFrames = 24;
constexpr int kSwitchRun = 6;
constexpr int kWidth = 320, kHeight = 240;

struct Stats {
    long frame = 0;
    long residentKb = 0;
    int fds = 0;
    int glObjects = 0;
    int objects = 0;
    int textures = 0; ///< the run's texture and program caches, which only grow
    int programs = 0;
    int glCached = 0; ///< the GL objects those caches hold
    std::string place;
};

/// Random play: every few frames one of the player's actions, from the seed.
std::string RandomReplay(int frames, unsigned seed) {
    std::mt19937 random(seed);
    auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    std::ostringstream out;
    out << "# zumek_bench soak, seed " << seed << "\n";
    const char* walkKeys[] = {"W", "A", "S", "D"};
    int frame = 10;
    while (frame < frames - 2) {
        const int action = pick(0, 99);
        if (action < 35) { // walk for a while
            const char* key = walkKeys[pick(0, 3)];
            const int length = pick(10, 90);
            out << frame << " keydown " << key << "\n" << std::min(frame + length, frames - 1) << " keyup " << key << "\n";
        } else if (action < 57) { // look around
            out << frame << " move " << pick(0, kWidth - 1) << " " << pick(0, kHeight - 1) << "\n";
        } else if (action < 72) { // fire the beam
            const int length = pick(5, 60);
            out << frame << " ldown " << kWidth / 2 << " " << kHeight / 2 << "\n"
                << std::min(frame + length, frames - 1) << " lup " << kWidth / 2 << " " << kHeight / 2 << "\n";
        } else if (action < 80) { // take what a menu offers first (its Play, its first open level)
            out << frame << " key Return\n";
        } else if (action < 88) { // next or previous level
            out << frame << " key " << (pick(0, 2) ? "N" : "M") << "\n";
        } else if (action < 93) { // restart
            out << frame << " key F5\n";
        } else { // a short pulse
            out << frame << " key Control\n";
        }
        frame += pick(3, 40);
    }
    return out.str();
}

std::string SwitchReplay(int switches) {
    std::ostringstream out;
    out << "# zumek_bench soak --switches " << switches << "\n";
    // From level 1 (the level keys act in levels): six levels forward, six back, and again, so the
    // run stays among the levels (the place after the last is not a level) and has seen each of
    // them before a tenth of it is over.
    for (int i = 0; i < switches; ++i)
        out << 30 + i * kSwitchFrames << " key " << ((i / kSwitchRun) % 2 == 0 ? "N" : "M") << "\n";
    return out.str();
}

std::vector<Stats> ReadStats(const fs::path& log) {
    std::vector<Stats> all;
    std::ifstream file(log);
    for (std::string line; std::getline(file, line);) {
        const size_t at = line.find("stats frame=");
        if (at == std::string::npos) continue;
        Stats stats;
        if (std::sscanf(line.c_str() + at, "stats frame=%ld rss_kb=%ld fds=%d gl_objects=%d objects=%d", &stats.frame,
                        &stats.residentKb, &stats.fds, &stats.glObjects, &stats.objects) == 5) {
            const size_t caches = line.find(" textures=", at);
            if (caches != std::string::npos)
                std::sscanf(line.c_str() + caches, " textures=%d programs=%d gl_cached=%d", &stats.textures,
                            &stats.programs, &stats.glCached);
            const size_t place = line.find(" place=", at);
            if (place != std::string::npos) stats.place = line.substr(place + 7);
            all.push_back(stats);
        }
    }
    return all;
}

} // namespace

int RunSoakBench(int argc, char** argv) {
    int frames = 20000, switches = 0;
    unsigned seed = 1;
    std::string game = GameBesideBenchmark();
    if (!BenchOptions("soak", argc, argv)
             .Number("--frames", frames, kStatsEvery * 2)
             .Number("--switches", switches, 1)
             .Number("--seed", seed)
             .Text("--game", game)
             .Ok())
        return 2;
    if (switches > 0) frames = std::max(30 + switches * kSwitchFrames + kStatsEvery, 2 * kStatsEvery);
    game = fs::absolute(game).string();
    if (access(game.c_str(), X_OK) != 0) {
        std::fprintf(stderr, "soak: no game executable at %s\n", game.c_str());
        return 2;
    }
    std::string scratchPattern = (fs::temp_directory_path() / "zumek_soak.XXXXXX").string();
    if (!mkdtemp(scratchPattern.data())) return 1;
    const fs::path scratch = scratchPattern, replay = scratch / "soak.replay", log = scratch / "soak.log",
                   documents = scratch / "documents", output = scratch / "soak.out";
    fs::create_directories(documents);
    std::ofstream(replay) << (switches > 0 ? SwitchReplay(switches) : RandomReplay(frames, seed));

    // A soak watches resources, not filtering: on Mesa's software renderer anisotropic filtering
    // would make the run four times as long (as in the scenario tests; a GPU is not affected).
    setenv("MESA_EXTENSION_OVERRIDE", "-GL_EXT_texture_filter_anisotropic -GL_ARB_texture_filter_anisotropic", 0);
    const double start = NowMs();
    std::string error;
    std::vector<std::string> args = {game, "--root", ZUMEK_SOURCE_ROOT, "--documents", documents.string(), "--frame-ms", "16",
                                     "--frames", std::to_string(frames), "--size",
                                     std::to_string(kWidth) + "x" + std::to_string(kHeight), "--replay", replay.string(),
                                     "--log", log.string(), "--stats-every", std::to_string(kStatsEvery)};
    args.insert(args.end(), {"--level", "level1"});
    const int status = RunChild(args, output, 24 * 3600, error);
    const double seconds = (NowMs() - start) / 1000.0;
    const std::vector<Stats> stats = ReadStats(log);
    for (const Stats& s : stats)
        std::printf("soak frame=%ld rss_kb=%ld fds=%d gl_objects=%d objects=%d textures=%d programs=%d gl_cached=%d "
                    "place=%s\n",
                    s.frame, s.residentKb, s.fds, s.glObjects, s.objects, s.textures, s.programs, s.glCached,
                    s.place.c_str());
    if (status != 0 || stats.size() < 2) {
        std::fprintf(stderr, "soak: the game %s; its files are kept in %s\n",
                     status != 0 ? (error.empty() ? ("exited with status " + std::to_string(status)).c_str() : error.c_str())
                                 : "logged too few stats lines",
                     scratch.c_str());
        return 1;
    }
    // A run the game ended early (its menu's Quit) did not soak for the frames asked.
    if (stats.back().frame + kStatsEvery <= frames) {
        std::fprintf(stderr,
                     "soak: the game ended at about frame %ld of %d, before the last; its files are kept in %s\n",
                     stats.back().frame, frames, scratch.c_str());
        return 1;
    }
    // The reference: the first stats line from a tenth of the run on at which the texture and
    // program caches hold as many as at the end. Memory the caches take for a place seen for
    // the first time late in a random run is not a leak; what grows after they are full is.
    const Stats& last = stats.back();
    size_t tenth = 0;
    for (size_t i = 0; i < stats.size(); ++i)
        if (stats[i].frame <= frames / 10) tenth = i;
    size_t reference = tenth;
    while (reference + 1 < stats.size() &&
           (stats[reference].textures != last.textures || stats[reference].programs != last.programs))
        ++reference;
    // Caches still filling in the run's last quarter leave too little of it to judge: the
    // tenth is the reference then, as strict as a run that met nothing new.
    if (stats[reference].frame > frames * 3L / 4) reference = tenth;
    const Stats& early = stats[reference];
    const double growth = early.residentKb > 0 ? 100.0 * (last.residentKb - early.residentKb) / early.residentKb : 0.0;
    const bool memoryHolds = growth <= 5.0;
    const bool fdsHold = last.fds <= stats[tenth].fds;
    // GL objects follow the place being played (a bigger level holds more) and the texture and
    // program caches (which fill as places are first seen), so only like is compared with like: a
    // sample of the run's second half against the first-half sample of the same place with as
    // many live objects, counting the GL objects outside the caches. A leak shows as more there.
    int glLikePairs = 0, glGrowth = 0;
    for (size_t late = stats.size() / 2; late < stats.size(); ++late) {
        for (size_t before = tenth; before < stats.size() / 2; ++before) {
            const Stats& a = stats[before];
            const Stats& b = stats[late];
            if (a.place != b.place || a.objects != b.objects) continue;
            ++glLikePairs;
            glGrowth = std::max(glGrowth, (b.glObjects - b.glCached) - (a.glObjects - a.glCached));
            break;
        }
    }
    const bool glHolds = glGrowth <= 0;
    int levelsLoaded = 0;
    {
        std::ifstream file(log);
        for (std::string line; std::getline(file, line);) levelsLoaded += line.find("] Serializing Level") != std::string::npos;
    }
    std::printf("soak %s=%d frames=%d seconds=%.0f levels_loaded=%d reference_frame=%ld rss_kb_reference=%ld "
                "rss_kb_end=%ld growth_pct=%.1f fds=%d->%d gl_like_pairs=%d gl_growth=%d %s\n",
                switches > 0 ? "switches" : "seed", switches > 0 ? switches : static_cast<int>(seed), frames, seconds,
                levelsLoaded, early.frame,
                early.residentKb, last.residentKb, growth, stats[tenth].fds, last.fds, glLikePairs, glGrowth,
                memoryHolds && fdsHold && glHolds ? "HOLDS" : "GROWS");
    if (!(memoryHolds && fdsHold && glHolds)) {
        std::fprintf(stderr, "soak: resources grew; the run's files are kept in %s\n", scratch.c_str());
        return 1;
    }
    std::error_code ec;
    fs::remove_all(scratch, ec);
    return 0;
}

} // namespace zumek::bench
