// scripting/ScriptClassProvider.cpp
#include "scripting/ScriptClassProvider.h"

#include "content/ContentType.h"
#include "platform/Assert.h"
#include "scripting/ScriptingSystem.h"

namespace zumek {

ScriptClassProvider& ScriptClassProvider::Instance() {
    static ScriptClassProvider* instance = new ScriptClassProvider();
    return *instance;
}

ScriptClass* ScriptClassProvider::Get(const std::string& key) {
    ASSERT(key.size() > 0, "key.size() > 0");
    auto it = m_classes.find(key);
    if (it != m_classes.end()) return it->second.get();

    auto record = std::make_unique<ScriptClass>();
    record->key = key;
    record->path = GetContentPath(ContentType::Script, key);
    record->widePath.assign(record->path.begin(), record->path.end());
    // Entered before the file runs: a file that requests its own class (directly or through
    // another file) must not run twice.
    ScriptClass* stored = record.get();
    m_classes.emplace(key, std::move(record));
    stored->ran = ScriptingSystem::Instance().RunScriptFile(stored->path);
    return stored;
}

} // namespace zumek
