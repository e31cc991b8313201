// scripting/ScriptingComponents.h
#pragma once

namespace zumek {

/// Registers the "script" component kind. Safe to call more than once.
void RegisterScriptingComponents();

} // namespace zumek
