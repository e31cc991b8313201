// objects/Composition.h
#pragma once
#include <typeindex>
#include <typeinfo>
#include <unordered_map>

#include "objects/Component.h"
#include "platform/Assert.h"

namespace zumek {

/// Holds at most one component per exact class and owns them. Lookups are by the exact class:
/// a Sprite is found as Sprite, never as its base SpriteBase.
class Composition {
public:
    using ComponentMap = std::unordered_map<std::type_index, Component*>;

    Composition() = default;
    Composition(const Composition&) = delete;
    Composition& operator=(const Composition&) = delete;
    /// Deletes every component.
    virtual ~Composition();

    /// Stores `component` under T, deleting a different component stored there before; adding
    /// the stored pointer again does nothing. The composition owns it from now on.
    template <class T>
    void AddComponent(T* component) {
        ASSERT(component && typeid(*component) == typeid(T), "a component is added under its own class");
        AddComponentOfOwnClass(component);
    }

    /// Stores `component` under its run-time class (used by the factory, which clones through
    /// the component registry). Same replacement rules as AddComponent.
    void AddComponentOfOwnClass(Component* component);

    template <class T>
    T* GetComponent() const {
        auto it = m_components.find(std::type_index(typeid(T)));
        return it == m_components.end() ? nullptr : static_cast<T*>(it->second);
    }

    template <class T>
    bool HasComponent() const {
        return m_components.count(std::type_index(typeid(T))) != 0;
    }

    /// Every component, in no particular order.
    const ComponentMap& Components() const { return m_components; }

private:
    ComponentMap m_components;
};

} // namespace zumek
