// scripting/libraries/CameraLibrary.cpp
// Camera: the view's orientation and resolution, the screen fade, and free-mode steering of a
// Camera component.
#include "engine/SettingManager.h"
#include "engine/SignalManager.h"
#include "objects/Camera.h"
#include "scripting/ScriptArguments.h"
#include "scripting/libraries/EngineLibraries.h"

namespace zumek {
namespace {

using script::ComponentArgument;

/// The orientation of the camera record the renderer draws with.
int GetOrientation(lua_State* L) { return script::PushVector(L, SettingManager::GetSetting<CameraSetting*>()->orientation); }

int GetResolution(lua_State* L) {
    const ResolutionSetting& resolution = SettingManager::GetSetting<ResolutionSetting>();
    lua_pushnumber(L, resolution.width);
    lua_pushnumber(L, resolution.height);
    return 2;
}

int Fade(lua_State* L) {
    SignalManager::Emit(FadeSignal{script::Float(L, 1)});
    return 0;
}

int AddOrientation(lua_State* L) {
    if (Camera* camera = ComponentArgument<Camera>(L, 1)) camera->AddOrientation(script::Float(L, 2), script::Float(L, 3));
    return 0;
}

int AddRotation(lua_State* L) {
    if (Camera* camera = ComponentArgument<Camera>(L, 1)) camera->AddRotation(script::Float(L, 2));
    return 0;
}

int SetScaleWorld(lua_State* L) {
    if (Camera* camera = ComponentArgument<Camera>(L, 1)) camera->SetScaleWorld(script::Float(L, 2));
    return 0;
}

constexpr luaL_Reg kFunctions[] = {
    {"GetOrientation", GetOrientation},
    {"GetResolution", GetResolution},
    {"Fade", Fade},
    {"AddOrientation", AddOrientation},
    {"AddRotation", AddRotation},
    {"SetScaleWorld", SetScaleWorld},
    {nullptr, nullptr},
};

} // namespace

int OpenCameraLibrary(lua_State* L) {
    luaL_newlib(L, kFunctions);
    return 1;
}

} // namespace zumek
