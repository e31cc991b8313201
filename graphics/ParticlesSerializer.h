// graphics/ParticlesSerializer.h
#pragma once
#include <memory>

#include "content/ComponentSource.h"
#include "content/ContentProvider.h"
#include "graphics/Particles.h"

namespace zumek {

/// Reads a "particles" component into ParticleSettings and builds the Particles from them.
///
/// "maxparticles" (a whole number above 0) is required; "texture" gives the texture key;
/// "shaders" gives the three programs, read only when "INITIALIZE_CP" is present, and then
/// "UPDATE_CP" and "DISPLAY" are required too. Null (reported) when a required value is missing.
///
/// The nine vector elements ("PositionShift", "StartColor", "EndColor", "Velocity",
/// "VelocityRange", "Life", "LifeRange", "Size", "SizeRange", read in that order) share one
/// scratch vector that starts at (1,1,1): each attribute present overwrites its component, and
/// the field becomes (scratch, 1). A component an element lacks therefore repeats the value of
/// the element read before it. An absent element leaves its field's default.
class ParticlesSerializer final : public ContentSerializer<std::unique_ptr<Particles>> {
public:
    ParticlesSerializer(const tinyxml2::XMLElement& element, const ComponentSource& source)
        : m_element(element), m_source(source) {}
    std::unique_ptr<Particles> Deserialize() override;

    /// The settings alone; false (reported) when a required value is missing.
    bool ReadSettings(ParticleSettings& settings);

private:
    const tinyxml2::XMLElement& m_element;
    const ComponentSource& m_source;
};

} // namespace zumek
