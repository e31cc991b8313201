// scripting/ScriptingSystem.cpp
#include "scripting/ScriptingSystem.h"

#include <cstdio>
#include <cstring>

#include <lua.hpp>

#include "engine/SettingManager.h"
#include "engine/SignalManager.h"
#include "objects/Object.h"
#include "objects/ObjectManager.h"
#include "objects/PlaceManager.h"
#include "platform/Assert.h"
#include "scripting/Script.h"
#include "scripting/ScriptArguments.h"
#include "scripting/ScriptClassProvider.h"
#include "scripting/ScriptEnvironment.h"
#include "scripting/ScriptProblems.h"
#include "scripting/libraries/EngineLibraries.h"

namespace zumek {
namespace {

/// The message handler of every protected call: the error message followed by the traceback of
/// the failing state, so the report shows where the script failed.
int MessageHandler(lua_State* L) {
    const char* message = lua_tostring(L, 1);
    if (!message) {
        if (luaL_callmeta(L, 1, "__tostring") && lua_type(L, -1) == LUA_TSTRING) message = lua_tostring(L, -1);
        else message = lua_pushfstring(L, "(error object is a %s value)", luaL_typename(L, 1));
    }
    luaL_traceback(L, L, message, 1);
    return 1;
}

/// An error outside any protected call: the state cannot go on, so the message is the last word.
int Panic(lua_State* L) {
    const char* message = lua_tostring(L, -1);
    std::fprintf(stderr, "tovalik: unprotected Lua error: %s\n", message ? message : "(no message)");
    std::fflush(stderr);
    return 0; // Lua aborts
}

bool Accepts(char letter, ScriptValue::Kind kind, bool result) {
    using Kind = ScriptValue::Kind;
    if (result) {
        switch (letter) {
        case 'b': return kind == Kind::BoolResult;
        case 'd': return kind == Kind::NumberResult;
        case 'i': return kind == Kind::IntegerResult;
        case 's': return kind == Kind::StringResult;
        default: return false;
        }
    }
    switch (letter) {
    case 'd':
    case 'f': return kind == Kind::Number || kind == Kind::Integer;
    case 'i': return kind == Kind::Integer;
    case 's': return kind == Kind::String;
    case 'u': return kind == Kind::Pointer;
    default: return false;
    }
}

void Push(lua_State* L, char letter, const ScriptValue& value) {
    switch (letter) {
    case 'd':
    case 'f': lua_pushnumber(L, value.Number()); break;
    case 'i': lua_pushinteger(L, value.Integer()); break;
    case 's': lua_pushstring(L, value.Text()); break;
    default: script::PushPointer(L, value.Pointer()); break;
    }
}

/// Stores the Lua value at `index` through the result pointer; the converted value is stored
/// even when the type is wrong, which is reported.
void Store(lua_State* L, const char* name, int index, char letter, const ScriptValue& value) {
    const char* wrong = nullptr;
    switch (letter) {
    case 'b':
        if (!lua_isboolean(L, index)) wrong = "wrong result type, boolean";
        *value.BoolOut() = lua_toboolean(L, index) != 0;
        break;
    case 'd':
        if (!lua_isnumber(L, index)) wrong = "wrong result type, double";
        *value.NumberOut() = lua_tonumberx(L, index, nullptr);
        break;
    case 'i':
        if (!lua_isnumber(L, index)) wrong = "wrong result type, integer";
        *value.IntegerOut() = static_cast<int>(lua_tointegerx(L, index, nullptr));
        break;
    default: {
        size_t length = 0;
        const char* text = lua_isstring(L, index) ? lua_tolstring(L, index, &length) : nullptr;
        if (!text) wrong = "wrong result type, string";
        value.TextOut()->assign(text ? text : "", length);
        break;
    }
    }
    if (wrong) ScriptProblems::Instance().Report(Warning, std::string("Lua call ") + name + ": " + wrong, "");
}

/// Brackets one protocol call for the limits, whichever way it returns.
class WatchedCall {
public:
    explicit WatchedCall(ScriptLimits& limits) : m_limits(limits) { limits.BeginCall(); }
    ~WatchedCall() { m_limits.EndCall(); }
    WatchedCall(const WatchedCall&) = delete;
    WatchedCall& operator=(const WatchedCall&) = delete;

private:
    ScriptLimits& m_limits;
};

} // namespace

bool ScriptingSystem::s_luaClosed = false;

ScriptingSystem& ScriptingSystem::Instance() {
    // Never deleted: the handlers stay connected, and calls after shutdown are refused.
    static ScriptingSystem* instance = new ScriptingSystem();
    return *instance;
}

ScriptingSystem::ScriptingSystem() : System(SCRIPTING_SYSTEM_ID) {
    SignalManager::Connect<ObjectCreatedSignal>(this);
    SignalManager::Connect<ObjectDestroyedSignal>(this);
    SignalManager::Connect<CollisionSignal>(this);
}

void ScriptingSystem::Initialize() {
    ASSERT(m_state == nullptr && !s_luaClosed, "the scripting system is initialised once");
    if (m_state || s_luaClosed) return;
    m_allocator = std::make_unique<LuaAllocator>();
    m_state = lua_newstate(LuaAllocator::Allocate, m_allocator.get());
    ASSERT(m_state != nullptr, "luaL_newstate() != nullptr");
    if (!m_state) return;
    m_limits.Attach(m_state, *m_allocator);
    lua_atpanic(m_state, Panic);
    luaL_openlibs(m_state);
    script::SetLive(m_state, &m_live);
    PrepareScriptEnvironment(m_state);
    for (const EngineLibrary& library : EngineLibraries()) {
        luaL_requiref(m_state, library.name, library.open, 1);
        lua_pop(m_state, 1);
    }
    for (const char* name : kStartScripts) ScriptClassProvider::Instance().Get(name);
    CallScriptProcedure("InitializeScriptingSystem");
    CallScriptProcedure("Init");
}

void ScriptingSystem::Update(float dt, std::vector<Object*>&) {
    if (SettingManager::GetSetting<ScriptSetting>() != 0) return;
    // A copy: scripts may change the place stack during these calls.
    const std::string place = PlaceManager::Instance().CurrentPlace();
    CallScriptProcedure("InitializePendingObjects");
    CallScriptProcedure("SendPendingEvents");
    CallScriptFunction("UpdateScriptComponent", "fs>", static_cast<double>(dt), place);
}

void ScriptingSystem::Shutdown() {
    ASSERT(s_luaClosed == false, "luaClosed == false");
    if (s_luaClosed) return;
    CallScriptProcedure("Finalize");
    CallScriptProcedure("RestartScriptingSystem");
    // Finalizers run while the state closes: with a fresh budget, as any call.
    m_limits.ResetBudget();
    if (m_state) lua_close(m_state);
    m_limits.Detach();
    m_state = nullptr;
    m_allocator.reset();
    s_luaClosed = true;
}

void ScriptingSystem::Handle(ObjectCreatedSignal signal) {
    Object* object = signal.object;
    if (!object) return;
    m_live.Add(object);
    const Script* script = object->GetComponent<Script>();
    if (!script) return;
    // Copies: the calls below run scripts that may replace or destroy the object.
    const std::string className = script->GetClassName();
    const std::string id = object->GetId();
    const std::string place = object->GetPlace();
    if (className.empty()) {
        ScriptProblems::Instance().Report(Warning, "Script component without a class name", "object " + id + " in place " + place + " gets no script");
        return;
    }
    ScriptClassProvider::Instance().Get(className);
    CallScriptFunction("AttachComponentToObject", "sss>", id, place, className);
}

void ScriptingSystem::Handle(ObjectDestroyedSignal signal) {
    m_live.Remove(signal.place, signal.id);
    CallScriptFunction("DeleteGameObject", "ss>", signal.id, signal.place);
}

void ScriptingSystem::Handle(CollisionSignal signal) {
    ObjectManager& objects = ObjectManager::Instance();
    Object* first = objects.GetObject(signal.firstId);
    Object* second = objects.GetObject(signal.secondId);
    if (!first || !second) return;
    // Read before the first call: its script may destroy or replace either object.
    const bool firstScripted = first->HasComponent<Script>();
    const bool secondScripted = second->HasComponent<Script>();
    const std::string firstPlace = first->GetPlace();
    const std::string secondPlace = second->GetPlace();
    if (firstScripted)
        CallScriptFunction("SendEvent", "ssssfff>", firstPlace, signal.firstId, "CollisionEvent", signal.secondId,
                           signal.x, signal.y, signal.z);
    if (secondScripted)
        CallScriptFunction("SendEvent", "ssssfff>", secondPlace, signal.secondId, "CollisionEvent", signal.firstId,
                           -signal.x, -signal.y, -signal.z);
}

bool ScriptingSystem::CanCall(const char* name) {
    if (m_state) return true;
    ScriptProblems::Instance().Report(Error, std::string("Lua call ") + name + " refused",
                                      s_luaClosed ? "the system does not exists now" : "the scripting system is not initialised");
    return false;
}

void ScriptingSystem::ReportFailure(const std::string& what, const char* message) {
    if (!m_limits.Stopping()) ScriptProblems::Instance().Report(Error, what + " failed", message ? message : "(no message)");
    // A call inside a stopped one fails with it: the outermost reports the stop, once.
    else if (m_limits.Outermost()) ScriptProblems::Instance().Report(Error, what + " stopped: " + m_limits.StopReason(), message ? message : "");
}

bool ScriptingSystem::CheckFormat(const char* name, const char* format, const ScriptValue* values, size_t count,
                                  int& arguments, int& results) {
    arguments = 0;
    results = 0;
    bool inResults = false;
    size_t next = 0;
    for (const char* letter = format; *letter; ++letter) {
        if (*letter == '>' && !inResults) {
            inResults = true;
            continue;
        }
        std::string where = std::string(name) + " format \"" + format + "\"";
        if (next >= count) {
            AssertFailed("next < count", where + ": more letters than arguments", __FILE__, __LINE__);
            return false;
        }
        if (!Accepts(*letter, values[next].GetKind(), inResults)) {
            AssertFailed("Accepts(letter, kind)", where + ": invalid option (" + *letter + ") for argument " + std::to_string(next + 1),
                         __FILE__, __LINE__);
            return false;
        }
        ++next;
        ++(inResults ? results : arguments);
    }
    if (next != count) {
        AssertFailed("next == count", std::string(name) + " format \"" + format + "\": more arguments than letters", __FILE__, __LINE__);
        return false;
    }
    return true;
}

int ScriptingSystem::Call(const char* name, const char* format, const ScriptValue* values, size_t count) {
    int arguments = 0, results = 0;
    if (!CheckFormat(name, format, values, count, arguments, results)) return LUA_ERRRUN;
    if (!CanCall(name)) return LUA_ERRRUN;
    WatchedCall watched(m_limits);
    lua_State* L = m_state;
    const int base = lua_gettop(L);
    if (!lua_checkstack(L, arguments + 3)) {
        ScriptProblems::Instance().Report(Error, std::string("Lua call ") + name + " failed", "too many arguments");
        return LUA_ERRRUN;
    }
    lua_pushcfunction(L, MessageHandler);
    // A raw read: a strict-mode metatable on the globals must not raise outside a protected call.
    lua_rawgeti(L, LUA_REGISTRYINDEX, LUA_RIDX_GLOBALS);
    lua_pushstring(L, name);
    lua_rawget(L, -2);
    lua_remove(L, -2);
    if (lua_isnil(L, -1)) {
        ScriptProblems::Instance().Report(Error, std::string("Lua call ") + name + " failed", std::string("the global function ") + name + " is not defined");
        lua_settop(L, base);
        return LUA_ERRRUN;
    }
    size_t next = 0;
    for (const char* letter = format; *letter && *letter != '>'; ++letter) Push(L, *letter, values[next++]);
    const int status = lua_pcall(L, arguments, results, base + 1);
    if (status != LUA_OK) {
        ReportFailure(std::string("Lua call ") + name, lua_tostring(L, -1));
        lua_settop(L, base);
        return status;
    }
    const char* resultLetters = std::strchr(format, '>');
    int index = base + 2; // after the message handler
    for (const char* letter = resultLetters ? resultLetters + 1 : ""; *letter; ++letter) Store(L, name, index++, *letter, values[next++]);
    lua_settop(L, base);
    return LUA_OK;
}

bool ScriptingSystem::RunScriptFile(const std::string& path) {
    if (!CanCall(path.c_str())) return false;
    WatchedCall watched(m_limits);
    lua_State* L = m_state;
    const int base = lua_gettop(L);
    lua_pushcfunction(L, MessageHandler);
    // Text only: Lua does not check binary chunks, and a crafted one can corrupt memory.
    if (luaL_loadfilex(L, path.c_str(), "t") != LUA_OK) {
        const char* message = lua_tostring(L, -1);
        ScriptProblems::Instance().Report(Error, "Script file " + path + " could not be loaded", message ? message : "");
        lua_settop(L, base);
        return false;
    }
    const int status = lua_pcall(L, 0, 0, base + 1);
    if (status != LUA_OK) {
        ReportFailure("Script file " + path, lua_tostring(L, -1));
        lua_settop(L, base);
        // What the failed chunk built is garbage now.
        lua_gc(L, LUA_GCCOLLECT, 0);
        return false;
    }
    lua_settop(L, base);
    return true;
}

} // namespace zumek
