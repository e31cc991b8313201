// graphics/GraphicsComponents.cpp
#include "graphics/GraphicsComponents.h"

#include <typeindex>

#include "content/ComponentRegistry.h"
#include "graphics/AnimatedSpriteSerializer.h"
#include "graphics/HudSerializer.h"
#include "graphics/LightSerializer.h"
#include "graphics/ParticlesSerializer.h"
#include "graphics/PickingListenerSerializer.h"
#include "graphics/SpriteSerializer.h"
#include "objects/ComponentKeys.h"

namespace zumek {
namespace {

/// A kind whose reader is serializer S and whose clone copies the prototype's settings.
template <class C, class S>
ComponentKind CopiedKind(const char* key, bool acceptedInLevels) {
    return {key, acceptedInLevels, std::type_index(typeid(C)),
            [](const tinyxml2::XMLElement& element, const ComponentSource& source) -> Component* {
                return S(element, source).Deserialize();
            },
            [](const Component& prototype) -> Component* { return new C(static_cast<const C&>(prototype)); }};
}

} // namespace

void RegisterGraphicsComponents() {
    ComponentRegistry& registry = ComponentRegistry::Instance();
    registry.Register(CopiedKind<Sprite, SpriteSerializer>(SPRITE_COMPONENT_KEY, true));
    registry.Register(CopiedKind<Hud, HudSerializer>(HUD_COMPONENT_KEY, false));
    registry.Register(CopiedKind<Light, LightSerializer>(LIGHT_COMPONENT_KEY, true));
    registry.Register(CopiedKind<AnimatedSprite, AnimatedSpriteSerializer>(ANIMATEDSPRITE_COMPONENT_KEY, true));
    registry.Register(CopiedKind<Particles, ParticlesSerializer>(PARTICLES_COMPONENT_KEY, true));
    // Listeners carry no settings: every object gets a fresh one.
    ComponentKind listener = CopiedKind<PickingListener, PickingListenerSerializer>(PICKINGLISTENER_COMPONENT_KEY, true);
    listener.clone = [](const Component&) -> Component* { return new PickingListener(); };
    registry.Register(listener);
}

} // namespace zumek
