// objects/Composition.cpp
#include "objects/Composition.h"

#include "objects/Object.h"

namespace zumek {

void Composition::AddComponentOfOwnClass(std::unique_ptr<Component> component) {
    ASSERT(component != nullptr, "nullptr != component");
    if (!component) return;
    // Only objects are compositions; the owner is the object this composition is.
    component->m_owner = static_cast<Object*>(this);
    std::unique_ptr<Component>& slot = m_components[std::type_index(typeid(*component))];
    slot = std::move(component);
}

} // namespace zumek
