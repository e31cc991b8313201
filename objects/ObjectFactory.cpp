// objects/ObjectFactory.cpp
#include "objects/ObjectFactory.h"

#include "content/ArchetypeProvider.h"
#include "content/ComponentRegistry.h"
#include "objects/Player.h"

namespace zumek {

std::unique_ptr<Object> ObjectFactory::Create(const ObjectCreateSignal& request, const std::string& place) {
    Archetype* archetype = ArchetypeProvider::Instance().Get(request.archetype);
    if (!archetype) return nullptr;

    std::string id = request.id;
    if (id.empty()) id = archetype->idPrefix + std::to_string(++m_counters[request.archetype]);
    const std::string& parentId = request.parentId.empty() ? archetype->parentId : request.parentId;

    auto object = std::make_unique<Object>(std::move(id), archetype->tag, place, parentId);
    object->SetNumber(++m_objectCount);
    object->SetArchetype(request.archetype);

    const ComponentRegistry& registry = ComponentRegistry::Instance();
    for (const Component* prototype : archetype->components)
        if (Component* clone = registry.Clone(*prototype, false)) object->AddComponentOfOwnClass(clone);
    for (const Component* prototype : request.components)
        if (prototype)
            if (Component* clone = registry.Clone(*prototype, true)) object->AddComponentOfOwnClass(clone);
    if (request.archetype == "player") object->AddComponent(new Player());
    return object;
}

} // namespace zumek
