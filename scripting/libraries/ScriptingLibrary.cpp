// scripting/libraries/ScriptingLibrary.cpp
// Scripting: output hook and picking requests.
#include <cstdio>

#include <glm/vec4.hpp>

#include "engine/EngineLog.h"

#include "engine/InputEvent.h"
#include "input/InputEvents.h"
#include "scripting/ScriptArguments.h"
#include "scripting/libraries/EngineLibraries.h"

namespace zumek {
namespace {

/// Outputs(text): accepted and dropped; scripts call it where a debug console would print.
int Outputs(lua_State*) { return 0; }

/// Log(text) and Warn(text): one engine log line from a script (a warning also goes to standard
/// error). Non-string arguments are written in Lua's text form.
int WriteLog(lua_State* L, LogLevel level) {
    const char* text = luaL_tolstring(L, 1, nullptr);
    EngineLog::Instance().Write(level, text ? text : "");
    if (level != Info) {
        std::fprintf(stderr, "tovalik: %s\n", text ? text : "");
        std::fflush(stderr);
    }
    lua_pop(L, 1);
    return 0;
}
int Log(lua_State* L) { return WriteLog(L, Info); }
int Warn(lua_State* L) { return WriteLog(L, Warning); }

/// RequestQueryPicking(x, y): stores the screen position to pick at and posts the picking request.
int RequestQueryPicking(lua_State* L) {
    InputEvents& events = InputEvents::Instance();
    events.clickPosition = glm::vec4(script::Float(L, 1), script::Float(L, 2), 0.0f, 0.0f);
    events.Raise(input_event::QUERY_PICKING);
    return 0;
}

constexpr luaL_Reg kFunctions[] = {
    {"Outputs", Outputs},
    {"RequestQueryPicking", RequestQueryPicking},
    {"Log", Log},
    {"Warn", Warn},
    {nullptr, nullptr},
};

} // namespace

int OpenScriptingLibrary(lua_State* L) {
    luaL_newlib(L, kFunctions);
    return 1;
}

} // namespace zumek
