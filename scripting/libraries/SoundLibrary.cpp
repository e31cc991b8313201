// scripting/libraries/SoundLibrary.cpp
// Sound: every function posts a signal to the sound engine; nothing waits for it.
#include "engine/SignalManager.h"
#include "scripting/ScriptArguments.h"
#include "scripting/libraries/EngineLibraries.h"

namespace zumek {
namespace {

int PlayEffect(lua_State* L) {
    SignalManager::Emit(SfxSignal{script::String(L, 1)});
    return 0;
}

int StartMusic(lua_State* L) {
    SignalManager::Emit(MusicSignal{script::String(L, 1), true});
    return 0;
}

int StopMusic(lua_State* L) {
    SignalManager::Emit(MusicSignal{script::String(L, 1), false});
    return 0;
}

/// Play3DSound(name, x, y, z) starts the event there; UpdateSoundPosition moves the playing one.
int EmitSound3D(lua_State* L, bool play) {
    glm::vec3 position = script::Vector(L, 2);
    SignalManager::Emit(Sound3DSignal{script::String(L, 1), position.x, position.y, position.z, play});
    return 0;
}
int Play3DSound(lua_State* L) { return EmitSound3D(L, true); }
int UpdateSoundPosition(lua_State* L) { return EmitSound3D(L, false); }

int UpdateListener(lua_State* L) {
    glm::vec3 position = script::Vector(L, 1);
    SignalManager::Emit(ListenerPositionSignal{position.x, position.y, position.z});
    return 0;
}

int PauseMusic(lua_State*) {
    SignalManager::Emit(SOUND_PAUSE_MUSIC);
    return 0;
}

int ResumeMusic(lua_State*) {
    SignalManager::Emit(SOUND_RESUME_MUSIC);
    return 0;
}

constexpr luaL_Reg kFunctions[] = {
    {"PlayEffect", PlayEffect},
    {"StartMusic", StartMusic},
    {"StopMusic", StopMusic},
    {"Play3DSound", Play3DSound},
    {"UpdateSoundPosition", UpdateSoundPosition},
    {"UpdateListener", UpdateListener},
    {"PauseMusic", PauseMusic},
    {"ResumeMusic", ResumeMusic},
    {nullptr, nullptr},
};

} // namespace

int OpenSoundLibrary(lua_State* L) {
    luaL_newlib(L, kFunctions);
    return 1;
}

} // namespace zumek
