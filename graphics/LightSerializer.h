// graphics/LightSerializer.h
#pragma once
#include <memory>

#include "content/ComponentSource.h"
#include "content/ContentProvider.h"
#include "graphics/Light.h"

namespace zumek {

/// Reads a "light" component: "intensity" (constant, linear, exponential; each missing term 0,
/// reported), "LightColor" (r, g, b; 1 each) and "Volume" (x, y, z; 2 each).
class LightSerializer final : public ContentSerializer<std::unique_ptr<Light>> {
public:
    LightSerializer(const tinyxml2::XMLElement& element, const ComponentSource& source)
        : m_element(element), m_source(source) {}
    std::unique_ptr<Light> Deserialize() override;

private:
    const tinyxml2::XMLElement& m_element;
    const ComponentSource& m_source;
};

} // namespace zumek
