// graphics/SpriteSerializer.h
#pragma once
#include <string>

#include "content/ComponentSource.h"
#include "content/ContentProvider.h"
#include "graphics/Sprite.h"

namespace zumek {

/// Applies a sprite description ("shader", "model", "multiplier", "SpriteColor", "textures") to
/// `sprite` in the designed order: model, effect, multiplier, colour, then each texture entry.
/// Missing shader or model text gives the defaults, a missing multiplier 0, a missing colour
/// component 1. A texture entry without "name" or "property", or naming an unknown slot, is
/// reported and skipped.
void ApplySpriteDescription(SpriteBase& sprite, const tinyxml2::XMLElement& element, const ComponentSource& source,
                            const std::string& defaultShader, const std::string& defaultModel);

/// Reads a "sprite" component (a "hud" element read this way also becomes a Sprite).
class SpriteSerializer final : public ContentSerializer<Sprite*> {
public:
    SpriteSerializer(const tinyxml2::XMLElement& element, const ComponentSource& source,
                     std::string defaultShader = "NORMAL_SHADER", std::string defaultModel = "cube")
        : m_element(element), m_source(source), m_defaultShader(std::move(defaultShader)),
          m_defaultModel(std::move(defaultModel)) {}
    Sprite* Deserialize() override;

private:
    const tinyxml2::XMLElement& m_element;
    const ComponentSource& m_source;
    std::string m_defaultShader;
    std::string m_defaultModel;
};

} // namespace zumek
