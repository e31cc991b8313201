// content/Archetype.h
#pragma once
#include <string>
#include <vector>

namespace zumek {

class Component;

/// An archetype file as read: a reusable object template. Owns its component prototypes.
struct Archetype {
    Archetype() = default;
    Archetype(const Archetype&) = delete;
    Archetype& operator=(const Archetype&) = delete;
    ~Archetype();

    std::string idPrefix; ///< generated ids are the prefix and a per-archetype counter
    std::string tag;      ///< copied into every object
    std::string parentId; ///< default parent of its objects; empty for none
    std::vector<Component*> components; ///< prototypes, in document order
};

} // namespace zumek
