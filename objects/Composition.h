// objects/Composition.h
#pragma once
#include <memory>
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
    using ComponentMap = std::unordered_map<std::type_index, std::unique_ptr<Component>>;

    Composition() = default;
    Composition(const Composition&) = delete;
    Composition& operator=(const Composition&) = delete;
    virtual ~Composition() = default;

    /// Stores `component` under T, destroying a different component stored there before, and
    /// returns it (still owned by the composition).
    template <class T>
    T* AddComponent(std::unique_ptr<T> component) {
        ASSERT(component && typeid(*component) == typeid(T), "a component is added under its own class");
        T* added = component.get();
        AddComponentOfOwnClass(std::move(component));
        return added;
    }

    /// Stores `component` under its run-time class (used by the factory, which clones through
    /// the component registry). Same replacement rule as AddComponent.
    void AddComponentOfOwnClass(std::unique_ptr<Component> component);

    template <class T>
    T* GetComponent() const {
        auto it = m_components.find(std::type_index(typeid(T)));
        return it == m_components.end() ? nullptr : static_cast<T*>(it->second.get());
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
