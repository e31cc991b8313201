// content/ArchetypeProvider.h
#pragma once
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "content/Archetype.h"
#include "content/ContentProvider.h"

namespace zumek {

/// Reads each archetype once and keeps it for the whole run. A key whose file cannot be used is
/// remembered as missing (null), so its error is reported once, not once per object.
class ArchetypeProvider final : public ContentProvider<const Archetype*> {
public:
    static ArchetypeProvider& Instance();

    /// The archetype of `key` (owned by the provider for the run), or null.
    const Archetype* Get(const std::string& key) override;
    /// Forgets `key` (also a key remembered as missing), so its next Get reads the file again.
    /// The old archetype is kept alive: a pointer handed out before stays valid.
    void Forget(const std::string& key);

private:
    ArchetypeProvider() = default;
    std::unordered_map<std::string, std::unique_ptr<Archetype>> m_cache;
    std::vector<std::unique_ptr<Archetype>> m_retired; ///< forgotten, still owned
};

} // namespace zumek
