// scripting/ScriptClassProvider.h
#pragma once
#include <map>
#include <memory>
#include <string>

#include "content/ContentProvider.h"
#include "scripting/ScriptClass.h"

namespace zumek {

/// Script classes by name. The first request for a name runs its file once in the scripting
/// system's Lua state; every later request returns the same record, even when the file failed
/// (a broken file is reported once and never retried).
class ScriptClassProvider final : public ContentProvider<ScriptClass*> {
public:
    static ScriptClassProvider& Instance();

    /// The class `key`, loading and running its file on first request. `key` must not be empty.
    ScriptClass* Get(const std::string& key) override;
    /// Whether `key` has been requested before.
    bool IsLoaded(const std::string& key) const { return m_classes.count(key) != 0; }
    size_t Count() const { return m_classes.size(); }

private:
    ScriptClassProvider() = default;

    std::map<std::string, std::unique_ptr<ScriptClass>> m_classes;
};

} // namespace zumek
