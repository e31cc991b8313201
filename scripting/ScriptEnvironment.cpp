// scripting/ScriptEnvironment.cpp
#include "scripting/ScriptEnvironment.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include <lua.hpp>

#include "engine/EngineLog.h"
#include "platform/Paths.h"
#include "scripting/ScriptSandbox.h"

namespace zumek {
namespace {

void SetPackageField(lua_State* L, const char* field, const std::string& value) {
    lua_getglobal(L, "package");
    if (lua_istable(L, -1)) {
        lua_pushstring(L, value.c_str());
        lua_setfield(L, -2, field);
    }
    lua_pop(L, 1);
}

/// Lua's search templates use ';' between entries and '?' for the name: a folder holding either
/// cannot be searched safely, so it is left out.
bool UsableInSearchPath(const std::string& folder) {
    return folder.find(';') == std::string::npos && folder.find('?') == std::string::npos;
}

} // namespace

void PrepareScriptEnvironment(lua_State* L) {
    std::string path;
    for (const std::string& folder : {Paths::GameFolder() + "/resources/scripts/", Paths::Resolve("resources/scripts/")}) {
        if (!UsableInSearchPath(folder)) continue;
        if (!path.empty()) path += ';';
        path += folder + "?.lua";
    }
    SetPackageField(L, "path", path);
    SetPackageField(L, "cpath", "");

    const std::string folder = Paths::LevelStateFolder();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        const std::string text = "Level states cannot be kept: the folder " + folder + " cannot be created (" + error.message() + ")";
        EngineLog::Instance().WriteWarning(text);
        std::fprintf(stderr, "tovalik: %s\n", text.c_str());
    }
    lua_pushstring(L, folder.c_str());
    lua_setglobal(L, "LEVEL_STATE_FOLDER");
    InstallScriptSandbox(L);
}

} // namespace zumek
