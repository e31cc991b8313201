// objects/ObjectManager.h
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "content/LevelProvider.h"
#include "engine/SignalHandler.h"
#include "engine/Signals.h"
#include "objects/Object.h"
#include "objects/ObjectFactory.h"

namespace zumek {

/// Owns every object, filed by place and id. Creates objects from requests, answers lookups in
/// the current place (the top of the place stack), marks objects dead on request and destroys
/// them at the end of the frame, announcing each creation and destruction.
///
/// Objects of a place are kept in creation order as well, so GetObjects, GetObjectByTag and the
/// systems see them in a fixed order from run to run.
class ObjectManager : public SignalHandler<ObjectCreateSignal>, public SignalHandler<ObjectDestroySignal> {
public:
    static ObjectManager& Instance();
    ~ObjectManager() override;

    /// Builds, initialises and files a new object in `place` ("" for the current place), logs
    /// "<id> has been created." and announces it. Null when the archetype cannot be loaded. An
    /// object already filed under the same id in that place is reported, destroyed and replaced.
    Object* CreateObject(const ObjectCreateSignal& request, const std::string& place);
    /// Destroys an object that is no longer filed, logs "<id> has been destroyed." and announces it.
    void DestroyObject(std::unique_ptr<Object> object);

    /// The object with `id` in the current place, or null.
    Object* GetObject(const std::string& id) const;
    /// The first object (in creation order) of the current place with `tag`, or null.
    Object* GetObjectByTag(const std::string& tag) const;
    /// The objects of the current place, in creation order.
    std::vector<Object*> GetObjects() const;
    /// Number of objects filed in `place`.
    size_t CountObjects(const std::string& place) const;

    /// Destroys the objects of the current place marked dead since the last call. Marks of ids
    /// the current place does not hold are dropped.
    void DestroyDeadObjects();
    /// Destroys every object of `place`.
    void DestroyPlaceObjects(const std::string& place);
    /// Destroys every object of every place and forgets the dead marks.
    void DestroyAllObjects();

    LevelProvider& GetLevelProvider() { return m_levelProvider; }
    const ObjectFactory& GetFactory() const { return m_factory; }

    /// Creates the requested object in the current place.
    void Handle(ObjectCreateSignal request) override;
    /// Marks the object dead (logs "<id> has been marked as dead."); it is destroyed at the end
    /// of the frame.
    void Handle(ObjectDestroySignal request) override;

private:
    ObjectManager();

    struct Place {
        std::unordered_map<std::string, Object*> byId;
        std::map<int32_t, std::unique_ptr<Object>> byNumber; ///< creation order; owns the objects
    };

    const Place* FindPlace(const std::string& place) const;
    /// Removes `object` from its place's maps and destroys it.
    void UnfileAndDestroy(Place& place, Object* object);

    ObjectFactory m_factory;
    std::unordered_map<std::string, Place> m_places;
    std::vector<std::string> m_deadOrder; ///< marking order, each id once
    std::unordered_set<std::string> m_dead;
    LevelProvider m_levelProvider;
};

} // namespace zumek
