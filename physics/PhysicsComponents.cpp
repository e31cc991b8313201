// physics/PhysicsComponents.cpp
#include "physics/PhysicsComponents.h"

#include "content/ComponentRegistry.h"
#include "objects/ComponentKeys.h"
#include "physics/BodySerializer.h"

namespace zumek {
namespace {

std::unique_ptr<Component> CloneBody(const Component& prototype) {
    // A fresh body from the prototype's settings: its own collider, at rest.
    const auto& body = static_cast<const Body&>(prototype);
    return std::make_unique<Body>(body.GetExtents(), body.GetShape(), body.GetMaterial().id, body.IsStatic());
}

} // namespace

void RegisterPhysicsComponents() {
    ComponentRegistry::Instance().Register(KindOf<Body, BodySerializer>(BODY_COMPONENT_KEY, true, &CloneBody));
}

} // namespace zumek
