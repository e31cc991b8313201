// graphics/TextureProvider.cpp
#include "graphics/TextureProvider.h"

#include "graphics/TextureSerializer.h"

namespace zumek {

TextureProvider& TextureProvider::Instance() {
    static TextureProvider* instance = new TextureProvider();
    return *instance;
}

Texture* TextureProvider::Get(const std::string& name) {
    auto it = m_textures.find(name);
    if (it != m_textures.end()) return it->second;
    TextureSerializer serializer(name);
    auto& slot = m_textures[name];
    slot = nullptr;
    slot = serializer.Deserialize();
    return slot;
}

} // namespace zumek
