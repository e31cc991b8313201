// content/Level.h
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "engine/Signals.h"

namespace zumek {

/// A level file as read: one creation request per "archetype" entry, in document order. The
/// level owns the component prototypes of its requests and deletes them.
struct Level {
    explicit Level(std::string levelName) : name(std::move(levelName)) {}
    Level(const Level&) = delete;
    Level& operator=(const Level&) = delete;
    ~Level();

    std::string name;
    std::vector<ObjectCreateSignal> objects;
};

} // namespace zumek
