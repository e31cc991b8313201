// graphics/TextureProvider.cpp
#include "graphics/TextureProvider.h"

#include <memory>

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

bool TextureProvider::Reload(const std::string& name) {
    auto it = m_textures.find(name);
    if (it == m_textures.end() || it->second == nullptr) return false;
    // The same GL name: renderers keep the name, not the record.
    std::unique_ptr<Texture> fresh(TextureSerializer(name).DeserializeInto(it->second->name));
    *it->second = *fresh;
    return true;
}

} // namespace zumek
