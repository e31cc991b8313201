// engine/World.h
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace zumek {

class Object;

/// The objects and the place stack as the frame loop drives them (the object manager and the
/// place stack implement it). Without a world the loop runs its systems over no objects.
class World {
public:
    virtual ~World() = default;
    virtual size_t PlaceCount() const = 0;
    /// Marks the top place for removal at the next place update.
    virtual void PopPlace() = 0;
    /// Loads the level `name` into a new place at once.
    virtual void PushPlace(const std::string& name) = 0;
    virtual void DestroyDeadObjects() = 0;
    /// Pops and replacements take effect here; an empty stack gets the main menu.
    virtual void UpdatePlaces() = 0;
    /// The live objects of the current place (a fresh vector).
    virtual std::vector<Object*> GetObjects() = 0;
    virtual void DestroyAllObjects() = 0;
};

} // namespace zumek
