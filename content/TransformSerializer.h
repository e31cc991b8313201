// content/TransformSerializer.h
#pragma once
#include <memory>

#include "content/ComponentSource.h"
#include "content/ContentProvider.h"
#include "objects/Transform.h"

namespace zumek {

/// Reads a "transform" component: "translate", "rotation" (degrees) and "scale", each with
/// attributes x, y, z. A missing element gives (0,0,0), (0,0,0) or (1,1,1); a missing or
/// unreadable attribute gives 0 (also for scale). Every fallback is reported.
class TransformSerializer final : public ContentSerializer<std::unique_ptr<Transform>> {
public:
    TransformSerializer(const tinyxml2::XMLElement& element, const ComponentSource& source)
        : m_element(element), m_source(source) {}
    std::unique_ptr<Transform> Deserialize() override;

private:
    const tinyxml2::XMLElement& m_element;
    const ComponentSource& m_source;
};

} // namespace zumek
