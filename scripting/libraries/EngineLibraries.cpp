// scripting/libraries/EngineLibraries.cpp
#include "scripting/libraries/EngineLibraries.h"

namespace zumek {
namespace {

constexpr EngineLibrary kLibraries[] = {
    {"Scripting", OpenScriptingLibrary},
    {"Sound", OpenSoundLibrary},
    {"Transform", OpenTransformLibrary},
    {"Body", OpenBodyLibrary},
    {"Sprite", OpenSpriteLibrary},
    {"Object", OpenObjectLibrary},
    {"Input", OpenInputLibrary},
    {"Camera", OpenCameraLibrary},
    {"Physics", OpenPhysicsLibrary},
    {"ObjectManager", OpenObjectManagerLibrary},
    {"SettingManager", OpenSettingManagerLibrary},
    {"InputManager", OpenInputManagerLibrary},
    {"PickingListener", OpenPickingListenerLibrary},
    {"SignalManager", OpenSignalManagerLibrary},
    {"Vec", OpenVecLibrary},
    {"Particles", OpenParticlesLibrary},
    {"PlaceManager", OpenPlaceManagerLibrary},
    {"Light", OpenLightLibrary},
    {"SpeechWindow", OpenSpeechWindowLibrary},
};

} // namespace

std::span<const EngineLibrary> EngineLibraries() { return kLibraries; }

} // namespace zumek
