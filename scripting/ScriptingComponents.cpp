// scripting/ScriptingComponents.cpp
#include "scripting/ScriptingComponents.h"

#include "content/ComponentRegistry.h"
#include "objects/ComponentKeys.h"
#include "scripting/ScriptSerializer.h"

namespace zumek {

void RegisterScriptingComponents() {
    ComponentRegistry::Instance().Register(KindOf<Script, ScriptSerializer>(SCRIPT_COMPONENT_KEY, true));
}

} // namespace zumek
