// objects/ObjectFactory.cpp
#include "objects/ObjectFactory.h"

#include "content/ArchetypeProvider.h"
#include "content/ComponentRegistry.h"
#include "objects/Player.h"

namespace zumek {

std::unique_ptr<Object> ObjectFactory::Create(const ObjectCreateSignal& request, const std::string& place) {
    const Archetype* archetype = ArchetypeProvider::Instance().Get(request.archetype);
    if (!archetype) return nullptr;

    std::string id = request.id;
    if (id.empty()) id = archetype->idPrefix + std::to_string(++m_counters[request.archetype]);
    const std::string& parentId = request.parentId.empty() ? archetype->parentId : request.parentId;

    auto object = std::make_unique<Object>(std::move(id), archetype->tag, place, parentId);
    object->SetNumber(++m_objectCount);
    object->SetArchetype(request.archetype);

    const ComponentRegistry& registry = ComponentRegistry::Instance();
    for (const std::unique_ptr<Component>& prototype : archetype->components)
        if (std::unique_ptr<Component> clone = registry.Clone(*prototype, false))
            object->AddComponentOfOwnClass(std::move(clone));
    for (const Component* prototype : request.components)
        if (prototype)
            if (std::unique_ptr<Component> clone = registry.Clone(*prototype, true))
                object->AddComponentOfOwnClass(std::move(clone));
    if (request.archetype == "player") object->AddComponent(std::make_unique<Player>());
    return object;
}

} // namespace zumek
