// physics/BodySerializer.h
#pragma once
#include <memory>
#include <string>

#include "content/ComponentSource.h"
#include "content/ContentProvider.h"
#include "physics/Body.h"

namespace zumek {

/// Reads a "body" component: "isStatic" (true without it), "collider" ("Box" without it),
/// "material" ("Ground" without it) and "extents" (x, y, z; a missing component is 1, a missing
/// element gives (0, 0, 1)). Each fallback is reported, and so is a collider or material name it
/// does not know (a plane and "Wall", as before).
class BodySerializer final : public ContentSerializer<std::unique_ptr<Body>> {
public:
    BodySerializer(const tinyxml2::XMLElement& element, const ComponentSource& source)
        : m_element(element), m_source(source) {}
    std::unique_ptr<Body> Deserialize() override;

    /// The shape index of a collider name; any other text gives 1 (plane).
    static int32_t ColliderValue(const std::string& text);
    /// The material id of a material name; any other text gives 1 ("Wall").
    static int32_t MaterialValue(const std::string& text);

private:
    const tinyxml2::XMLElement& m_element;
    const ComponentSource& m_source;
};

} // namespace zumek
