// scripting/ScriptSandbox.cpp
//
// Every lua_CFunction here may leave by a Lua error (a longjmp), which skips C++ destructors: the
// C++ work (paths, log lines) happens in helpers that return before anything can raise, and the
// functions themselves hold only plain values.
#include "scripting/ScriptSandbox.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include <lua.hpp>

#include "platform/Paths.h"
#include "scripting/ScriptProblems.h"

namespace zumek {
namespace {

namespace fs = std::filesystem;

enum class Access { Read, Write };

/// `path` made absolute with "..", "." and every symbolic link resolved; for a name that does not
/// exist yet, its folder resolved. Empty when it cannot be judged.
fs::path ResolvedPath(const std::string& path) {
    if (path.empty()) return {};
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    if (error) return {};
    fs::path resolved = fs::weakly_canonical(absolute, error);
    if (error) return {};
    // Every link that leads somewhere is resolved by now: one still there dangles, and opening it
    // for writing would create its target wherever that points.
    if (fs::is_symlink(fs::symlink_status(resolved, error))) return {};
    return resolved;
}

/// A folder the way ResolvedPath gives paths, without a trailing separator.
fs::path ResolvedFolder(const std::string& folder) {
    std::error_code error;
    fs::path resolved = fs::weakly_canonical(fs::absolute(folder, error), error);
    if (!resolved.has_filename()) resolved = resolved.parent_path();
    return resolved;
}

/// Whether `path` lies strictly below `folder`, name by name ("/a/bc" is not below "/a/b").
bool IsBelow(const fs::path& path, const fs::path& folder) {
    if (folder.empty()) return false;
    auto [inFolder, inPath] = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    return inFolder == folder.end() && inPath != path.end();
}

std::vector<fs::path> AllowedFolders(Access access) {
    if (access == Access::Write) return {ResolvedFolder(Paths::GameFolder())};
    return {ResolvedFolder(Paths::Resolve("resources")), ResolvedFolder(Paths::GameFolder() + "/resources")};
}

bool MayAccess(const std::string& path, Access access) {
    const fs::path resolved = ResolvedPath(path);
    if (resolved.empty()) return false;
    for (const fs::path& folder : AllowedFolders(access))
        if (IsBelow(resolved, folder)) return true;
    return false;
}

/// `text` with control characters shown as '?', so a log line stays one line.
std::string Printable(const char* text) {
    std::string shown = text ? text : "";
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
    return shown;
}

/// One log line naming the script (the first Lua function above the refusing C function).
void ReportRefusal(lua_State* L, const std::string& call, const std::string& why) {
    ScriptProblems::Instance().Report(Warning, "Script " + RunningScriptName(L, 1) + ": " + call + " refused", why);
}

std::string Rule(Access access) {
    std::string folders;
    for (const fs::path& folder : AllowedFolders(access)) folders += (folders.empty() ? "" : " and ") + folder.string();
    return (access == Access::Read ? "scripts read files only below " : "scripts write, remove and rename files only below ") +
           folders;
}

/// Whether the script may access `path`; a refusal is reported as `call` ("io.open" ...).
bool Permit(lua_State* L, const char* call, const char* path, Access access) {
    if (MayAccess(path, access)) return true;
    ReportRefusal(L, std::string(call) + " of \"" + Printable(path) + "\"", Rule(access));
    return false;
}

/// The failure of a refused file call, as Lua's own file functions fail.
int PushAccessRefused(lua_State* L, const char* path) {
    lua_pushnil(L);
    lua_pushfstring(L, "%s: access refused", path);
    lua_pushinteger(L, EACCES);
    return 3;
}

/// Calls the original function (upvalue 1) with every argument and returns all its results.
int Forward(lua_State* L) {
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_insert(L, 1);
    lua_call(L, lua_gettop(L) - 1, LUA_MULTRET);
    return lua_gettop(L);
}

/// A function scripts may not call: upvalue 1 its name, upvalue 2 why.
int RefuseCall(lua_State* L) {
    const char* name = lua_tostring(L, lua_upvalueindex(1));
    const char* why = lua_tostring(L, lua_upvalueindex(2));
    ReportRefusal(L, name, why);
    lua_pushnil(L);
    lua_pushfstring(L, "%s: refused in game scripts (%s)", name, why);
    return 2;
}

void ReplaceWithRefusal(lua_State* L, const char* library, const char* field, const char* why) {
    lua_getglobal(L, library);
    if (lua_istable(L, -1)) {
        lua_pushfstring(L, "%s.%s", library, field);
        lua_pushstring(L, why);
        lua_pushcclosure(L, RefuseCall, 2);
        lua_setfield(L, -2, field);
    }
    lua_pop(L, 1);
}

/// Sets library.field (or the global `field` when library is null) to `wrapper` over the original.
void Wrap(lua_State* L, const char* library, const char* field, lua_CFunction wrapper) {
    if (library) lua_getglobal(L, library);
    else lua_rawgeti(L, LUA_REGISTRYINDEX, LUA_RIDX_GLOBALS);
    if (lua_istable(L, -1)) {
        lua_getfield(L, -1, field);
        lua_pushcclosure(L, wrapper, 1);
        lua_setfield(L, -2, field);
    }
    lua_pop(L, 1);
}

// --- files ---------------------------------------------------------------------------------

int OpenFile(lua_State* L) {
    const char* path = luaL_checkstring(L, 1);
    const char* mode = luaL_optstring(L, 2, "r");
    const bool reading = std::strcmp(mode, "r") == 0 || std::strcmp(mode, "rb") == 0;
    if (!Permit(L, "io.open", path, reading ? Access::Read : Access::Write))
        return PushAccessRefused(L, path);
    return Forward(L);
}

int RemoveFile(lua_State* L) {
    const char* path = luaL_checkstring(L, 1);
    if (!Permit(L, "os.remove", path, Access::Write)) return PushAccessRefused(L, path);
    return Forward(L);
}

int RenameFile(lua_State* L) {
    const char* from = luaL_checkstring(L, 1);
    const char* to = luaL_checkstring(L, 2);
    if (!Permit(L, "os.rename", from, Access::Write)) return PushAccessRefused(L, from);
    if (!Permit(L, "os.rename", to, Access::Write)) return PushAccessRefused(L, to);
    return Forward(L);
}

/// io.lines and io.input: a file name opens the file for reading (a handle or nothing does not).
int OpenForReading(lua_State* L) {
    if (lua_type(L, 1) == LUA_TSTRING) {
        const char* path = lua_tostring(L, 1);
        if (!Permit(L, "io.lines or io.input", path, Access::Read)) return luaL_error(L, "%s: access refused", path);
    }
    return Forward(L);
}

/// io.output: a file name opens the file for writing.
int OpenForWriting(lua_State* L) {
    if (lua_type(L, 1) == LUA_TSTRING) {
        const char* path = lua_tostring(L, 1);
        if (!Permit(L, "io.output", path, Access::Write)) return luaL_error(L, "%s: access refused", path);
    }
    return Forward(L);
}

// --- chunks --------------------------------------------------------------------------------

bool IsBinaryRefusal(lua_State* L, int index) {
    const char* message = lua_tostring(L, index);
    return message && std::strstr(message, "attempt to load a binary chunk");
}

void ReportBinary(lua_State* L, const char* call) {
    ReportRefusal(L, std::string(call) + " of a binary chunk", "scripts load Lua text only");
}

/// load and loadfile (upvalue 1 the original; its mode is argument `modeIndex`): text only.
int LoadText(lua_State* L, int modeIndex) {
    if (lua_gettop(L) < modeIndex) lua_settop(L, modeIndex);
    lua_pushliteral(L, "t");
    lua_replace(L, modeIndex);
    const int results = Forward(L);
    if (results >= 2 && lua_isnil(L, 1) && IsBinaryRefusal(L, 2)) ReportBinary(L, modeIndex == 3 ? "load" : "loadfile");
    return results;
}

int Load(lua_State* L) { return LoadText(L, 3); }

int LoadFile(lua_State* L) {
    if (lua_isnoneornil(L, 1)) {
        ReportRefusal(L, "loadfile from standard input", "scripts load files by name");
        lua_pushnil(L);
        lua_pushliteral(L, "loadfile: standard input refused in game scripts");
        return 2;
    }
    const char* path = luaL_checkstring(L, 1);
    if (!Permit(L, "loadfile", path, Access::Read)) return PushAccessRefused(L, path);
    return LoadText(L, 2);
}

int DoFileResults(lua_State* L, int, lua_KContext) { return lua_gettop(L) - 1; }

int DoFile(lua_State* L) {
    if (lua_isnoneornil(L, 1)) {
        ReportRefusal(L, "dofile from standard input", "scripts load files by name");
        return luaL_error(L, "dofile: standard input refused in game scripts");
    }
    const char* path = luaL_checkstring(L, 1);
    lua_settop(L, 1);
    if (!Permit(L, "dofile", path, Access::Read)) return luaL_error(L, "%s: access refused", path);
    if (luaL_loadfilex(L, path, "t") != LUA_OK) {
        if (IsBinaryRefusal(L, -1)) ReportBinary(L, "dofile");
        return lua_error(L);
    }
    lua_callk(L, 0, LUA_MULTRET, 0, DoFileResults);
    return DoFileResults(L, 0, 0);
}

/// The searcher of Lua files for require, in place of Lua's Lua and C searchers: the templates of
/// package.path (upvalue 1 is the package table), files the read rule allows, text only.
int SearchScript(lua_State* L) {
    const char* name = luaL_checkstring(L, 1);
    lua_getfield(L, lua_upvalueindex(1), "path");
    const char* templates = lua_tostring(L, -1);
    if (!templates) return luaL_error(L, "'package.path' must be a string");
    const char* module = luaL_gsub(L, name, ".", "/");
    luaL_Buffer tried;
    luaL_buffinit(L, &tried);
    for (const char* next = templates; *next;) {
        if (*next == ';') {
            ++next;
            continue;
        }
        const char* end = std::strchr(next, ';');
        if (!end) end = next + std::strlen(next);
        lua_pushlstring(L, next, static_cast<size_t>(end - next));
        next = end;
        const char* file = luaL_gsub(L, lua_tostring(L, -1), "?", module);
        lua_remove(L, -2);
        FILE* probe = std::fopen(file, "r");
        if (probe) std::fclose(probe);
        if (probe && Permit(L, "require", file, Access::Read)) {
            if (luaL_loadfilex(L, file, "t") != LUA_OK) {
                if (IsBinaryRefusal(L, -1)) ReportBinary(L, "require");
                return luaL_error(L, "error loading module '%s' from file '%s':\n\t%s", name, file, lua_tostring(L, -1));
            }
            lua_pushstring(L, file);
            return 2;
        }
        lua_pushfstring(L, probe ? "\n\tfile '%s' refused (outside the resource folders)" : "\n\tno file '%s'", file);
        lua_remove(L, -2);
        luaL_addvalue(&tried);
    }
    luaL_pushresult(&tried);
    return 1;
}

/// In place of Lua's C searchers: a native module named by package.cpath (upvalue 1 the package
/// table) is refused with a log line; nothing is ever loaded.
int RefuseNativeModule(lua_State* L) {
    const char* name = luaL_checkstring(L, 1);
    lua_getfield(L, lua_upvalueindex(1), "cpath");
    const char* templates = lua_tostring(L, -1);
    if (!templates) return 0;
    const char* module = luaL_gsub(L, name, ".", "/");
    for (const char* next = templates; *next;) {
        const char* end = std::strchr(next, ';');
        if (!end) end = next + std::strlen(next);
        lua_pushlstring(L, next, static_cast<size_t>(end - next));
        next = *end ? end + 1 : end;
        const char* file = luaL_gsub(L, lua_tostring(L, -1), "?", module);
        FILE* probe = *file ? std::fopen(file, "r") : nullptr;
        if (probe) {
            std::fclose(probe);
            ReportRefusal(L, "require of the native module \"" + Printable(file) + "\"", "scripts may not load native code");
            lua_pushfstring(L, "\n\tnative module '%s' refused in game scripts", file);
            return 1;
        }
        lua_pop(L, 2);
    }
    return 0;
}

void InstallSearchers(lua_State* L) {
    lua_getglobal(L, "package");
    if (!lua_istable(L, -1)) {
        lua_pop(L, 1);
        return;
    }
    lua_getfield(L, -1, "searchers");
    if (lua_istable(L, -1)) {
        // Keep the preload searcher; the Lua searcher becomes ours; the two C searchers become
        // one that only refuses.
        lua_pushvalue(L, -2);
        lua_pushcclosure(L, SearchScript, 1);
        lua_rawseti(L, -2, 2);
        lua_pushvalue(L, -2);
        lua_pushcclosure(L, RefuseNativeModule, 1);
        lua_rawseti(L, -2, 3);
        lua_pushnil(L);
        lua_rawseti(L, -2, 4);
    }
    lua_pop(L, 2);
}

// --- the rest --------------------------------------------------------------------------------

/// setmetatable without finalizers: Lua runs __gc with hooks off, where a loop could not be stopped.
int SetMetatable(lua_State* L) {
    lua_settop(L, 2);
    if (lua_type(L, 2) == LUA_TTABLE) {
        lua_pushliteral(L, "__gc");
        if (lua_rawget(L, 2) != LUA_TNIL) {
            ReportRefusal(L, "setmetatable with __gc", "finalizers cannot be stopped when they run away");
            return luaL_error(L, "setmetatable: a __gc finalizer is refused in game scripts");
        }
        lua_pop(L, 1);
    }
    return Forward(L);
}

void NarrowDebugLibrary(lua_State* L) {
    std::vector<std::string> refused;
    lua_getglobal(L, "debug");
    if (!lua_istable(L, -1)) {
        lua_pop(L, 1);
        return;
    }
    lua_pushnil(L);
    while (lua_next(L, -2)) {
        lua_pop(L, 1);
        const char* key = lua_type(L, -1) == LUA_TSTRING ? lua_tostring(L, -1) : nullptr;
        if (key && std::strcmp(key, "traceback") != 0 && std::strcmp(key, "getinfo") != 0) refused.emplace_back(key);
    }
    lua_pop(L, 1);
    // The rest reaches hooks, upvalues, locals and the registry: the way around every rule here.
    for (const std::string& field : refused)
        ReplaceWithRefusal(L, "debug", field.c_str(), "scripts use only debug.traceback and debug.getinfo");
}

} // namespace

bool ScriptMayRead(const std::string& path) { return MayAccess(path, Access::Read); }
bool ScriptMayWrite(const std::string& path) { return MayAccess(path, Access::Write); }

std::string ScriptChunkName(const lua_Debug& ar) {
    if (ar.source && (ar.source[0] == '@' || ar.source[0] == '=')) return ar.source + 1;
    return ar.short_src;
}

std::string RunningScriptName(lua_State* L, int level) {
    lua_Debug ar;
    for (; lua_getstack(L, level, &ar); ++level) {
        if (lua_getinfo(L, "S", &ar) && std::strcmp(ar.what, "C") != 0) return ScriptChunkName(ar);
    }
    return "(no script)";
}

void InstallScriptSandbox(lua_State* L) {
    ReplaceWithRefusal(L, "os", "execute", "scripts may not run programs");
    ReplaceWithRefusal(L, "io", "popen", "scripts may not run programs");
    ReplaceWithRefusal(L, "os", "exit", "scripts may not end the game");
    ReplaceWithRefusal(L, "package", "loadlib", "scripts may not load native code");
    ReplaceWithRefusal(L, "io", "tmpfile", "scripts write files only below the game's folder");
    ReplaceWithRefusal(L, "os", "tmpname", "scripts write files only below the game's folder");
    Wrap(L, "io", "open", OpenFile);
    Wrap(L, "io", "lines", OpenForReading);
    Wrap(L, "io", "input", OpenForReading);
    Wrap(L, "io", "output", OpenForWriting);
    Wrap(L, "os", "remove", RemoveFile);
    Wrap(L, "os", "rename", RenameFile);
    Wrap(L, nullptr, "load", Load);
    Wrap(L, nullptr, "loadfile", LoadFile);
    Wrap(L, nullptr, "setmetatable", SetMetatable);
    lua_pushcfunction(L, DoFile);
    lua_setglobal(L, "dofile");
    InstallSearchers(L);
    NarrowDebugLibrary(L);
}

} // namespace zumek
