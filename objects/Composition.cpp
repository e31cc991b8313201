// objects/Composition.cpp
#include "objects/Composition.h"

#include "objects/Object.h"

namespace zumek {

Composition::~Composition() {
    for (auto& entry : m_components) delete entry.second;
    m_components.clear();
}

void Composition::AddComponentOfOwnClass(Component* component) {
    ASSERT(component != nullptr, "nullptr != component");
    if (!component) return;
    Component*& slot = m_components[std::type_index(typeid(*component))];
    if (slot == component) return;
    delete slot;
    // Only objects are compositions; the owner is the object this composition is.
    component->m_owner = static_cast<Object*>(this);
    slot = component;
}

} // namespace zumek
