// fuzzers/ComponentKinds.cpp
#include "fuzzers/ComponentKinds.h"

#include "content/ObjectComponents.h"
#include "graphics/GraphicsComponents.h"
#include "objects/ComponentKeys.h"
#include "physics/PhysicsComponents.h"
#include "scripting/ScriptingComponents.h"

namespace zumek::fuzz {

void RegisterAllComponents() {
    RegisterObjectComponents();
    RegisterScriptingComponents();
    RegisterGraphicsComponents();
    RegisterPhysicsComponents();
}

const std::vector<std::string>& ComponentKeys() {
    static const std::vector<std::string> keys = {
        TRANSFORM_COMPONENT_KEY, SCRIPT_COMPONENT_KEY,         SPRITE_COMPONENT_KEY,
        HUD_COMPONENT_KEY,       LIGHT_COMPONENT_KEY,          BODY_COMPONENT_KEY,
        CAMERA_COMPONENT_KEY,    ANIMATEDSPRITE_COMPONENT_KEY, PICKINGLISTENER_COMPONENT_KEY,
        PARTICLES_COMPONENT_KEY};
    return keys;
}

} // namespace zumek::fuzz
