// objects/ObjectManager.cpp
#include "objects/ObjectManager.h"

#include <memory>

#include "engine/EngineLog.h"
#include "engine/SignalManager.h"
#include "objects/PlaceManager.h"
#include "platform/Assert.h"

namespace zumek {

ObjectManager& ObjectManager::Instance() {
    static ObjectManager manager;
    return manager;
}

ObjectManager::ObjectManager() {
    // Built before the manager, the log and the signal registry outlive it: its destructor
    // still logs and announces the objects it destroys.
    EngineLog::Instance();
    SignalManager::Instance();
    SignalManager::Connect<ObjectCreateSignal>(this);
    SignalManager::Connect<ObjectDestroySignal>(this);
}

ObjectManager::~ObjectManager() { DestroyAllObjects(); }

Object* ObjectManager::CreateObject(const ObjectCreateSignal& request, const std::string& place) {
    // A copy: receivers of the announcements below may push places and move the stack's strings.
    const std::string placeName = place.empty() ? PlaceManager::Instance().CurrentPlace() : place;
    std::unique_ptr<Object> built = m_factory.Create(request, placeName);
    if (!built) return nullptr;
    for (auto& entry : built->Components()) entry.second->Initialize();

    Object* object = built.get();
    Place& filed = m_places[placeName];
    // Ids come from level files and scripts, so two objects may claim one id: the newer one
    // wins and the older one is destroyed properly rather than leaked or left dangling.
    for (auto it = filed.byId.find(object->GetId()); it != filed.byId.end(); it = filed.byId.find(object->GetId())) {
        ReportProblem(Warning, object->GetId() + " already exists in place " + placeName,
                      "archetype " + request.archetype + ": the new object replaces the old one");
        UnfileAndDestroy(filed, it->second);
    }
    filed.byId.emplace(object->GetId(), object);
    filed.byNumber.emplace(object->GetNumber(), std::move(built));

    EngineLog::Instance().WriteInfo(object->GetId() + " has been created.");
    SignalManager::Emit<ObjectCreatedSignal>(ObjectCreatedSignal{object});
    return object;
}

void ObjectManager::DestroyObject(std::unique_ptr<Object> object) {
    ASSERT(object != nullptr, "nullptr != object");
    if (!object) return;
    std::string id = object->GetId();
    std::string place = object->GetPlace();
    object.reset();
    EngineLog::Instance().WriteInfo(id + " has been destroyed.");
    SignalManager::Emit<ObjectDestroyedSignal>(ObjectDestroyedSignal{id, place});
}

void ObjectManager::UnfileAndDestroy(Place& place, Object* object) {
    place.byId.erase(object->GetId());
    auto owned = place.byNumber.find(object->GetNumber());
    ASSERT(owned != place.byNumber.end() && owned->second.get() == object, "a filed object is filed by number too");
    if (owned == place.byNumber.end()) return;
    std::unique_ptr<Object> taken = std::move(owned->second);
    place.byNumber.erase(owned);
    DestroyObject(std::move(taken));
}

const ObjectManager::Place* ObjectManager::FindPlace(const std::string& place) const {
    auto it = m_places.find(place);
    return it == m_places.end() ? nullptr : &it->second;
}

Object* ObjectManager::GetObject(const std::string& id) const {
    const Place* place = FindPlace(PlaceManager::Instance().CurrentPlace());
    if (!place) return nullptr;
    auto it = place->byId.find(id);
    return it == place->byId.end() ? nullptr : it->second;
}

Object* ObjectManager::GetObjectByTag(const std::string& tag) const {
    const Place* place = FindPlace(PlaceManager::Instance().CurrentPlace());
    if (!place) return nullptr;
    for (const auto& entry : place->byNumber)
        if (entry.second->GetTag() == tag) return entry.second.get();
    return nullptr;
}

std::vector<Object*> ObjectManager::GetObjects() const {
    std::vector<Object*> objects;
    const Place* place = FindPlace(PlaceManager::Instance().CurrentPlace());
    if (!place) return objects;
    objects.reserve(place->byNumber.size());
    for (const auto& entry : place->byNumber) objects.push_back(entry.second.get());
    return objects;
}

size_t ObjectManager::CountObjects(const std::string& place) const {
    const Place* found = FindPlace(place);
    return found ? found->byId.size() : 0;
}

void ObjectManager::DestroyDeadObjects() {
    // Receivers of the destroyed announcements may mark more objects: those wait for the next
    // frame instead of changing the list being worked through.
    std::vector<std::string> dead;
    dead.swap(m_deadOrder);
    m_dead.clear();
    auto placeIt = m_places.find(PlaceManager::Instance().CurrentPlace());
    if (placeIt == m_places.end()) return;
    Place& place = placeIt->second; // element references survive rehashing
    for (const std::string& id : dead) {
        auto it = place.byId.find(id);
        if (it != place.byId.end()) UnfileAndDestroy(place, it->second);
    }
}

void ObjectManager::DestroyPlaceObjects(const std::string& place) {
    auto it = m_places.find(place);
    if (it == m_places.end()) return;
    // Taken out first: receivers may create objects while these are destroyed.
    std::map<int32_t, std::unique_ptr<Object>> objects;
    objects.swap(it->second.byNumber);
    it->second.byId.clear();
    for (auto& entry : objects) DestroyObject(std::move(entry.second));
}

void ObjectManager::DestroyAllObjects() {
    // Receivers may create objects while others are destroyed; a few rounds catch those.
    constexpr int kMaxRounds = 8;
    for (int round = 0; round < kMaxRounds && !m_places.empty(); ++round) {
        std::unordered_map<std::string, Place> places;
        places.swap(m_places);
        for (auto& entry : places)
            for (auto& object : entry.second.byNumber) DestroyObject(std::move(object.second));
    }
    // Receivers that keep creating objects as others go get no further announcements, but
    // nothing is leaked. Taken out first, so no destructor sees the manager's map half-cleared.
    std::unordered_map<std::string, Place> remaining;
    remaining.swap(m_places);
    remaining.clear();
    m_deadOrder.clear();
    m_dead.clear();
}

void ObjectManager::Handle(ObjectCreateSignal request) { CreateObject(request, ""); }

void ObjectManager::Handle(ObjectDestroySignal request) {
    EngineLog::Instance().WriteInfo(request.id + " has been marked as dead.");
    if (m_dead.insert(request.id).second) m_deadOrder.push_back(request.id);
}

} // namespace zumek
