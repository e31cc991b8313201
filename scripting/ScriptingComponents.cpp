// scripting/ScriptingComponents.cpp
#include "scripting/ScriptingComponents.h"

#include <typeindex>

#include "content/ComponentRegistry.h"
#include "objects/ComponentKeys.h"
#include "scripting/ScriptSerializer.h"

namespace zumek {

void RegisterScriptingComponents() {
    ComponentRegistry::Instance().Register(
        {SCRIPT_COMPONENT_KEY, true, std::type_index(typeid(Script)),
         [](const tinyxml2::XMLElement& element, const ComponentSource& source) -> Component* {
             return ScriptSerializer(element, source).Deserialize();
         },
         [](const Component& prototype) -> Component* { return new Script(static_cast<const Script&>(prototype)); }});
}

} // namespace zumek
