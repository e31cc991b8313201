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
    /// Runs the file of a class already loaded again (found afresh: a user's copy may have come or
    /// gone) and makes the instances that exist use the new code: the fields of the new global
    /// table `key` replace those of the old table, which stays the global, so every instance
    /// (whose class is that table) and every later one sees the new functions. Fields the old
    /// table held and the new one lacks are dropped. A file that fails keeps the old class.
    /// Returns false (reported) when the file failed; true also when `key` was never loaded
    /// (nothing to do: its first use reads the file) or is not a class table (`reloaded` false).
    bool Reload(const std::string& key, bool& reloaded);
    /// Whether `key` has been requested before.
    bool IsLoaded(const std::string& key) const { return m_classes.count(key) != 0; }
    size_t Count() const { return m_classes.size(); }

private:
    ScriptClassProvider() = default;

    std::map<std::string, std::unique_ptr<ScriptClass>> m_classes;
};

} // namespace zumek
