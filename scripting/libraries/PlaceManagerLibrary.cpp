// scripting/libraries/PlaceManagerLibrary.cpp
// PlaceManager: the stack of loaded places.
#include "objects/PlaceManager.h"
#include "scripting/ScriptArguments.h"
#include "scripting/libraries/EngineLibraries.h"

namespace zumek {
namespace {

/// Loads the place at once; its scripted objects are attached before this returns.
int Push(lua_State* L) {
    PlaceManager::Instance().Push(script::String(L, 1));
    return 0;
}

/// The top place goes at the next place update.
int Pop(lua_State*) {
    PlaceManager::Instance().Pop();
    return 0;
}

/// The whole stack is replaced at the next place update.
int Set(lua_State* L) {
    PlaceManager::Instance().Set(script::String(L, 1));
    return 0;
}

constexpr luaL_Reg kFunctions[] = {
    {"Push", Push},
    {"Pop", Pop},
    {"Set", Set},
    {nullptr, nullptr},
};

} // namespace

int OpenPlaceManagerLibrary(lua_State* L) {
    luaL_newlib(L, kFunctions);
    return 1;
}

} // namespace zumek
