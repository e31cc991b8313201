// graphics/AnimatedSpriteSerializer.cpp
#include "graphics/AnimatedSpriteSerializer.h"

#include <tinyxml2.h>

#include "content/XmlReading.h"

namespace zumek {

std::unique_ptr<AnimatedSprite> AnimatedSpriteSerializer::Deserialize() {
    const char* kFailure = "Reading animated sprite";
    const tinyxml2::XMLElement* shader = m_element.FirstChildElement("shader");
    if (!shader) {
        ReportRead(m_source, &m_element, kFailure, "has no <shader>; the component is skipped");
        return nullptr;
    }
    const char* key = shader->Attribute("key");
    const char* boneShader = shader->Attribute("boneShader");
    if (!key || !boneShader) {
        ReportRead(m_source, shader, kFailure,
                   std::string("has no '") + (key ? "boneShader" : "key") + "'; the component is skipped");
        return nullptr;
    }
    const char* model = ChildText(m_element, "model");
    if (!model) {
        ReportRead(m_source, &m_element, kFailure, "has no <model> text; the component is skipped");
        return nullptr;
    }
    auto sprite = std::make_unique<AnimatedSprite>();
    sprite->SetShaderKey(key);
    sprite->SetBoneShaderKey(boneShader);
    sprite->SetModel(model);
    return sprite;
}

} // namespace zumek
