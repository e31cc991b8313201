// graphics/ParticlesSerializer.cpp
#include "graphics/ParticlesSerializer.h"

#include <tinyxml2.h>

#include "content/XmlReading.h"

namespace zumek {
namespace {

constexpr const char* kFailure = "Reading particles";

struct VectorField {
    const char* element;
    const char* names[3];
    glm::vec4 ParticleSettings::*field;
};

constexpr VectorField kVectorFields[] = {
    {"PositionShift", {"x", "y", "z"}, &ParticleSettings::positionShift},
    {"StartColor", {"r", "g", "b"}, &ParticleSettings::startColor},
    {"EndColor", {"r", "g", "b"}, &ParticleSettings::endColor},
    {"Velocity", {"x", "y", "z"}, &ParticleSettings::velocity},
    {"VelocityRange", {"x", "y", "z"}, &ParticleSettings::velocityRange},
    {"Life", {"x", "y", "z"}, &ParticleSettings::life},
    {"LifeRange", {"x", "y", "z"}, &ParticleSettings::lifeRange},
    {"Size", {"x", "y", "z"}, &ParticleSettings::size},
    {"SizeRange", {"x", "y", "z"}, &ParticleSettings::sizeRange},
};

} // namespace

bool ParticlesSerializer::ReadSettings(ParticleSettings& settings) {
    const tinyxml2::XMLElement* count = m_element.FirstChildElement("maxparticles");
    if (!count) {
        ReportRead(m_source, &m_element, kFailure, "has no <maxparticles>; the component is skipped");
        return false;
    }
    int maxParticles = 0;
    if (ReadIntText(*count, maxParticles) != NumberRead::Ok || maxParticles <= 0) {
        // The count sizes a GPU buffer: a negative one would wrap to a huge allocation.
        ReportRead(m_source, count, kFailure, "needs a whole number above 0; the component is skipped");
        return false;
    }
    settings.maxParticles = maxParticles;

    if (const tinyxml2::XMLElement* texture = m_element.FirstChildElement("texture"))
        if (const char* name = texture->Attribute("name")) settings.texture = name;

    if (const tinyxml2::XMLElement* shaders = m_element.FirstChildElement("shaders")) {
        if (const char* initialize = shaders->Attribute("INITIALIZE_CP")) {
            const char* update = shaders->Attribute("UPDATE_CP");
            const char* display = shaders->Attribute("DISPLAY");
            if (!update || !display) {
                ReportRead(m_source, shaders, kFailure,
                           std::string("has INITIALIZE_CP but no '") + (update ? "DISPLAY" : "UPDATE_CP") +
                               "'; the component is skipped");
                return false;
            }
            settings.initializeShader = initialize;
            settings.updateShader = update;
            settings.displayShader = display;
        }
    }

    glm::vec3 scratch(1.0f);
    for (const VectorField& field : kVectorFields) {
        const tinyxml2::XMLElement* child = m_element.FirstChildElement(field.element);
        if (!child) continue;
        for (int i = 0; i < 3; ++i) {
            if (ReadFloatAttribute(*child, field.names[i], scratch[i]) == NumberRead::Invalid)
                ReportRead(m_source, child, "Reading a number attribute",
                           std::string("'") + field.names[i] + "' is not a number; the previous value is kept");
        }
        settings.*field.field = glm::vec4(scratch, 1.0f);
    }
    return true;
}

std::unique_ptr<Particles> ParticlesSerializer::Deserialize() {
    ParticleSettings settings;
    if (!ReadSettings(settings)) return nullptr;
    return std::make_unique<Particles>(settings);
}

} // namespace zumek
