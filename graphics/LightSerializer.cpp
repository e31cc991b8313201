// graphics/LightSerializer.cpp
#include "graphics/LightSerializer.h"

#include <tinyxml2.h>

#include "content/XmlReading.h"

namespace zumek {

std::unique_ptr<Light> LightSerializer::Deserialize() {
    glm::vec3 intensity(0.0f);
    if (const tinyxml2::XMLElement* child = m_element.FirstChildElement("intensity")) {
        // "liner" is the log's fixed text.
        static constexpr VectorAttributes kIntensity{
            {"constant", "linear", "exponential"},
            {"Reading constant intensity attribute", "Reading liner intensity attribute",
             "Reading exponential intensity attribute"}};
        ReadVectorAttributes(m_source, *child, kIntensity, 0.0f, intensity);
    } else {
        ReportRead(m_source, &m_element, "Reading intensity attribute", "has no <intensity>; every term is 0");
    }
    glm::vec3 color(1.0f);
    if (const tinyxml2::XMLElement* child = m_element.FirstChildElement("LightColor")) {
        static constexpr VectorAttributes kColor{{"r", "g", "b"}, {nullptr, nullptr, nullptr}};
        ReadVectorAttributes(m_source, *child, kColor, 1.0f, color);
    }
    glm::vec3 volume(2.0f);
    if (const tinyxml2::XMLElement* child = m_element.FirstChildElement("Volume")) {
        static constexpr VectorAttributes kVolume{{"x", "y", "z"}, {nullptr, nullptr, nullptr}};
        ReadVectorAttributes(m_source, *child, kVolume, 2.0f, volume);
    }
    auto light = std::make_unique<Light>();
    light->SetIntensity(intensity.x, intensity.y, intensity.z);
    light->SetColor(color);
    light->SetVolume(volume);
    return light;
}

} // namespace zumek
