// scripting/libraries/SignalManagerLibrary.cpp
// SignalManager: the one-string requests scripts post to the engine.
#include "engine/SignalManager.h"
#include "scripting/ScriptArguments.h"
#include "scripting/libraries/EngineLibraries.h"

namespace zumek {
namespace {

int SignalObjectDestroy(lua_State* L) {
    SignalManager::Emit(ObjectDestroySignal{script::String(L, 1)});
    return 0;
}

/// The level is loaded at the start of the next frame.
int SignalLoadLevel(lua_State* L) {
    SignalManager::Emit(LoadLevelSignal{script::String(L, 1)});
    return 0;
}

/// "all" or the suffix of one level-state file.
int SignalDeleteLevelStateFiles(lua_State* L) {
    SignalManager::Emit(DeleteLevedlStateSignal{script::String(L, 1)});
    return 0;
}

constexpr luaL_Reg kFunctions[] = {
    {"SignalObjectDestroy", SignalObjectDestroy},
    {"SignalLoadLevel", SignalLoadLevel},
    {"SignalDeleteLevelStateFiles", SignalDeleteLevelStateFiles},
    {nullptr, nullptr},
};

} // namespace

int OpenSignalManagerLibrary(lua_State* L) {
    luaL_newlib(L, kFunctions);
    return 1;
}

} // namespace zumek
