// graphics/HudSerializer.h
#pragma once
#include <string>

#include "content/ComponentSource.h"
#include "content/ContentProvider.h"
#include "graphics/Hud.h"

namespace zumek {

/// Reads a "hud" component; the same form as a sprite (see ApplySpriteDescription).
class HudSerializer final : public ContentSerializer<Hud*> {
public:
    HudSerializer(const tinyxml2::XMLElement& element, const ComponentSource& source,
                  std::string defaultShader = "NORMAL_SHADER", std::string defaultModel = "cube")
        : m_element(element), m_source(source), m_defaultShader(std::move(defaultShader)),
          m_defaultModel(std::move(defaultModel)) {}
    Hud* Deserialize() override;

private:
    const tinyxml2::XMLElement& m_element;
    const ComponentSource& m_source;
    std::string m_defaultShader;
    std::string m_defaultModel;
};

} // namespace zumek
