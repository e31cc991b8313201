// content/ArchetypeProvider.h
#pragma once
#include <memory>
#include <string>
#include <unordered_map>

#include "content/Archetype.h"
#include "content/ContentProvider.h"

namespace zumek {

/// Reads each archetype once and keeps it for the whole run. A key whose file cannot be used is
/// remembered as missing (null), so its error is reported once, not once per object.
class ArchetypeProvider final : public ContentProvider<Archetype*> {
public:
    static ArchetypeProvider& Instance();

    /// The archetype of `key` (owned by the provider), or null.
    Archetype* Get(const std::string& key) override;

private:
    ArchetypeProvider() = default;
    std::unordered_map<std::string, std::unique_ptr<Archetype>> m_cache;
};

} // namespace zumek
