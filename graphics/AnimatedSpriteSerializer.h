// graphics/AnimatedSpriteSerializer.h
#pragma once
#include <memory>

#include "content/ComponentSource.h"
#include "content/ContentProvider.h"
#include "graphics/AnimatedSprite.h"

namespace zumek {

/// Reads an "animatedSprite" component: "shader" with the attributes "key" and "boneShader",
/// and the "model" text, all required. Null (reported, naming what is missing) without them.
class AnimatedSpriteSerializer final : public ContentSerializer<std::unique_ptr<AnimatedSprite>> {
public:
    AnimatedSpriteSerializer(const tinyxml2::XMLElement& element, const ComponentSource& source)
        : m_element(element), m_source(source) {}
    std::unique_ptr<AnimatedSprite> Deserialize() override;

private:
    const tinyxml2::XMLElement& m_element;
    const ComponentSource& m_source;
};

} // namespace zumek
