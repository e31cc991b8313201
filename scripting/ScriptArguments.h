// scripting/ScriptArguments.h
#pragma once
// Reading the arguments of engine library functions and pushing their results. Every library
// function goes through these helpers, so the rules are the same everywhere:
// - a missing number (none or nil) reads as 0, as scripts expect; any other non-number reads as 0
//   and is reported;
// - a pointer (light userdata) is looked up among the live objects and components first: a stale
//   pointer, a null one or one of the wrong class gives null and one report naming the function;
// - results are Lua numbers, strings, booleans, light userdata or nil.

#include <string>
#include <typeinfo>

#include <glm/vec3.hpp>
#include <lua.hpp>

#include "scripting/LiveObjects.h"

namespace zumek {

class Object;

namespace script {

/// The live-object registry of the state `L` belongs to (kept in the state's extra space).
inline LiveObjects& Live(lua_State* L) { return **static_cast<LiveObjects**>(lua_getextraspace(L)); }
/// Makes `live` the registry that the library functions of `L` check pointers against.
inline void SetLive(lua_State* L, LiveObjects* live) { *static_cast<LiveObjects**>(lua_getextraspace(L)) = live; }

/// Reports misuse of the running library function: one line "<Library.Function>: <problem>" in
/// the engine log, and on standard error with the calling script's position and traceback.
void ReportMisuse(lua_State* L, const std::string& problem);
/// "Library.Function" of the running C function, or "?" when it is not in a library table.
std::string RunningFunctionName(lua_State* L);

/// Argument `index` as a number; 0 when missing (silently) or not a number (reported).
double Number(lua_State* L, int index);
inline float Float(lua_State* L, int index) { return static_cast<float>(Number(L, index)); }
/// Three numbers starting at argument `first`.
glm::vec3 Vector(lua_State* L, int first);
/// Argument `index` as an integer (truncated towards zero); 0 when missing or out of range.
long long Integer(lua_State* L, int index);
/// Argument `index` as a truth value: false and nil are false, everything else true.
inline bool Flag(lua_State* L, int index) { return lua_toboolean(L, index) != 0; }
/// Argument `index` as text (numbers convert); "" when missing (silently) or of another type
/// (reported).
std::string String(lua_State* L, int index);

/// Reports why argument `index` is not a live `expected` (a component class or Object).
void ReportBadPointer(lua_State* L, int index, const std::type_info& expected);
/// The live object passed as argument `index`, or null (reported).
Object* ObjectArgument(lua_State* L, int index);
/// The live component of class T (or derived from it) passed as argument `index`, or null
/// (reported: missing, stale, or of another class).
template <class T>
T* ComponentArgument(lua_State* L, int index) {
    const void* pointer = lua_touserdata(L, index);
    if (T* found = Live(L).FindComponent<T>(pointer)) return found;
    ReportBadPointer(L, index, typeid(T));
    return nullptr;
}

/// Pushes x, y, z; returns 3.
inline int PushVector(lua_State* L, const glm::vec3& v) {
    lua_pushnumber(L, v.x);
    lua_pushnumber(L, v.y);
    lua_pushnumber(L, v.z);
    return 3;
}
/// Pushes the pointer as light userdata, or nil when null; returns 1.
inline int PushPointer(lua_State* L, const void* pointer) {
    if (pointer) lua_pushlightuserdata(L, const_cast<void*>(pointer));
    else lua_pushnil(L);
    return 1;
}
/// Pushes the text, or nil for an empty one when `emptyIsNil`; returns 1.
int PushText(lua_State* L, const std::string& text, bool emptyIsNil = false);

/// The class name scripts see in messages: "Transform" for zumek::Transform.
std::string ClassName(const std::type_info& type);

} // namespace script
} // namespace zumek
