// objects/ObjectWorld.h
#pragma once
#include "engine/World.h"

namespace zumek {

/// The frame loop's view of the objects and places: the object manager and the place stack.
class ObjectWorld final : public World {
public:
    size_t PlaceCount() const override;
    void PopPlace() override;
    void PushPlace(const std::string& name) override;
    void DestroyDeadObjects() override;
    void UpdatePlaces() override;
    std::vector<Object*> GetObjects() override;
    void DestroyAllObjects() override;
};

} // namespace zumek
