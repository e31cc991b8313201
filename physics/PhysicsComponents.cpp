// physics/PhysicsComponents.cpp
#include "physics/PhysicsComponents.h"

#include <typeindex>

#include "content/ComponentRegistry.h"
#include "objects/ComponentKeys.h"
#include "physics/BodySerializer.h"

namespace zumek {

void RegisterPhysicsComponents() {
    ComponentRegistry::Instance().Register(
        {BODY_COMPONENT_KEY, true, std::type_index(typeid(Body)),
         [](const tinyxml2::XMLElement& element, const ComponentSource& source) -> Component* {
             return BodySerializer(element, source).Deserialize();
         },
         [](const Component& prototype) -> Component* {
             // A fresh body from the prototype's settings: its own collider, at rest.
             const auto& body = static_cast<const Body&>(prototype);
             return new Body(body.GetExtents(), body.GetShape(), body.GetMaterial().id, body.IsStatic());
         }});
}

} // namespace zumek
