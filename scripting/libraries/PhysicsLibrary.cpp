// scripting/libraries/PhysicsLibrary.cpp
// Physics: the ray test scripts aim with.
#include <cmath>

#include <glm/geometric.hpp>

#include "objects/ObjectManager.h"
#include "objects/Transform.h"
#include "physics/Body.h"
#include "scripting/ScriptArguments.h"
#include "scripting/libraries/EngineLibraries.h"

namespace zumek {
namespace {

/// Raycast(ox, oy, oz, tx, ty, tz, tag) -> object or nil, hit x, y, z, offset x, y, z.
///
/// Every object of the current place with the tag and a body counts as a sphere around its
/// position with radius scale.x. With d the unit direction, m = centre - origin, b = m.d and
/// disc = b^2 - (|m|^2 - r^2), the line through the origin meets the sphere when disc >= 0, at
/// t = b -+ sqrt(disc). The whole line counts (a sphere behind the origin is hit too), and the
/// first object in creation order that is met wins, not the nearest.
///
/// The hit point is origin + d t on the sphere itself: the nearer crossing ahead of the origin
/// (the far one when the origin is inside), or the crossing nearest the origin for a sphere
/// behind it. The offset is the hit point minus the centre. Without a hit (or with the target on
/// the origin): nil and six zeros.
int Raycast(lua_State* L) {
    const glm::vec3 origin = script::Vector(L, 1);
    const glm::vec3 target = script::Vector(L, 4);
    const std::string tag = script::String(L, 7);
    const glm::vec3 towards = target - origin;
    const float length = glm::length(towards);
    if (length > 0.0f && std::isfinite(length)) {
        const glm::vec3 d = towards / length;
        for (Object* object : ObjectManager::Instance().GetObjects()) {
            if (object->GetTag() != tag || !object->HasComponent<Body>()) continue;
            Transform* transform = object->GetComponent<Transform>();
            if (!transform) continue;
            const glm::vec3 centre = transform->GetPosition();
            const float radius = transform->GetScale().x;
            const glm::vec3 m = centre - origin;
            const float b = glm::dot(m, d);
            const float disc = b * b - (glm::dot(m, m) - radius * radius);
            if (disc < 0.0f) continue;
            const float root = std::sqrt(disc);
            const float t = b - root >= 0.0f ? b - root : b + root;
            const glm::vec3 hit = origin + d * t;
            script::PushPointer(L, object);
            script::PushVector(L, hit);
            script::PushVector(L, hit - centre);
            return 7;
        }
    }
    lua_pushnil(L);
    for (int i = 0; i < 6; ++i) lua_pushnumber(L, 0.0);
    return 7;
}

constexpr luaL_Reg kFunctions[] = {
    {"Raycast", Raycast},
    {nullptr, nullptr},
};

} // namespace

int OpenPhysicsLibrary(lua_State* L) {
    luaL_newlib(L, kFunctions);
    return 1;
}

} // namespace zumek
