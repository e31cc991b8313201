// objects/ObjectWorld.cpp
#include "objects/ObjectWorld.h"

#include "objects/ObjectManager.h"
#include "objects/PlaceManager.h"

namespace zumek {

size_t ObjectWorld::PlaceCount() const { return PlaceManager::Instance().Places().size(); }

void ObjectWorld::PopPlace() { PlaceManager::Instance().Pop(); }

void ObjectWorld::PushPlace(const std::string& name) { PlaceManager::Instance().Push(name); }

void ObjectWorld::DestroyDeadObjects() { ObjectManager::Instance().DestroyDeadObjects(); }

void ObjectWorld::UpdatePlaces() { PlaceManager::Instance().Update(); }

std::vector<Object*> ObjectWorld::GetObjects() { return ObjectManager::Instance().GetObjects(); }

void ObjectWorld::DestroyAllObjects() { ObjectManager::Instance().DestroyAllObjects(); }

} // namespace zumek
