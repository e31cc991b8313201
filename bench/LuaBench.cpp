// bench/LuaBench.cpp
// The cost of a library call from a Lua loop: Transform.GetPosition (pointer check, read, three
// results) and Vec.Add (two vector checks, a new vector for the collector), each against the floor
// of a registered C function that does nothing, called the same way with the same arguments. The
// figures are medians of several alternating runs, in nanoseconds of CPU time per call.
#include <algorithm>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <lua.hpp>

#include "bench/BenchCommands.h"
#include "bench/BenchOptions.h"
#include "objects/Object.h"
#include "objects/Transform.h"
#include "platform/Paths.h"
#include "scripting/ScriptingSystem.h"

namespace zumek::bench {
namespace {

int Nothing(lua_State*) { return 0; }

constexpr luaL_Reg kFloor[] = {{"Nothing", Nothing}, {nullptr, nullptr}};

/// Compiles `code`, a chunk that loops over its argument; exits on a syntax error.
void Load(lua_State* L, const std::string& code) {
    if (luaL_loadstring(L, code.c_str()) != LUA_OK) {
        std::fprintf(stderr, "zumek_bench lua: %s\n", lua_tostring(L, -1));
        std::exit(1);
    }
}

/// The CPU time of this thread in nanoseconds: time the machine spends on other processes (the
/// benchmark shares it with builds) does not count.
double ThreadNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

/// Runs the compiled chunk at `index` with `calls`; CPU nanoseconds per call.
double TimeRun(lua_State* L, int index, long calls) {
    lua_pushvalue(L, index);
    lua_pushinteger(L, calls);
    lua_gc(L, LUA_GCCOLLECT, 0);
    const double start = ThreadNanoseconds();
    if (lua_pcall(L, 1, 0, 0) != LUA_OK) {
        std::fprintf(stderr, "zumek_bench lua: %s\n", lua_tostring(L, -1));
        std::exit(1);
    }
    return (ThreadNanoseconds() - start) / static_cast<double>(calls);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

/// Times `code` and its `floor` in alternating runs, so a machine busy with other work slows both
/// alike, and prints the medians of the times and of the per-run ratios.
void Compare(lua_State* L, const char* name, const std::string& code, const std::string& floor, long calls, int runs) {
    Load(L, code);
    Load(L, floor);
    std::vector<double> measured, floors, ratios;
    for (int run = 0; run < runs; ++run) {
        floors.push_back(TimeRun(L, -1, calls));
        measured.push_back(TimeRun(L, -2, calls));
        ratios.push_back(measured.back() / floors.back());
    }
    lua_pop(L, 2);
    std::printf("lua %s ns=%.1f floor_ns=%.1f ratio=%.2f\n", name, Median(measured), Median(floors), Median(ratios));
}

} // namespace

int RunLuaBench(int argc, char** argv) {
    long calls = 5000000;
    int runs = 7;
    if (!BenchOptions("lua", argc, argv).Number("--calls", calls, 1L).Number("--runs", runs, 1).Ok()) return 2;

    // The shipped start scripts; an empty documents folder, so no user copy interferes.
    std::filesystem::path scratch = std::filesystem::temp_directory_path() / "zumek-lua-bench";
    std::filesystem::create_directories(scratch);
    Paths::SetResourceRoot(ZUMEK_SOURCE_ROOT);
    Paths::SetDocumentsFolder(scratch.string());
    ScriptingSystem& scripting = ScriptingSystem::Instance();
    scripting.Initialize();
    lua_State* L = scripting.GetState();

    // One live object with a transform, known to the libraries as a created object would be.
    Object object("bench1", "bench", "bench", "");
    object.AddComponent(std::make_unique<Transform>(glm::vec3(1, 2, 3), glm::vec3(1), glm::vec3(0)));
    scripting.GetLiveObjects().Add(&object);
    lua_pushlightuserdata(L, object.GetComponent<Transform>());
    lua_setglobal(L, "benchTransform");
    luaL_newlib(L, kFloor);
    lua_setglobal(L, "Bench");

    Compare(L, "Transform.GetPosition",
            "local n = ... local t = benchTransform for i = 1, n do local x, y, z = Transform.GetPosition(t) end",
            "local n = ... local t = benchTransform for i = 1, n do local x, y, z = Bench.Nothing(t) end", calls, runs);
    Compare(L, "Vec.Add",
            "local n = ... local a, b = Vec.Build(1, 2, 3), Vec.Build(4, 5, 6) for i = 1, n do local c = Vec.Add(a, b) end",
            "local n = ... local a, b = Vec.Build(1, 2, 3), Vec.Build(4, 5, 6) for i = 1, n do local c = Bench.Nothing(a, b) end",
            calls, runs);

    scripting.GetLiveObjects().Remove("bench", "bench1");
    scripting.Shutdown();
    std::error_code ec;
    std::filesystem::remove_all(scratch, ec);
    return 0;
}

} // namespace zumek::bench
