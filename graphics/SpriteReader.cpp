// graphics/SpriteReader.cpp
#include "graphics/SpriteReader.h"

#include <cstring>

#include <tinyxml2.h>

#include "content/XmlReading.h"
#include "platform/Assert.h"

namespace zumek {

void ApplySpriteDescription(SpriteBase& sprite, const tinyxml2::XMLElement& element, const ComponentSource& source,
                            const std::string& defaultShader, const std::string& defaultModel) {
    const char* type = element.Attribute("type");
    ASSERT(type && (std::strcmp(type, "sprite") == 0 || std::strcmp(type, "hud") == 0),
           "the sprite reader is given sprite and hud elements");
    const char* shader = ChildText(element, "shader");
    const char* model = ChildText(element, "model");
    sprite.SetModel(model ? model : defaultModel);
    sprite.SetEffect(shader ? shader : defaultShader);

    // The reader's multiplier is 0 without the element, not the sprite's own initial 1.
    int multiplier = 0;
    if (const tinyxml2::XMLElement* child = element.FirstChildElement("multiplier")) {
        if (ReadIntText(*child, multiplier) != NumberRead::Ok) {
            multiplier = 0;
            ReportRead(source, child, "Reading multiplier element", "has no whole number; using 0");
        }
    }
    sprite.SetMultiplier(multiplier);

    glm::vec3 color(1.0f);
    if (const tinyxml2::XMLElement* child = element.FirstChildElement("SpriteColor")) {
        static constexpr VectorAttributes kColor{{"r", "g", "b"}, {nullptr, nullptr, nullptr}};
        ReadVectorAttributes(source, *child, kColor, 1.0f, color);
    }
    sprite.SetColor(color);

    if (const tinyxml2::XMLElement* textures = element.FirstChildElement("textures")) {
        for (const tinyxml2::XMLElement* entry = textures->FirstChildElement("properties"); entry;
             entry = entry->NextSiblingElement("properties")) {
            const char* name = entry->Attribute("name");
            const char* property = entry->Attribute("property");
            if (!name || !property) {
                ReportRead(source, entry, "Reading texture properties",
                           std::string("has no '") + (name ? "property" : "name") + "'; the texture is skipped");
                continue;
            }
            if (!sprite.SetTexture(property, name)) {
                ReportRead(source, entry, "Reading texture properties",
                           std::string("names slot '") + property +
                               "'; a sprite has MAIN_TEXTURE, INFO_TEXTURE and NORMAL_MAP_TEXTURE; the texture is skipped");
            }
        }
    }
}

} // namespace zumek
