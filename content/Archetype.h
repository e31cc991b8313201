// content/Archetype.h
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "objects/Component.h"

namespace zumek {

/// An archetype file as read: a reusable object template. Owns its component prototypes.
struct Archetype {
    std::string idPrefix; ///< generated ids are the prefix and a per-archetype counter
    std::string tag;      ///< copied into every object
    std::string parentId; ///< default parent of its objects; empty for none
    std::vector<std::unique_ptr<Component>> components; ///< prototypes, in document order
};

} // namespace zumek
