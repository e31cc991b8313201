// physics/BodySerializer.cpp
#include "physics/BodySerializer.h"

#include <tinyxml2.h>

#include "content/XmlReading.h"

namespace zumek {

int32_t BodySerializer::ColliderValue(const std::string& text) {
    if (text == "Sphere") return Body::kShapeSphere;
    if (text == "Plane") return Body::kShapePlane;
    if (text == "Box") return Body::kShapeBox;
    if (text == "Ghost") return Body::kShapeGhost;
    return Body::kShapePlane;
}

int32_t BodySerializer::MaterialValue(const std::string& text) {
    for (const Material& material : kMaterials)
        if (text == material.name) return material.id;
    return kFallbackMaterial;
}

std::unique_ptr<Body> BodySerializer::Deserialize() {
    bool isStatic = true;
    const tinyxml2::XMLElement* staticElement = m_element.FirstChildElement("isStatic");
    if (!staticElement) {
        ReportRead(m_source, &m_element, "Error reading property isStatic", "has no <isStatic>; the body is static");
    } else if (staticElement->QueryBoolText(&isStatic) != tinyxml2::XML_SUCCESS) {
        isStatic = true;
        ReportRead(m_source, staticElement, "Error reading property isStatic",
                   "needs true, false or a number; the body is static");
    }

    const char* collider = ChildText(m_element, "collider");
    if (!collider) {
        ReportRead(m_source, &m_element, "Error reading property collider", "has no <collider> text; using Box");
        collider = "Box";
    }
    const char* material = ChildText(m_element, "material");
    if (!material) {
        ReportRead(m_source, &m_element, "Error reading property material", "has no <material> text; using Ground");
        material = "Ground";
    }

    // A name the engine does not know keeps its old meaning (a plane, the wall material), now
    // with a message: a misspelt "sphere" used to become a silent plane.
    if (ColliderValue(collider) == Body::kShapePlane && std::string(collider) != "Plane") {
        std::string detail = std::string("'").append(collider).append("' is not Sphere, Plane, Box or Ghost; using Plane");
        ReportRead(m_source, &m_element, "Error reading property collider", detail);
    }
    const char* fallback = kMaterials[kFallbackMaterial].name;
    if (MaterialValue(material) == kFallbackMaterial && std::string(material) != fallback) {
        std::string detail = std::string("'").append(material).append("' is not one of ");
        for (const Material& known : kMaterials) detail.append(known.name).append(", ");
        detail.resize(detail.size() - 2);
        detail.append("; using ").append(fallback);
        ReportRead(m_source, &m_element, "Error reading property material", detail);
    }

    glm::vec3 extents(0.0f, 0.0f, 1.0f);
    if (const tinyxml2::XMLElement* child = m_element.FirstChildElement("extents")) {
        static constexpr VectorAttributes kExtents{
            {"x", "y", "z"}, {"Error reading Extents X", "Error reading Extents Y", "Error reading Extents Z"}};
        ReadVectorAttributes(m_source, *child, kExtents, 1.0f, extents);
    } else {
        ReportRead(m_source, &m_element, "Error reading Extents", "has no <extents>; using (0, 0, 1)");
    }
    return std::make_unique<Body>(extents, ColliderValue(collider), MaterialValue(material), isStatic);
}

} // namespace zumek
