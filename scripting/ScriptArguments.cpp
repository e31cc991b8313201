// scripting/ScriptArguments.cpp
#include "scripting/ScriptArguments.h"

#include <cmath>

#include "engine/TypeName.h"
#include "objects/Object.h"
#include "scripting/ScriptProblems.h"

namespace zumek::script {
namespace {

/// Finds the function at the top of the stack in the loaded library tables; pushes nothing.
std::string FindInLoadedLibraries(lua_State* L, int function) {
    std::string found;
    lua_getfield(L, LUA_REGISTRYINDEX, LUA_LOADED_TABLE);
    lua_pushnil(L);
    while (found.empty() && lua_next(L, -2) != 0) {
        // Stack: loaded, library name, library table.
        if (lua_type(L, -2) == LUA_TSTRING && lua_type(L, -1) == LUA_TTABLE) {
            std::string library = lua_tostring(L, -2);
            lua_pushnil(L);
            while (lua_next(L, -2) != 0) {
                if (lua_type(L, -2) == LUA_TSTRING && lua_rawequal(L, -1, function) && library != "_G") {
                    found = library + "." + lua_tostring(L, -2);
                    lua_pop(L, 2);
                    break;
                }
                lua_pop(L, 1);
            }
        }
        lua_pop(L, 1);
    }
    if (!found.empty()) lua_pop(L, 1); // the library name left by the interrupted walk
    lua_pop(L, 1);                     // loaded
    return found;
}

/// "a Body", "an Object".
std::string WithArticle(const std::string& name) {
    bool vowel = !name.empty() && std::string("AEIOUaeiou").find(name[0]) != std::string::npos;
    return (vowel ? "an " : "a ") + name;
}

const char* Ordinal(int index, std::string& buffer) {
    buffer = "argument #" + std::to_string(index);
    return buffer.c_str();
}

} // namespace

std::string ClassName(const std::type_info& type) {
    std::string name = DemangledName(type);
    auto colon = name.rfind("::");
    return colon == std::string::npos ? name : name.substr(colon + 2);
}

std::string RunningFunctionName(lua_State* L) {
    lua_Debug info;
    if (!lua_getstack(L, 0, &info)) return "?";
    lua_getinfo(L, "fn", &info);
    int function = lua_gettop(L);
    std::string name = FindInLoadedLibraries(L, function);
    lua_settop(L, function - 1);
    if (!name.empty()) return name;
    return info.name ? info.name : "?";
}

void ReportMisuse(lua_State* L, const std::string& problem) {
    std::string function = RunningFunctionName(L);
    luaL_where(L, 1);
    std::string where = lua_tostring(L, -1);
    lua_pop(L, 1);
    luaL_traceback(L, L, nullptr, 1);
    std::string traceback = lua_tostring(L, -1);
    lua_pop(L, 1);
    ScriptProblems::Instance().Report(Warning, function + ": " + problem, where + "\n" + traceback);
}

double Number(lua_State* L, int index) {
    int isNumber = 0;
    double value = lua_tonumberx(L, index, &isNumber);
    if (isNumber) return value;
    if (!lua_isnoneornil(L, index)) {
        std::string buffer;
        ReportMisuse(L, std::string(Ordinal(index, buffer)) + " is a " + luaL_typename(L, index) + ", not a number; 0 is used");
    }
    return 0.0;
}

glm::vec3 Vector(lua_State* L, int first) {
    return glm::vec3(Float(L, first), Float(L, first + 1), Float(L, first + 2));
}

long long Integer(lua_State* L, int index) {
    double value = Number(L, index);
    // Outside this range the conversion to an integer is undefined.
    if (!(std::fabs(value) < 9.0e18)) return 0;
    return static_cast<long long>(value);
}

std::string String(lua_State* L, int index) {
    int type = lua_type(L, index);
    if (type == LUA_TSTRING || type == LUA_TNUMBER) {
        size_t length = 0;
        const char* text = lua_tolstring(L, index, &length);
        return std::string(text, length);
    }
    if (type != LUA_TNONE && type != LUA_TNIL) {
        std::string buffer;
        ReportMisuse(L, std::string(Ordinal(index, buffer)) + " is a " + luaL_typename(L, index) + ", not a string; \"\" is used");
    }
    return std::string();
}

Object* ObjectArgument(lua_State* L, int index) {
    if (Object* object = Live(L).FindObject(lua_touserdata(L, index))) return object;
    ReportBadPointer(L, index, typeid(Object));
    return nullptr;
}

void ReportBadPointer(lua_State* L, int index, const std::type_info& expected) {
    std::string buffer;
    std::string argument = Ordinal(index, buffer);
    std::string wanted = WithArticle(ClassName(expected));
    if (lua_type(L, index) != LUA_TLIGHTUSERDATA) {
        ReportMisuse(L, argument + " is " + (lua_isnoneornil(L, index) ? std::string("nil") : std::string("a ") + luaL_typename(L, index)) +
                            ", expected " + wanted + "; nothing is done");
        return;
    }
    const LiveObjects::Entry* entry = Live(L).Find(lua_touserdata(L, index));
    if (!entry) {
        ReportMisuse(L, argument + " is a stale pointer (its object was destroyed), expected " + wanted + "; nothing is done");
        return;
    }
    ReportMisuse(L, argument + " is " + WithArticle(ClassName(*entry->type)) + ", not " + wanted + "; nothing is done");
}

int PushText(lua_State* L, const std::string& text, bool emptyIsNil) {
    if (emptyIsNil && text.empty()) lua_pushnil(L);
    else lua_pushlstring(L, text.data(), text.size());
    return 1;
}

} // namespace zumek::script
