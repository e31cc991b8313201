// objects/PlaceManager.cpp
#include "objects/PlaceManager.h"

#include <algorithm>

#include "objects/ObjectManager.h"

namespace zumek {

PlaceManager& PlaceManager::Instance() {
    static PlaceManager manager;
    return manager;
}

void PlaceManager::Push(const std::string& name) {
    ObjectManager& objects = ObjectManager::Instance();
    if (!m_pendingPop.empty() && m_pendingPop == name) {
        // Reloading the place being popped (a level restart): objects are filed by place name,
        // so a deferred pop would also remove the fresh copy and leave the main menu. The old
        // copy goes now instead.
        std::string popped;
        popped.swap(m_pendingPop);
        m_places.erase(std::remove(m_places.begin(), m_places.end(), popped), m_places.end());
        objects.DestroyPlaceObjects(popped);
    }
    m_places.push_back(name);
    // A script run by a new object may push again, even this level: the provider keeps the level
    // read here until the outermost push is done.
    LevelProvider& levels = objects.GetLevelProvider();
    ++m_pushDepth;
    const Level* level = levels.Get(name);
    for (const ObjectCreateSignal& request : level->objects) objects.CreateObject(request, name);
    if (--m_pushDepth == 0) levels.ReleaseRetired();
}

void PlaceManager::Pop() {
    if (!m_places.empty()) m_pendingPop = m_places.back();
}

void PlaceManager::Set(const std::string& name) { m_pendingSet = name; }

const std::string& PlaceManager::CurrentPlace() const {
    static const std::string kNone;
    return m_places.empty() ? kNone : m_places.back();
}

void PlaceManager::Update() {
    ObjectManager& objects = ObjectManager::Instance();
    if (!m_places.empty() && !m_pendingPop.empty()) {
        std::string popped;
        popped.swap(m_pendingPop);
        m_places.erase(std::remove(m_places.begin(), m_places.end(), popped), m_places.end());
        objects.DestroyPlaceObjects(popped);
    }
    if (!m_pendingSet.empty()) {
        // Cleared before the push, so a replacement requested while the new place loads is kept.
        std::string next;
        next.swap(m_pendingSet);
        std::vector<std::string> removed;
        removed.swap(m_places);
        for (const std::string& place : removed) objects.DestroyPlaceObjects(place);
        Push(next);
    }
    if (m_places.empty()) Push("mainmenu");
}

} // namespace zumek
