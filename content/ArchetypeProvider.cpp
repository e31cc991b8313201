// content/ArchetypeProvider.cpp
#include "content/ArchetypeProvider.h"

#include "content/ArchetypeSerializer.h"

namespace zumek {

ArchetypeProvider& ArchetypeProvider::Instance() {
    static ArchetypeProvider provider;
    return provider;
}

const Archetype* ArchetypeProvider::Get(const std::string& key) {
    auto it = m_cache.find(key);
    if (it == m_cache.end())
        it = m_cache.emplace(key, ArchetypeSerializer(key).Deserialize()).first;
    return it->second.get();
}

void ArchetypeProvider::Forget(const std::string& key) {
    auto it = m_cache.find(key);
    if (it == m_cache.end()) return;
    if (it->second) m_retired.push_back(std::move(it->second));
    m_cache.erase(it);
}

} // namespace zumek
