// scripting/libraries/SpriteLibrary.cpp
// Sprite: colour and visibility of a drawable mesh (a Sprite, Hud or AnimatedSprite), and the
// laser ray.
#include "engine/SignalManager.h"
#include "graphics/SpriteBase.h"
#include "scripting/ScriptArguments.h"
#include "scripting/libraries/EngineLibraries.h"

namespace zumek {
namespace {

int SetColor(lua_State* L) {
    if (SpriteBase* sprite = script::ComponentArgument<SpriteBase>(L, 1)) sprite->SetColor(script::Vector(L, 2));
    return 0;
}

int Hide(lua_State* L) {
    if (SpriteBase* sprite = script::ComponentArgument<SpriteBase>(L, 1)) sprite->SetHidden(script::Flag(L, 2));
    return 0;
}

/// DrawRay(x1, y1, z1, x2, y2, z2): the laser from the first point to the second.
int DrawRay(lua_State* L) {
    LaserSignal signal;
    signal.points = {script::Vector(L, 1), script::Vector(L, 4)};
    SignalManager::Emit(std::move(signal));
    return 0;
}

constexpr luaL_Reg kFunctions[] = {
    {"SetColor", SetColor},
    {"Hide", Hide},
    {"DrawRay", DrawRay},
    {nullptr, nullptr},
};

} // namespace

int OpenSpriteLibrary(lua_State* L) {
    luaL_newlib(L, kFunctions);
    return 1;
}

} // namespace zumek
