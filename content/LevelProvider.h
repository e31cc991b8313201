// content/LevelProvider.h
#pragma once
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "content/ContentProvider.h"
#include "content/Level.h"

namespace zumek {

/// Reads a level on every request, so edits to a level file show at its next push, and owns the
/// levels it hands out: the newest of each name until that name is read again, an older one
/// until ReleaseRetired (a script may push a level again while its objects are being created,
/// and the first push still reads its own copy).
class LevelProvider final : public ContentProvider<const Level*> {
public:
    /// The level `key` as its file reads now (never null: a missing or malformed file gives an
    /// empty level, reported by the reader).
    const Level* Get(const std::string& key) override;
    /// Frees the levels that newer reads of their names replaced. Pointers to them must be gone.
    void ReleaseRetired();

private:
    std::unordered_map<std::string, std::unique_ptr<Level>> m_levels;
    std::vector<std::unique_ptr<Level>> m_retired;
};

} // namespace zumek
