// graphics/GraphicsComponents.cpp
#include "graphics/GraphicsComponents.h"

#include "content/ComponentRegistry.h"
#include "content/SettinglessReader.h"
#include "graphics/AnimatedSpriteSerializer.h"
#include "graphics/Hud.h"
#include "graphics/LightSerializer.h"
#include "graphics/ParticlesSerializer.h"
#include "graphics/PickingListener.h"
#include "graphics/Sprite.h"
#include "graphics/SpriteReader.h"
#include "objects/ComponentKeys.h"

namespace zumek {

void RegisterGraphicsComponents() {
    ComponentRegistry& registry = ComponentRegistry::Instance();
    registry.Register(KindOf<Sprite, SpriteReader<Sprite>>(SPRITE_COMPONENT_KEY, true));
    registry.Register(KindOf<Hud, SpriteReader<Hud>>(HUD_COMPONENT_KEY, false));
    registry.Register(KindOf<Light, LightSerializer>(LIGHT_COMPONENT_KEY, true));
    registry.Register(KindOf<AnimatedSprite, AnimatedSpriteSerializer>(ANIMATEDSPRITE_COMPONENT_KEY, true));
    registry.Register(KindOf<Particles, ParticlesSerializer>(PARTICLES_COMPONENT_KEY, true));
    // Listeners carry no settings: every object gets a fresh one.
    registry.Register(KindOf<PickingListener, SettinglessReader<PickingListener>>(PICKINGLISTENER_COMPONENT_KEY, true,
                                                                                 &FreshComponent<PickingListener>));
}

} // namespace zumek
