// zumek_bench: measurements that print figures. Usage: zumek_bench <command> [options].
#include <cstdio>
#include <cstring>

#include "bench/BenchCommands.h"

namespace {

struct Entry {
    const char* name;
    zumek::bench::Command run;
    const char* usage;
};

// One line per sub-command.
constexpr Entry kCommands[] = {
    {"level", zumek::bench::RunLevelBench, "level [--objects N] [--runs R]: push a generated level"},
    {"render", zumek::bench::RunRenderBench, "render [--sprites N] [--lights L] [--size WxH] [--frames F] [--screenshot PNG]: frame against the G-buffer floor"},
    {"physics", zumek::bench::RunPhysicsBench, "physics [--scene resting|falling]... [--bodies N]... [--runs R]: step against Bullet's"},
    {"skinning", zumek::bench::RunSkinningBench, "skinning [--models N] [--size WxH] [--frames F] [--screenshot PNG]: animated robots against the same meshes still"},
    {"headset", zumek::bench::RunHeadsetBench, "headset [--size WxH] [--frames N] [--game PATH]: the splash through the headset simulator, two eyes against one view"},
    {"soak", zumek::bench::RunSoakBench, "soak [--frames N] [--seed S] [--switches K] [--game PATH]: random play (or K level switches) with memory, descriptors and GL objects held flat"},
    {"levels", zumek::bench::RunLevelsBench, "levels [--size WxH] [--frames N] [--game PATH]: each shipped level's replay, frame against the G-buffer floor"},
    {"import", zumek::bench::RunImportBench, "import [--runs R]: the shipped models through the import helper against Assimp in process"},
    {"lua", zumek::bench::RunLuaBench, "lua [--calls N] [--runs R]: Transform.GetPosition and Vec.Add against an empty C function"},
};

void PrintUsage() {
    std::fprintf(stderr, "usage: zumek_bench <command> [options]\n");
    for (const Entry& entry : kCommands) std::fprintf(stderr, "  %s\n", entry.usage);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage();
        return 2;
    }
    for (const Entry& entry : kCommands)
        if (std::strcmp(argv[1], entry.name) == 0) return entry.run(argc - 2, argv + 2);
    std::fprintf(stderr, "zumek_bench: unknown command %s\n", argv[1]);
    PrintUsage();
    return 2;
}
