// content/ComponentRegistry.cpp
#include "content/ComponentRegistry.h"

#include <typeinfo>

#include "platform/Assert.h"

namespace zumek {

ComponentRegistry& ComponentRegistry::Instance() {
    static ComponentRegistry registry;
    return registry;
}

void ComponentRegistry::Register(const ComponentKind& kind) {
    ASSERT(kind.read && kind.clone, "a component kind has a reader and a cloner");
    auto found = m_byKey.find(kind.key);
    if (found != m_byKey.end()) {
        ASSERT(m_kinds[found->second].type == kind.type, "component key '" + kind.key + "' is registered once");
        return;
    }
    ASSERT(m_byType.count(kind.type) == 0, "component class of '" + kind.key + "' is registered once");
    m_byKey.emplace(kind.key, m_kinds.size());
    m_byType.emplace(kind.type, m_kinds.size());
    m_kinds.push_back(kind);
}

const ComponentKind* ComponentRegistry::FindByKey(const std::string& key) const {
    auto it = m_byKey.find(key);
    return it == m_byKey.end() ? nullptr : &m_kinds[it->second];
}

const ComponentKind* ComponentRegistry::FindByType(std::type_index type) const {
    auto it = m_byType.find(type);
    return it == m_byType.end() ? nullptr : &m_kinds[it->second];
}

std::unique_ptr<Component> ComponentRegistry::Clone(const Component& prototype, bool fromRequest) const {
    const ComponentKind* kind = FindByType(std::type_index(typeid(prototype)));
    if (!kind || (fromRequest && !kind->acceptedInLevels)) return nullptr;
    return kind->clone(prototype);
}

} // namespace zumek
