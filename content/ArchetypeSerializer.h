// content/ArchetypeSerializer.h
#pragma once
#include <memory>
#include <string>

#include "content/Archetype.h"
#include "content/ContentProvider.h"

namespace zumek {

/// Reads the archetype file of a key into a new Archetype, or null when the file is missing,
/// malformed or lacks its "idPrefix" or "tag" (each reported once, naming the file). A root key
/// that differs from the requested one is reported and the file is used; an unknown component
/// type is reported and skipped.
class ArchetypeSerializer final : public ContentSerializer<std::unique_ptr<Archetype>> {
public:
    explicit ArchetypeSerializer(std::string key) : m_key(std::move(key)) {}
    std::unique_ptr<Archetype> Deserialize() override;

private:
    std::string m_key;
};

} // namespace zumek
