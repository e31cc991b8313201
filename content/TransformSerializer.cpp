// content/TransformSerializer.cpp
#include "content/TransformSerializer.h"

#include <tinyxml2.h>

#include "content/XmlReading.h"

namespace zumek {
namespace {

/// Reads child `name`; without it the vector is `missing` and `elementMessage` is reported.
glm::vec3 ReadChild(const tinyxml2::XMLElement& component, const ComponentSource& source, const char* name,
                    const VectorAttributes& attributes, const glm::vec3& missing, const char* elementMessage) {
    const tinyxml2::XMLElement* child = component.FirstChildElement(name);
    if (!child) {
        ReportRead(source, &component, elementMessage, std::string("has no <") + name + ">; using the default");
        return missing;
    }
    glm::vec3 value(0.0f);
    ReadVectorAttributes(source, *child, attributes, 0.0f, value);
    return value;
}

} // namespace

std::unique_ptr<Transform> TransformSerializer::Deserialize() {
    static constexpr VectorAttributes kTranslate{
        {"x", "y", "z"},
        {"Reading Translate X attribute", "Reading Translate Y attribute", "Reading Translate Z attribute"}};
    // A missing z rotation shares the text of a missing rotation element.
    static constexpr VectorAttributes kRotation{
        {"x", "y", "z"}, {"Reading Rotation X attribute", "Reading Rotation Y attribute", "Reading Rotation attribute"}};
    static constexpr VectorAttributes kScale{
        {"x", "y", "z"}, {"Reading Scale X attribute", "Reading Scale Y attribute", "Reading Scale Z attribute"}};
    glm::vec3 position =
        ReadChild(m_element, m_source, "translate", kTranslate, glm::vec3(0.0f), "Reading Translate attribute");
    glm::vec3 rotation =
        ReadChild(m_element, m_source, "rotation", kRotation, glm::vec3(0.0f), "Reading Rotation attribute");
    glm::vec3 scale = ReadChild(m_element, m_source, "scale", kScale, glm::vec3(1.0f), "Reading Scale attribute");
    return std::make_unique<Transform>(position, scale, rotation);
}

} // namespace zumek
