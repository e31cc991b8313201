// fuzzers/LuaBoundaryFuzzer.cpp
// The boundary between scripts and the engine: the input is read as a sequence of calls of the
// engine's Lua library functions, each with arguments of every kind - nil, booleans, numbers
// (huge, negative, NaN), strings, tables, vectors, functions, live pointers to objects and their
// components, a pointer to an object already destroyed, and pointers of the wrong class - made
// against a small live world: a place with a crate that has a body, a sprite and a transform, a
// light and the shipped scripts running. Every call must return (with a log line when it is
// refused); none may crash the engine. Calls are bytes: library, function, argument count, then
// one byte per argument choosing from the palette.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <lua.hpp>

#include "engine/SettingManager.h"
#include "engine/SignalManager.h"
#include "fuzzers/ComponentKinds.h"
#include "fuzzers/FuzzSupport.h"
#include "objects/ObjectManager.h"
#include "objects/PlaceManager.h"
#include "platform/Paths.h"
#include "scripting/ScriptingSystem.h"
#include "scripting/libraries/EngineLibraries.h"

namespace {

namespace fs = std::filesystem;
using namespace zumek;

constexpr int kMaxCalls = 64;
constexpr int kMaxArguments = 6;
constexpr size_t kMaxObjects = 64;

/// Each library's functions, sorted by name, so a byte always means the same function.
std::vector<std::pair<std::string, std::vector<std::string>>> g_functions;

void CopyShipped(const char* folder) {
    const fs::path to = fs::path(Paths::ResourceRoot()) / folder;
    fs::create_directories(to);
    for (const auto& entry : fs::directory_iterator(fs::path(ZUMEK_SOURCE_ROOT) / folder))
        fs::copy_file(entry.path(), to / entry.path().filename(), fs::copy_options::overwrite_existing);
}

void RunChunk(lua_State* L, const char* code) {
    if (luaL_loadstring(L, code) == LUA_OK) lua_pcall(L, 0, 0, 0);
    lua_settop(L, 0);
}

/// The world: a place of its own with a crate and a lamp, and the palette's pointers to them.
void BuildWorld(lua_State* L) {
    ObjectManager::Instance().DestroyAllObjects();
    PlaceManager::Instance().Push("fuzzworld");
    std::vector<Object*> objects = ObjectManager::Instance().GetObjects();
    ScriptingSystem::Instance().Update(0.01f, objects);
    // A pointer to an object destroyed at once: stale from the first call on.
    RunChunk(L, "ObjectManager.CreateObject('cube', 'gone')");
    RunChunk(L, R"(
        local crate = ObjectManager.GetObject('crate')
        local lamp = ObjectManager.GetObject('lamp')
        local gone = ObjectManager.GetObject('gone')
        FuzzPalette = {
            false, true, 0, -1, 1, 0.5, 1e300, -1e300, 0/0, math.maxinteger, math.mininteger,
            '', 'crate', 'lamp', 'gone', 'splash', 'level1', string.rep('x', 300), '../../etc/passwd',
            {}, {1, 2, 3}, {x = 1, y = 2, z = 3}, Vec.Build(1, 2, 3), Vec.Build(0/0, 1e300, -1),
            function() return 1 end, coroutine.create(function() end),
            crate, lamp, gone,
            crate and Object.GetTransformComponent(crate), crate and Object.GetBodyComponent(crate),
            crate and Object.GetSpriteComponent(crate), lamp and Object.GetLightComponent(lamp),
            gone and Object.GetTransformComponent(gone),
        }
        FuzzPalette.n = 34
    )");
    RunChunk(L, "ObjectManager.DestroyObject('gone')");
    ObjectManager::Instance().DestroyDeadObjects();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::UseScratchResources();
    for (const char* folder : {"resources/scripts", "resources/archetypes", "resources/models"}) CopyShipped(folder);
    const std::string level = R"(<level><archetype key="cube" id="crate"/><archetype key="lamp" id="lamp"/></level>)";
    fuzz::WriteResource("levels/fuzzworld.xml", reinterpret_cast<const uint8_t*>(level.data()), level.size());
    fuzz::RegisterAllComponents();
    SettingManager::Instance();
    SignalManager::Instance();
    ScriptingSystem::Instance().Initialize();
    lua_State* L = ScriptingSystem::Instance().GetState();
    for (const EngineLibrary& library : EngineLibraries()) {
        std::vector<std::string> names;
        lua_getglobal(L, library.name);
        if (lua_istable(L, -1)) {
            lua_pushnil(L);
            while (lua_next(L, -2)) {
                if (lua_type(L, -2) == LUA_TSTRING && lua_isfunction(L, -1)) names.emplace_back(lua_tostring(L, -2));
                lua_pop(L, 1);
            }
        }
        lua_settop(L, 0);
        std::sort(names.begin(), names.end());
        if (!names.empty()) g_functions.emplace_back(library.name, names);
    }
    BuildWorld(L);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lua_State* L = ScriptingSystem::Instance().GetState();
    if (!L || g_functions.empty()) return 0;
    if (ObjectManager::Instance().GetObjects().size() > kMaxObjects || !ObjectManager::Instance().GetObject("crate"))
        BuildWorld(L);
    size_t at = 0;
    for (int call = 0; call < kMaxCalls && at + 3 <= size; ++call) {
        const auto& [library, names] = g_functions[data[at++] % g_functions.size()];
        const std::string& function = names[data[at++] % names.size()];
        const int count = data[at++] % (kMaxArguments + 1);
        lua_getglobal(L, library.c_str());
        lua_getfield(L, -1, function.c_str());
        lua_getglobal(L, "FuzzPalette");
        const int palette = lua_gettop(L);
        int pushed = 0;
        for (; pushed < count && at < size; ++pushed) {
            const int choice = data[at++] % 35; // 0 is nil, 1..34 the palette's entries
            if (choice == 0) lua_pushnil(L);
            else lua_rawgeti(L, palette, choice);
        }
        lua_remove(L, palette);
        // The protocol path's budget and memory limit hold here too; a refused call returns.
        lua_pcall(L, pushed, 0, 0);
        lua_settop(L, 0);
    }
    ObjectManager::Instance().DestroyDeadObjects();
    fuzz::ForgetLog();
    return 0;
}
