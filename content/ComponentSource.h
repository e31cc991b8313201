// content/ComponentSource.h
#pragma once
#include <string>

namespace tinyxml2 {
class XMLElement;
}

namespace zumek {

/// Where a component element comes from, so that a reader's messages name the file and line.
struct ComponentSource {
    std::string file; ///< path of the level or archetype file being read
};

/// "<file>:<line>: <element>" for messages about `element`.
std::string DescribeElement(const ComponentSource& source, const tinyxml2::XMLElement* element);

} // namespace zumek
