// content/LevelProvider.h
#pragma once
#include <string>

#include "content/ContentProvider.h"
#include "content/Level.h"

namespace zumek {

/// Reads a level on every request, so edits to a level file show at its next push. The caller
/// owns the returned level.
class LevelProvider final : public ContentProvider<Level*> {
public:
    Level* Get(const std::string& key) override;
};

} // namespace zumek
