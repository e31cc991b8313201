// scripting/libraries/TransformLibrary.cpp
// Transform: placement of an object; the first argument is its Transform component.
#include <glm/geometric.hpp>

#include "objects/Transform.h"
#include "scripting/ScriptArguments.h"
#include "scripting/libraries/EngineLibraries.h"

namespace zumek {
namespace {

using script::ComponentArgument;

int GetPosition(lua_State* L) {
    Transform* transform = ComponentArgument<Transform>(L, 1);
    return transform ? script::PushVector(L, transform->GetPosition()) : 0;
}

/// Radians, as the transform keeps them.
int GetRotation(lua_State* L) {
    Transform* transform = ComponentArgument<Transform>(L, 1);
    return transform ? script::PushVector(L, transform->GetRotation()) : 0;
}

int GetScale(lua_State* L) {
    Transform* transform = ComponentArgument<Transform>(L, 1);
    return transform ? script::PushVector(L, transform->GetScale()) : 0;
}

/// The unit vector the object's local y axis points along in the world; (0, 1, 0) for a
/// transform flattened to nothing along y.
int GetUp(lua_State* L) {
    Transform* transform = ComponentArgument<Transform>(L, 1);
    if (!transform) return 0;
    glm::vec3 up(transform->GetWorldMatrix()[1]);
    float length = glm::length(up);
    return script::PushVector(L, length > 0.0f ? up / length : glm::vec3(0.0f, 1.0f, 0.0f));
}

int SetPosition(lua_State* L) {
    if (Transform* transform = ComponentArgument<Transform>(L, 1)) transform->SetPosition(script::Vector(L, 2));
    return 0;
}

/// Degrees, as the transform's setter and the level files take them (GetRotation gives radians;
/// scripts written for this engine rely on both).
int SetRotation(lua_State* L) {
    if (Transform* transform = ComponentArgument<Transform>(L, 1)) transform->SetRotation(script::Vector(L, 2));
    return 0;
}

int SetScale(lua_State* L) {
    if (Transform* transform = ComponentArgument<Transform>(L, 1)) transform->SetScale(script::Vector(L, 2));
    return 0;
}

constexpr luaL_Reg kFunctions[] = {
    {"GetPosition", GetPosition},
    {"GetRotation", GetRotation},
    {"GetScale", GetScale},
    {"GetUp", GetUp},
    {"SetPosition", SetPosition},
    {"SetRotation", SetRotation},
    {"SetScale", SetScale},
    {nullptr, nullptr},
};

} // namespace

int OpenTransformLibrary(lua_State* L) {
    luaL_newlib(L, kFunctions);
    return 1;
}

} // namespace zumek
