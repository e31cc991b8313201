// content/ComponentRegistry.h
#pragma once
#include <memory>
#include <string>
#include <type_traits>
#include <typeindex>
#include <unordered_map>
#include <utility>
#include <vector>

#include "content/ComponentSource.h"
#include "objects/Component.h"

namespace zumek {

/// One kind of component as the readers and the factory see it.
struct ComponentKind {
    /// Reads a "component" element into a new prototype; null when the element is unusable (the
    /// reader has reported why).
    using Reader = std::unique_ptr<Component> (*)(const tinyxml2::XMLElement& element, const ComponentSource& source);
    /// Builds a new, unattached component of the prototype's exact class from its settings.
    using Cloner = std::unique_ptr<Component> (*)(const Component& prototype);

    std::string key;           ///< the element's "type" text
    bool acceptedInLevels;     ///< level entries may carry it (and requests clone it)
    std::type_index type;      ///< the exact class the reader builds
    Reader read;
    Cloner clone;
};

/// The cloner of classes whose copy constructor makes a clone: a new, unattached component with
/// the prototype's settings.
template <class C>
std::unique_ptr<Component> CopyPrototype(const Component& prototype) {
    return std::make_unique<C>(static_cast<const C&>(prototype));
}

/// The cloner of classes without settings: every object gets a fresh one.
template <class C>
std::unique_ptr<Component> FreshComponent(const Component& /*prototype*/) {
    return std::make_unique<C>();
}

/// The kind of class C under `key`: read by `ComponentReader` (a ContentSerializer built from the
/// element and its source, whose Deserialize gives a std::unique_ptr<C>), cloned by `clone`.
template <class C, class ComponentReader>
ComponentKind KindOf(const char* key, bool acceptedInLevels, ComponentKind::Cloner clone = &CopyPrototype<C>) {
    static_assert(std::is_same_v<decltype(std::declval<ComponentReader&>().Deserialize()), std::unique_ptr<C>>,
                  "the reader of a kind builds the kind's exact class");
    return {key, acceptedInLevels, std::type_index(typeid(C)),
            [](const tinyxml2::XMLElement& element, const ComponentSource& source) -> std::unique_ptr<Component> {
                return ComponentReader(element, source).Deserialize();
            },
            clone};
}

/// The table of component kinds. Each subsystem registers its own kinds at start, so the level
/// and archetype readers and the factory never name the concrete classes.
class ComponentRegistry {
public:
    static ComponentRegistry& Instance();

    /// Adds `kind`. Registering the same key for the same class again changes nothing; a key
    /// taken by another class is a programming error.
    void Register(const ComponentKind& kind);

    /// The kind read from elements of this "type", or null.
    const ComponentKind* FindByKey(const std::string& key) const;
    /// The kind of this exact class, or null.
    const ComponentKind* FindByType(std::type_index type) const;

    /// A clone of `prototype` through its kind; null for a class that is not registered, and for
    /// a kind level entries do not accept when `fromRequest` is set.
    std::unique_ptr<Component> Clone(const Component& prototype, bool fromRequest) const;

    size_t Count() const { return m_kinds.size(); }

private:
    ComponentRegistry() = default;

    std::vector<ComponentKind> m_kinds; // registration order
    std::unordered_map<std::string, size_t> m_byKey;
    std::unordered_map<std::type_index, size_t> m_byType;
};

} // namespace zumek
