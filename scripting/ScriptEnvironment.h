// scripting/ScriptEnvironment.h
#pragma once

struct lua_State;

namespace zumek {

/// What the game's scripts find around the engine libraries in a new Lua state:
/// - `require(name)` loads "resources/scripts/<name>.lua", the user's copy in
///   "<documents>/Tovalik/resources/scripts/" first, so script classes share helper modules the
///   same way they are overridden; native modules are never loaded.
/// - `LEVEL_STATE_FOLDER`, the folder (with a trailing '/') where the scripts keep the level
///   states; it is created when missing (one log line when that fails).
/// - Lua's standard library narrowed by the sandbox of ScriptSandbox.h.
void PrepareScriptEnvironment(lua_State* L);

} // namespace zumek
