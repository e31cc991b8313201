// content/LevelSerializer.h
#pragma once
#include <memory>
#include <string>

#include "content/ContentProvider.h"
#include "content/Level.h"

namespace zumek {

/// Reads the level file of a name into a new Level (owned by the caller). A missing or
/// malformed file gives a level without objects; a bad entry or component is reported and
/// skipped, and the rest of the level loads. Component types that level files do not accept
/// are dropped silently.
class LevelSerializer final : public ContentSerializer<std::unique_ptr<Level>> {
public:
    explicit LevelSerializer(std::string name) : m_name(std::move(name)) {}
    std::unique_ptr<Level> Deserialize() override;

private:
    std::string m_name;
};

} // namespace zumek
