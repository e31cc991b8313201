// content/Level.h
#pragma once
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/Signals.h"
#include "objects/Component.h"

namespace zumek {

/// A level file as read: one creation request per "archetype" entry, in document order. The
/// requests point at component prototypes the level owns (`prototypes`), so they are valid as
/// long as the level is.
struct Level {
    explicit Level(std::string levelName) : name(std::move(levelName)) {}

    std::string name;
    std::vector<ObjectCreateSignal> objects;
    std::vector<std::unique_ptr<Component>> prototypes; ///< those of every entry, in document order
};

} // namespace zumek
