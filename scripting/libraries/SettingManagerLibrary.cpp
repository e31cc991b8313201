// scripting/libraries/SettingManagerLibrary.cpp
// SettingManager: the switches scripts read, and quitting the game.
#include "engine/SettingManager.h"
#include "scripting/ScriptArguments.h"
#include "scripting/libraries/EngineLibraries.h"

namespace zumek {
namespace {

int Animation(lua_State* L) {
    lua_pushboolean(L, SettingManager::GetSetting<AnimationSetting>() == 0);
    return 1;
}

int OculusPresent(lua_State* L) {
    lua_pushboolean(L, SettingManager::GetSetting<OculusSetting>() == 0);
    return 1;
}

/// The frame loop ends at the start of the next frame.
int QuitGame(lua_State*) {
    SettingManager::SetAndEmit<EngineStateSetting>(ENGINE_STOP);
    return 0;
}

constexpr luaL_Reg kFunctions[] = {
    {"Animation", Animation},
    {"OculusPresent", OculusPresent},
    {"QuitGame", QuitGame},
    {nullptr, nullptr},
};

} // namespace

int OpenSettingManagerLibrary(lua_State* L) {
    luaL_newlib(L, kFunctions);
    return 1;
}

} // namespace zumek
