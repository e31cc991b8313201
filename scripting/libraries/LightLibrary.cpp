// scripting/libraries/LightLibrary.cpp
// Light: the colour of a point light.
#include "graphics/Light.h"
#include "scripting/ScriptArguments.h"
#include "scripting/libraries/EngineLibraries.h"

namespace zumek {
namespace {

int SetColor(lua_State* L) {
    if (Light* light = script::ComponentArgument<Light>(L, 1)) light->SetColor(script::Vector(L, 2));
    return 0;
}

constexpr luaL_Reg kFunctions[] = {
    {"SetColor", SetColor},
    {nullptr, nullptr},
};

} // namespace

int OpenLightLibrary(lua_State* L) {
    luaL_newlib(L, kFunctions);
    return 1;
}

} // namespace zumek
