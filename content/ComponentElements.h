// content/ComponentElements.h
#pragma once
#include <memory>
#include <vector>

#include "content/ComponentSource.h"
#include "objects/Component.h"

namespace zumek {

/// The file whose "component" elements are read, which decides the kinds it may hold.
enum class ComponentHost {
    Level,     ///< only kinds accepted in levels; any other type is dropped silently
    Archetype, ///< every registered kind; an unknown type is reported
};

/// Reads every "component" child of `parent` through the registered kinds, in document order,
/// and appends each prototype read to `prototypes`. A child without "type" is reported and
/// skipped; so is one whose reader gives nothing (the reader has reported why).
void ReadComponentElements(const tinyxml2::XMLElement& parent, const ComponentSource& source, ComponentHost host,
                           std::vector<std::unique_ptr<Component>>& prototypes);

} // namespace zumek
