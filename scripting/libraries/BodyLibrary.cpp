// scripting/libraries/BodyLibrary.cpp
// Body: mass, velocity, force and the script-owned fields of a rigid body.
#include "physics/Body.h"
#include "scripting/ScriptArguments.h"
#include "scripting/libraries/EngineLibraries.h"

namespace zumek {
namespace {

using script::ComponentArgument;

/// SetMass(body, 0) makes the body static; any other mass leaves it as it is.
int SetMass(lua_State* L) {
    if (Body* body = ComponentArgument<Body>(L, 1)) body->SetMass(script::Float(L, 2));
    return 0;
}

int GetMass(lua_State* L) {
    Body* body = ComponentArgument<Body>(L, 1);
    if (!body) return 0;
    lua_pushnumber(L, body->GetMass());
    return 1;
}

int SetVelocity(lua_State* L) {
    if (Body* body = ComponentArgument<Body>(L, 1)) body->SetVelocity(script::Vector(L, 2));
    return 0;
}

int AddVelocity(lua_State* L) {
    if (Body* body = ComponentArgument<Body>(L, 1)) body->AddVelocity(script::Vector(L, 2));
    return 0;
}

int GetVelocity(lua_State* L) {
    Body* body = ComponentArgument<Body>(L, 1);
    return body ? script::PushVector(L, body->GetVelocity()) : 0;
}

/// Wakes the body; the force is not added while the player is pressed deep into something.
int AddForce(lua_State* L) {
    if (Body* body = ComponentArgument<Body>(L, 1)) body->AddForce(script::Vector(L, 2));
    return 0;
}

int SetDamping(lua_State* L) {
    if (Body* body = ComponentArgument<Body>(L, 1)) body->SetDamping(script::Float(L, 2));
    return 0;
}

int GetDamping(lua_State* L) {
    Body* body = ComponentArgument<Body>(L, 1);
    if (!body) return 0;
    lua_pushnumber(L, body->GetDamping());
    return 1;
}

int SetGravityScale(lua_State* L) {
    if (Body* body = ComponentArgument<Body>(L, 1)) body->SetGravityScale(script::Float(L, 2));
    return 0;
}

int GetGravityScale(lua_State* L) {
    Body* body = ComponentArgument<Body>(L, 1);
    if (!body) return 0;
    lua_pushnumber(L, body->GetGravityScale());
    return 1;
}

/// Bodies have no acceleration state: the arguments are checked and dropped.
int SetAccelaration(lua_State* L) {
    if (ComponentArgument<Body>(L, 1)) script::Vector(L, 2);
    return 0;
}

int GetAcceleration(lua_State* L) {
    if (!ComponentArgument<Body>(L, 1)) return 0;
    return script::PushVector(L, glm::vec3(0.0f));
}

/// Bodies are never kinematic: the arguments are checked and dropped.
int SetKinematic(lua_State* L) {
    if (ComponentArgument<Body>(L, 1)) script::Number(L, 2);
    return 0;
}

/// Always the number 0.
int IsKinematic(lua_State* L) {
    if (!ComponentArgument<Body>(L, 1)) return 0;
    lua_pushnumber(L, 0);
    return 1;
}

constexpr luaL_Reg kFunctions[] = {
    {"SetMass", SetMass},
    {"GetMass", GetMass},
    {"SetVelocity", SetVelocity},
    {"AddVelocity", AddVelocity},
    {"GetVelocity", GetVelocity},
    {"AddForce", AddForce},
    {"SetDamping", SetDamping},
    {"GetDamping", GetDamping},
    {"SetGravityScale", SetGravityScale},
    {"GetGravityScale", GetGravityScale},
    {"SetAccelaration", SetAccelaration},
    {"GetAcceleration", GetAcceleration},
    {"SetKinematic", SetKinematic},
    {"IsKinematic", IsKinematic},
    {nullptr, nullptr},
};

} // namespace

int OpenBodyLibrary(lua_State* L) {
    luaL_newlib(L, kFunctions);
    return 1;
}

} // namespace zumek
