// graphics/ShaderProvider.cpp
#include "graphics/ShaderProvider.h"

#include <exception>

#include "graphics/ShaderSerializer.h"

namespace zumek {

ShaderProvider& ShaderProvider::Instance() {
    static ShaderProvider* instance = new ShaderProvider();
    return *instance;
}

unsigned int ShaderProvider::Get(const std::string& key) {
    auto it = m_programs.find(key);
    if (it != m_programs.end()) return it->second;
    ShaderSerializer serializer(key);
    // Entered before loading: a load that throws leaves 0 behind, so it is tried only once.
    auto& slot = m_programs[key];
    slot = 0;
    slot = serializer.Deserialize();
    return slot;
}

unsigned int ShaderProvider::TryGet(const std::string& key) {
    try {
        return Get(key);
    } catch (const std::exception&) {
        return 0; // reported by the serializer
    }
}

} // namespace zumek
