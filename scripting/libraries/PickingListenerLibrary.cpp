// scripting/libraries/PickingListenerLibrary.cpp
// PickingListener: what lies under a screen point, as the renderer sampled it last frame.
#include "graphics/PickingListener.h"
#include "scripting/ScriptArguments.h"
#include "scripting/libraries/EngineLibraries.h"

namespace zumek {
namespace {

using script::ComponentArgument;

int GetWorldPosition(lua_State* L) {
    PickingListener* listener = ComponentArgument<PickingListener>(L, 1);
    return listener ? script::PushVector(L, listener->GetWorldPosition()) : 0;
}

int GetNormal(lua_State* L) {
    PickingListener* listener = ComponentArgument<PickingListener>(L, 1);
    return listener ? script::PushVector(L, listener->GetNormal()) : 0;
}

/// The picked object's id; "" when nothing was picked.
int GetID(lua_State* L) {
    PickingListener* listener = ComponentArgument<PickingListener>(L, 1);
    return listener ? script::PushText(L, listener->GetPickedId()) : 0;
}

int GetTag(lua_State* L) {
    PickingListener* listener = ComponentArgument<PickingListener>(L, 1);
    return listener ? script::PushText(L, listener->GetPickedTag()) : 0;
}

int SetScreenPosition(lua_State* L) {
    if (PickingListener* listener = ComponentArgument<PickingListener>(L, 1))
        listener->SetScreenPosition(glm::vec2(script::Float(L, 2), script::Float(L, 3)));
    return 0;
}

constexpr luaL_Reg kFunctions[] = {
    {"GetWorldPosition", GetWorldPosition},
    {"GetNormal", GetNormal},
    {"GetID", GetID},
    {"GetTag", GetTag},
    {"SetScreenPosition", SetScreenPosition},
    {nullptr, nullptr},
};

} // namespace

int OpenPickingListenerLibrary(lua_State* L) {
    luaL_newlib(L, kFunctions);
    return 1;
}

} // namespace zumek
