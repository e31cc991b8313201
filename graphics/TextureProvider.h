// graphics/TextureProvider.h
#pragma once
#include <map>
#include <string>

#include "content/ContentProvider.h"
#include "graphics/Texture.h"

namespace zumek {

/// Texture file name -> Texture, loaded once for the whole run (never freed). Needs a current
/// GL context. A file that cannot be loaded yields a placeholder texture (see TextureSerializer).
class TextureProvider final : public ContentProvider<Texture*> {
public:
    static TextureProvider& Instance();
    Texture* Get(const std::string& name) override;
    /// Reads the file of `name` again into the texture already handed out (same record, same GL
    /// name), so whatever holds it draws the new image. False when `name` was never
    /// loaded (nothing to do). Needs the GL context current.
    bool Reload(const std::string& name);
    /// How many names have been asked for (each holds one GL texture, a placeholder's too).
    size_t Count() const { return m_textures.size(); }

private:
    TextureProvider() = default;
    std::map<std::string, Texture*> m_textures;
};

} // namespace zumek
