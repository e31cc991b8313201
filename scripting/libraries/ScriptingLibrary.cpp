// scripting/libraries/ScriptingLibrary.cpp
// Scripting: output hook and picking requests.
#include <glm/vec4.hpp>

#include "input/InputEvent.h"
#include "input/InputEvents.h"
#include "scripting/ScriptArguments.h"
#include "scripting/libraries/EngineLibraries.h"

namespace zumek {
namespace {

/// Outputs(text): accepted and dropped; scripts call it where a debug console would print.
int Outputs(lua_State*) { return 0; }

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
    {nullptr, nullptr},
};

} // namespace

int OpenScriptingLibrary(lua_State* L) {
    luaL_newlib(L, kFunctions);
    return 1;
}

} // namespace zumek
