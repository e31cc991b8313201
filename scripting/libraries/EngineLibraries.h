// scripting/libraries/EngineLibraries.h
#pragma once
#include <span>

#include <lua.hpp>

namespace zumek {

/// One engine library: the global table name scripts use and its opener (which leaves the new
/// library table on the stack).
struct EngineLibrary {
    const char* name;
    lua_CFunction open;
};

/// The 19 engine libraries, in registration order.
std::span<const EngineLibrary> EngineLibraries();

int OpenScriptingLibrary(lua_State* L);
int OpenSoundLibrary(lua_State* L);
int OpenTransformLibrary(lua_State* L);
int OpenBodyLibrary(lua_State* L);
int OpenSpriteLibrary(lua_State* L);
int OpenObjectLibrary(lua_State* L);
int OpenInputLibrary(lua_State* L);
int OpenCameraLibrary(lua_State* L);
int OpenPhysicsLibrary(lua_State* L);
int OpenObjectManagerLibrary(lua_State* L);
int OpenSettingManagerLibrary(lua_State* L);
/// Also sets the INPUT_* button globals.
int OpenInputManagerLibrary(lua_State* L);
int OpenPickingListenerLibrary(lua_State* L);
int OpenSignalManagerLibrary(lua_State* L);
int OpenVecLibrary(lua_State* L);
int OpenParticlesLibrary(lua_State* L);
int OpenPlaceManagerLibrary(lua_State* L);
int OpenLightLibrary(lua_State* L);
int OpenSpeechWindowLibrary(lua_State* L);

} // namespace zumek
