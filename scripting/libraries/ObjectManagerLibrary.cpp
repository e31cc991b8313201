// scripting/libraries/ObjectManagerLibrary.cpp
// ObjectManager: creating, finding and destroying objects of the current place.
#include "engine/SignalManager.h"
#include "objects/ObjectManager.h"
#include "scripting/ScriptArguments.h"
#include "scripting/libraries/EngineLibraries.h"

namespace zumek {
namespace {

/// CreateObject(archetype) -> id or nil. The new object's AttachComponentToObject call runs
/// before this returns.
int CreateObject(lua_State* L) {
    ObjectCreateSignal request;
    request.archetype = script::String(L, 1);
    Object* object = ObjectManager::Instance().CreateObject(request, "");
    if (!object) {
        lua_pushnil(L);
        return 1;
    }
    return script::PushText(L, object->GetId());
}

int GetObject(lua_State* L) { return script::PushPointer(L, ObjectManager::Instance().GetObject(script::String(L, 1))); }

int GetPlayer(lua_State* L) { return script::PushPointer(L, ObjectManager::Instance().GetObjectByTag("player")); }

/// Marks the object dead; it is destroyed at the start of the next frame.
int DestroyObject(lua_State* L) {
    SignalManager::Emit(ObjectDestroySignal{script::String(L, 1)});
    return 0;
}

constexpr luaL_Reg kFunctions[] = {
    {"CreateObject", CreateObject},
    {"GetObject", GetObject},
    {"GetPlayer", GetPlayer},
    {"DestroyObject", DestroyObject},
    {nullptr, nullptr},
};

} // namespace

int OpenObjectManagerLibrary(lua_State* L) {
    luaL_newlib(L, kFunctions);
    return 1;
}

} // namespace zumek
