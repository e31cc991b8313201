// scripting/libraries/ObjectLibrary.cpp
// Object: an object's components, identity, respawn and the goal test.
#include <glm/geometric.hpp>

#include "graphics/Light.h"
#include "graphics/Particles.h"
#include "graphics/PickingListener.h"
#include "graphics/ScreenQuad.h"
#include "graphics/Sprite.h"
#include "objects/Camera.h"
#include "objects/ObjectManager.h"
#include "objects/Transform.h"
#include "physics/Body.h"
#include "scripting/Script.h"
#include "scripting/ScriptArguments.h"
#include "scripting/libraries/EngineLibraries.h"

namespace zumek {
namespace {

/// Get...Component(object): the component of exactly class T, or nil.
template <class T>
int GetComponentOf(lua_State* L) {
    Object* object = script::ObjectArgument(L, 1);
    if (!object) return 0;
    return script::PushPointer(L, object->GetComponent<T>());
}

int GetTag(lua_State* L) {
    Object* object = script::ObjectArgument(L, 1);
    return object ? script::PushText(L, object->GetTag()) : 0;
}

int GetId(lua_State* L) {
    Object* object = script::ObjectArgument(L, 1);
    return object ? script::PushText(L, object->GetId()) : 0;
}

/// GetIDObjectFromTag(tag): the id of the first object of the current place with the tag, or nil.
int GetIDObjectFromTag(lua_State* L) {
    Object* object = ObjectManager::Instance().GetObjectByTag(script::String(L, 1));
    if (!object) {
        lua_pushnil(L);
        return 1;
    }
    return script::PushText(L, object->GetId());
}

/// Resets every component (a body stops; a player's transform goes back to its start).
int Respawn(lua_State* L) {
    Object* object = script::ObjectArgument(L, 1);
    if (!object) return 0;
    for (const auto& entry : object->Components()) entry.second->Respawn();
    return 0;
}

/// Whether the object stands within 1.5 of the object tagged "goal" or of the object "goal1".
/// False without either goal or without a transform.
int IsAtGoal(lua_State* L) {
    constexpr float kReach = 1.5f;
    Object* object = script::ObjectArgument(L, 1);
    Transform* transform = object ? object->GetComponent<Transform>() : nullptr;
    bool atGoal = false;
    if (transform) {
        const glm::vec3 position = transform->GetPosition();
        const ObjectManager& objects = ObjectManager::Instance();
        for (Object* goal : {objects.GetObjectByTag("goal"), objects.GetObject("goal1")}) {
            Transform* goalTransform = goal ? goal->GetComponent<Transform>() : nullptr;
            if (goalTransform && glm::distance(position, goalTransform->GetPosition()) < kReach) atGoal = true;
        }
    }
    lua_pushboolean(L, atGoal);
    return 1;
}

constexpr luaL_Reg kFunctions[] = {
    {"GetTransformComponent", GetComponentOf<Transform>},
    {"GetScripComponent", GetComponentOf<Script>},
    {"GetCameraComponent", GetComponentOf<Camera>},
    {"GetLightComponent", GetComponentOf<Light>},
    // The renderer owns the screen quad it draws, so objects normally have none: nil.
    {"GetScreenQuadComponent", GetComponentOf<ScreenQuad>},
    {"GetSpriteComponent", GetComponentOf<Sprite>},
    {"GetBodyComponent", GetComponentOf<Body>},
    {"GetPickingListener", GetComponentOf<PickingListener>},
    {"GetParticleComponent", GetComponentOf<Particles>},
    {"GetTag", GetTag},
    {"GetId", GetId},
    {"GetIDObjectFromTag", GetIDObjectFromTag},
    {"Respawn", Respawn},
    {"IsAtGoal", IsAtGoal},
    {nullptr, nullptr},
};

} // namespace

int OpenObjectLibrary(lua_State* L) {
    luaL_newlib(L, kFunctions);
    return 1;
}

} // namespace zumek
