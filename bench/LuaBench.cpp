// bench/LuaBench.cpp
// The cost of a library call from a Lua loop: Transform.GetPosition (pointer check, read, three
// results) and Vec.Add (two vector checks, a new vector for the collector), each against the floor
// of a registered C function that does nothing, called the same way with the same arguments. The
// figures are the medians of several runs, in nanoseconds per call.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <lua.hpp>

#include "bench/BenchCommands.h"
#include "objects/Object.h"
#include "objects/Transform.h"
#include "platform/Paths.h"
#include "scripting/ScriptingSystem.h"

namespace zumek::bench {
namespace {

int Nothing(lua_State*) { return 0; }

constexpr luaL_Reg kFloor[] = {{"Nothing", Nothing}, {nullptr, nullptr}};

/// Runs the chunk `code` (which loops `calls` times) `runs` times; the median nanoseconds per call.
double NanosecondsPerCall(lua_State* L, const std::string& code, long calls, int runs) {
    if (luaL_loadstring(L, code.c_str()) != LUA_OK) {
        std::fprintf(stderr, "zumek_bench lua: %s\n", lua_tostring(L, -1));
        std::exit(1);
    }
    std::vector<double> perCall;
    for (int run = 0; run < runs; ++run) {
        lua_pushvalue(L, -1);
        lua_pushinteger(L, calls);
        lua_gc(L, LUA_GCCOLLECT, 0);
        auto start = std::chrono::steady_clock::now();
        if (lua_pcall(L, 1, 0, 0) != LUA_OK) {
            std::fprintf(stderr, "zumek_bench lua: %s\n", lua_tostring(L, -1));
            std::exit(1);
        }
        auto elapsed = std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
        perCall.push_back(elapsed / static_cast<double>(calls));
    }
    lua_pop(L, 1);
    std::sort(perCall.begin(), perCall.end());
    return perCall[perCall.size() / 2];
}

void Report(const char* name, double ns, double floor) {
    std::printf("lua %s ns=%.1f floor_ns=%.1f ratio=%.2f\n", name, ns, floor, ns / floor);
}

} // namespace

int RunLuaBench(int argc, char** argv) {
    long calls = 5000000;
    int runs = 7;
    for (int i = 0; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--calls") == 0) calls = std::max(1L, std::atol(argv[i + 1]));
        else if (std::strcmp(argv[i], "--runs") == 0) runs = std::max(1, std::atoi(argv[i + 1]));
    }

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
    object.AddComponent(new Transform(glm::vec3(1, 2, 3), glm::vec3(1), glm::vec3(0)));
    scripting.GetLiveObjects().Add(&object);
    lua_pushlightuserdata(L, object.GetComponent<Transform>());
    lua_setglobal(L, "benchTransform");
    luaL_newlib(L, kFloor);
    lua_setglobal(L, "Bench");

    const double position = NanosecondsPerCall(
        L, "local n = ... local t = benchTransform for i = 1, n do local x, y, z = Transform.GetPosition(t) end", calls, runs);
    const double positionFloor = NanosecondsPerCall(
        L, "local n = ... local t = benchTransform for i = 1, n do local x, y, z = Bench.Nothing(t) end", calls, runs);
    const double add = NanosecondsPerCall(
        L, "local n = ... local a, b = Vec.Build(1, 2, 3), Vec.Build(4, 5, 6) for i = 1, n do local c = Vec.Add(a, b) end", calls, runs);
    const double addFloor = NanosecondsPerCall(
        L, "local n = ... local a, b = Vec.Build(1, 2, 3), Vec.Build(4, 5, 6) for i = 1, n do local c = Bench.Nothing(a, b) end", calls, runs);

    Report("Transform.GetPosition", position, positionFloor);
    Report("Vec.Add", add, addFloor);

    scripting.GetLiveObjects().Remove("bench", "bench1");
    scripting.Shutdown();
    std::error_code ec;
    std::filesystem::remove_all(scratch, ec);
    return 0;
}

} // namespace zumek::bench
