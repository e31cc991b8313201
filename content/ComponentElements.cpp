// content/ComponentElements.cpp
#include "content/ComponentElements.h"

#include <tinyxml2.h>

#include "content/ComponentRegistry.h"
#include "content/XmlReading.h"

namespace zumek {

void ReadComponentElements(const tinyxml2::XMLElement& parent, const ComponentSource& source, ComponentHost host,
                           std::vector<std::unique_ptr<Component>>& prototypes) {
    const ComponentRegistry& registry = ComponentRegistry::Instance();
    for (const tinyxml2::XMLElement* element = parent.FirstChildElement("component"); element;
         element = element->NextSiblingElement("component")) {
        const char* type = element->Attribute("type");
        if (!type) {
            ReportRead(source, element, "A component has no type", "has no 'type'; the component is skipped");
            continue;
        }
        const ComponentKind* kind = registry.FindByKey(type);
        if (host == ComponentHost::Level) {
            if (!kind || !kind->acceptedInLevels) continue;
        } else if (!kind) {
            ReportRead(source, element, "Unknown component type",
                       std::string("has type '") + type + "', which no subsystem reads; the component is skipped");
            continue;
        }
        if (std::unique_ptr<Component> prototype = kind->read(*element, source)) prototypes.push_back(std::move(prototype));
    }
}

} // namespace zumek
