// graphics/SpriteReader.h
#pragma once
#include <memory>
#include <string>
#include <type_traits>
#include <utility>

#include "content/ComponentSource.h"
#include "content/ContentProvider.h"
#include "graphics/SpriteBase.h"

namespace zumek {

/// Applies a sprite description ("shader", "model", "multiplier", "SpriteColor", "textures") to
/// `sprite` (read from a "sprite" or "hud" element) in the designed order: model, effect,
/// multiplier, colour, then each texture entry.
/// Missing shader or model text gives the defaults, a missing multiplier 0, a missing colour
/// component 1. A texture entry without "name" or "property", or naming an unknown slot, is
/// reported and skipped.
void ApplySpriteDescription(SpriteBase& sprite, const tinyxml2::XMLElement& element, const ComponentSource& source,
                            const std::string& defaultShader, const std::string& defaultModel);

/// Reads a "sprite" or "hud" component (see ApplySpriteDescription) into a new T: the "sprite"
/// kind reads Sprites, the "hud" kind Huds; either element reads as either class.
template <class T>
class SpriteReader final : public ContentSerializer<std::unique_ptr<T>> {
    static_assert(std::is_base_of_v<SpriteBase, T>, "a sprite reader builds a SpriteBase");

public:
    SpriteReader(const tinyxml2::XMLElement& element, const ComponentSource& source,
                 std::string defaultShader = "NORMAL_SHADER", std::string defaultModel = "cube")
        : m_element(element), m_source(source), m_defaultShader(std::move(defaultShader)),
          m_defaultModel(std::move(defaultModel)) {}

    std::unique_ptr<T> Deserialize() override {
        auto sprite = std::make_unique<T>();
        ApplySpriteDescription(*sprite, m_element, m_source, m_defaultShader, m_defaultModel);
        return sprite;
    }

private:
    const tinyxml2::XMLElement& m_element;
    const ComponentSource& m_source;
    std::string m_defaultShader;
    std::string m_defaultModel;
};

} // namespace zumek
