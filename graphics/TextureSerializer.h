// graphics/TextureSerializer.h
#pragma once
#include <string>

#include "content/ContentProvider.h"
#include "graphics/Texture.h"

namespace zumek {

/// Decodes one texture file (resources/textures/<name>) to 8-bit RGBA and uploads it with
/// repeat wrapping, trilinear filtering, full mipmaps and the driver's maximum anisotropy.
/// A file that is missing or cannot be decoded gives one log line naming the file and the
/// reason, and a 2 x 2 magenta and black checker texture in its place, so the mistake shows.
class TextureSerializer final : public ContentSerializer<Texture*> {
public:
    explicit TextureSerializer(std::string name) : m_name(std::move(name)) {}
    Texture* Deserialize() override;
    /// As Deserialize, but uploads into the existing GL texture `name` (a reload: whatever holds
    /// that name draws the new image).
    Texture* DeserializeInto(uint32_t name);

private:
    std::string m_name;
};

} // namespace zumek
