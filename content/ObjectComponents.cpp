// content/ObjectComponents.cpp
#include "content/ObjectComponents.h"

#include "content/ComponentRegistry.h"
#include "content/SettinglessReader.h"
#include "content/TransformSerializer.h"
#include "objects/Camera.h"
#include "objects/ComponentKeys.h"

namespace zumek {
namespace {

std::unique_ptr<Component> CloneTransform(const Component& prototype) {
    // Prototypes have no owner and no parent: their values are local.
    const auto& transform = static_cast<const Transform&>(prototype);
    return std::make_unique<Transform>(transform.GetPosition(), transform.GetScale(), transform.GetRotationDegrees());
}

} // namespace

void RegisterObjectComponents() {
    ComponentRegistry& registry = ComponentRegistry::Instance();
    registry.Register(KindOf<Transform, TransformSerializer>(TRANSFORM_COMPONENT_KEY, true, &CloneTransform));
    // Cameras carry no settings: every object gets a fresh one.
    registry.Register(KindOf<Camera, SettinglessReader<Camera>>(CAMERA_COMPONENT_KEY, true, &FreshComponent<Camera>));
}

} // namespace zumek
