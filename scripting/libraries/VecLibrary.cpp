// scripting/libraries/VecLibrary.cpp
// Vec: vectors as full userdata blocks of three floats (x, y, z), collected by Lua. Operations
// either change their first argument in place or return a new vector.
#include <cmath>
#include <locale>
#include <sstream>

#include <glm/geometric.hpp>

#include "scripting/ScriptArguments.h"
#include "scripting/libraries/EngineLibraries.h"

namespace zumek {
namespace {

/// The vector block passed as argument `index`, or null (reported) when it is not one.
glm::vec3* VectorArgument(lua_State* L, int index) {
    if (lua_type(L, index) == LUA_TUSERDATA && lua_rawlen(L, index) == sizeof(glm::vec3))
        return static_cast<glm::vec3*>(lua_touserdata(L, index));
    script::ReportMisuse(L, "argument #" + std::to_string(index) + " is " +
                                (lua_isnoneornil(L, index) ? std::string("nil") : std::string("a ") + luaL_typename(L, index)) +
                                ", expected a vector from Vec.Build; nothing is done");
    return nullptr;
}

int PushNew(lua_State* L, const glm::vec3& value) {
    *static_cast<glm::vec3*>(lua_newuserdata(L, sizeof(glm::vec3))) = value;
    return 1;
}

int Build(lua_State* L) { return PushNew(L, script::Vector(L, 1)); }

int Get(lua_State* L) {
    glm::vec3* v = VectorArgument(L, 1);
    return v ? script::PushVector(L, *v) : 0;
}

/// Set(v, index, value): index 0, 1 or 2; any other index changes nothing (reported).
int Set(lua_State* L) {
    glm::vec3* v = VectorArgument(L, 1);
    if (!v) return 0;
    long long index = script::Integer(L, 2);
    if (index < 0 || index > 2) {
        script::ReportMisuse(L, "index " + std::to_string(index) + " is outside 0..2; nothing is done");
        return 0;
    }
    (*v)[static_cast<int>(index)] = script::Float(L, 3);
    return 0;
}

int Assign(lua_State* L) {
    glm::vec3* target = VectorArgument(L, 1);
    glm::vec3* source = target ? VectorArgument(L, 2) : nullptr;
    if (source) *target = *source;
    return 0;
}

int Mult(lua_State* L) {
    if (glm::vec3* v = VectorArgument(L, 1)) *v *= script::Float(L, 2);
    return 0;
}

/// A zero vector stays zero rather than turning into NaNs.
int Normalize(lua_State* L) {
    glm::vec3* v = VectorArgument(L, 1);
    if (!v) return 0;
    float length = glm::length(*v);
    if (length > 0.0f) *v /= length;
    return 0;
}

int Length(lua_State* L) {
    glm::vec3* v = VectorArgument(L, 1);
    if (!v) return 0;
    lua_pushnumber(L, glm::length(*v));
    return 1;
}

/// Runs `operation` on the two vector arguments; nothing (reported) when either is not one.
template <class Operation>
int Binary(lua_State* L, Operation operation) {
    glm::vec3* a = VectorArgument(L, 1);
    glm::vec3* b = a ? VectorArgument(L, 2) : nullptr;
    if (!b) return 0;
    return operation(*a, *b);
}

int Dot(lua_State* L) {
    return Binary(L, [L](const glm::vec3& a, const glm::vec3& b) {
        lua_pushnumber(L, glm::dot(a, b));
        return 1;
    });
}
int Cross(lua_State* L) {
    return Binary(L, [L](const glm::vec3& a, const glm::vec3& b) { return PushNew(L, glm::cross(a, b)); });
}
int Add(lua_State* L) {
    return Binary(L, [L](const glm::vec3& a, const glm::vec3& b) { return PushNew(L, a + b); });
}
int Minus(lua_State* L) {
    return Binary(L, [L](const glm::vec3& a, const glm::vec3& b) { return PushNew(L, a - b); });
}
int Multiply(lua_State* L) {
    return Binary(L, [L](const glm::vec3& a, const glm::vec3& b) { return PushNew(L, a * b); });
}
/// Component-wise; a zero component of b gives an infinity (or NaN for 0 / 0), as floats do.
int Division(lua_State* L) {
    return Binary(L, [L](const glm::vec3& a, const glm::vec3& b) { return PushNew(L, a / b); });
}
int AreEqual(lua_State* L) {
    return Binary(L, [L](const glm::vec3& a, const glm::vec3& b) {
        lua_pushboolean(L, a == b);
        return 1;
    });
}

int Negate(lua_State* L) {
    glm::vec3* v = VectorArgument(L, 1);
    return v ? PushNew(L, -*v) : 0;
}

/// The dominant horizontal axis of the normalised vector: (u.x, 0, 0) when |u.x| > |u.z|, else
/// (0, 0, u.z). Ties go to z; y never counts. A zero vector gives a zero vector.
int GetAxis(lua_State* L) {
    glm::vec3* v = VectorArgument(L, 1);
    if (!v) return 0;
    float length = glm::length(*v);
    glm::vec3 u = length > 0.0f ? *v / length : glm::vec3(0.0f);
    return PushNew(L, std::fabs(u.x) > std::fabs(u.z) ? glm::vec3(u.x, 0.0f, 0.0f) : glm::vec3(0.0f, 0.0f, u.z));
}

/// "[x, y, z]", each in the default text form of a float ("1", "0.5", "1e+10"), whatever the
/// process locale.
int ToString(lua_State* L) {
    glm::vec3* v = VectorArgument(L, 1);
    if (!v) return 0;
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text << "[" << v->x << ", " << v->y << ", " << v->z << "]";
    return script::PushText(L, text.str());
}

constexpr luaL_Reg kFunctions[] = {
    {"Build", Build},
    {"Get", Get},
    {"Set", Set},
    {"Assign", Assign},
    {"Mult", Mult},
    {"Normalize", Normalize},
    {"Length", Length},
    {"Dot", Dot},
    {"Cross", Cross},
    {"Add", Add},
    {"Minus", Minus},
    {"Multiply", Multiply},
    {"Division", Division},
    {"Negate", Negate},
    {"AreEqual", AreEqual},
    {"GetAxis", GetAxis},
    {"ToString", ToString},
    {nullptr, nullptr},
};

} // namespace

int OpenVecLibrary(lua_State* L) {
    luaL_newlib(L, kFunctions);
    return 1;
}

} // namespace zumek
