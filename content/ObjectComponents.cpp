// content/ObjectComponents.cpp
#include "content/ObjectComponents.h"

#include <typeindex>

#include "content/CameraSerializer.h"
#include "content/ComponentRegistry.h"
#include "content/TransformSerializer.h"
#include "objects/ComponentKeys.h"

namespace zumek {

void RegisterObjectComponents() {
    ComponentRegistry& registry = ComponentRegistry::Instance();
    registry.Register({TRANSFORM_COMPONENT_KEY, true, std::type_index(typeid(Transform)),
                       [](const tinyxml2::XMLElement& element, const ComponentSource& source) -> Component* {
                           return TransformSerializer(element, source).Deserialize();
                       },
                       [](const Component& prototype) -> Component* {
                           // Prototypes have no owner and no parent: their values are local.
                           const auto& transform = static_cast<const Transform&>(prototype);
                           return new Transform(transform.GetPosition(), transform.GetScale(),
                                                transform.GetRotationDegrees());
                       }});
    registry.Register({CAMERA_COMPONENT_KEY, true, std::type_index(typeid(Camera)),
                       [](const tinyxml2::XMLElement& element, const ComponentSource& source) -> Component* {
                           return CameraSerializer(element, source).Deserialize();
                       },
                       // Cameras carry no settings: every object gets a fresh one.
                       [](const Component&) -> Component* { return new Camera(); }});
}

} // namespace zumek
