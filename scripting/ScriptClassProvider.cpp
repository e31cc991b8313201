// scripting/ScriptClassProvider.cpp
#include "scripting/ScriptClassProvider.h"

#include <lua.hpp>

#include "content/ContentType.h"
#include "platform/Assert.h"
#include "scripting/ScriptingSystem.h"

namespace zumek {

ScriptClassProvider& ScriptClassProvider::Instance() {
    static ScriptClassProvider* instance = new ScriptClassProvider();
    return *instance;
}

ScriptClass* ScriptClassProvider::Get(const std::string& key) {
    ASSERT(key.size() > 0, "key.size() > 0");
    auto it = m_classes.find(key);
    if (it != m_classes.end()) return it->second.get();

    auto record = std::make_unique<ScriptClass>();
    record->key = key;
    record->path = GetContentPath(ContentType::Script, key);
    record->widePath.assign(record->path.begin(), record->path.end());
    // Entered before the file runs: a file that requests its own class (directly or through
    // another file) must not run twice.
    ScriptClass* stored = record.get();
    m_classes.emplace(key, std::move(record));
    stored->ran = ScriptingSystem::Instance().RunScriptFile(stored->path);
    return stored;
}

bool ScriptClassProvider::Reload(const std::string& key, bool& reloaded) {
    reloaded = false;
    auto it = m_classes.find(key);
    if (it == m_classes.end()) return true;
    lua_State* L = ScriptingSystem::Instance().GetState();
    if (!L) return true;
    // Only class files define a global table of their own name; running a protocol or module
    // file again (main, a required module) would reset the game's state.
    if (lua_getglobal(L, key.c_str()) != LUA_TTABLE) {
        lua_pop(L, 1);
        return true;
    }
    const int old = lua_gettop(L);
    ScriptClass& record = *it->second;
    record.path = GetContentPath(ContentType::Script, key);
    record.widePath.assign(record.path.begin(), record.path.end());
    if (!ScriptingSystem::Instance().RunScriptFile(record.path)) {
        // The file's own globals may be half set: the old class stays the one in use.
        lua_pushvalue(L, old);
        lua_setglobal(L, key.c_str());
        lua_settop(L, old - 1);
        return false;
    }
    if (lua_getglobal(L, key.c_str()) == LUA_TTABLE && !lua_rawequal(L, -1, old)) {
        const int fresh = lua_gettop(L);
        // Empty the old table (keys gathered first: a table must not change while walked)...
        lua_newtable(L);
        const int keys = lua_gettop(L);
        lua_Integer count = 0;
        lua_pushnil(L);
        while (lua_next(L, old) != 0) {
            lua_pop(L, 1);
            lua_pushvalue(L, -1);
            lua_rawseti(L, keys, ++count);
        }
        for (lua_Integer i = 1; i <= count; ++i) {
            lua_rawgeti(L, keys, i);
            lua_pushnil(L);
            lua_rawset(L, old);
        }
        // ...then give it the new fields and make it the global again.
        lua_pushnil(L);
        while (lua_next(L, fresh) != 0) {
            lua_pushvalue(L, -2);
            lua_insert(L, -2);
            lua_rawset(L, old);
        }
        if (lua_getmetatable(L, fresh)) lua_setmetatable(L, old);
        lua_pushvalue(L, old);
        lua_setglobal(L, key.c_str());
        reloaded = true;
    }
    lua_settop(L, old - 1);
    record.ran = true;
    return true;
}

} // namespace zumek
