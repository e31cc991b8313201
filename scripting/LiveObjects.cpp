// scripting/LiveObjects.cpp
#include "scripting/LiveObjects.h"

#include "objects/Component.h"
#include "objects/Object.h"

namespace zumek {

void LiveObjects::Add(Object* object) {
    if (!object) return;
    // A newer object filed under the same name replaces the older record.
    Remove(object->GetPlace(), object->GetId());
    Record& record = m_byName[object->GetPlace()][object->GetId()];
    record.object = object;
    m_entries.insert_or_assign(object, Entry{object, nullptr, &typeid(Object)});
    record.addresses.push_back(object);
    for (const auto& entry : object->Components()) {
        Component* component = entry.second.get();
        m_entries.insert_or_assign(component, Entry{object, component, &typeid(*component)});
        record.addresses.push_back(component);
    }
    m_lastPointer = nullptr;
}

void LiveObjects::Remove(const std::string& place, const std::string& id) {
    auto placeIt = m_byName.find(place);
    if (placeIt == m_byName.end()) return;
    auto it = placeIt->second.find(id);
    if (it == placeIt->second.end()) return;
    for (const void* address : it->second.addresses) {
        // An address already taken over by a newer object stays with that object.
        auto entry = m_entries.find(address);
        if (entry != m_entries.end() && entry->second.object == it->second.object) m_entries.erase(entry);
    }
    placeIt->second.erase(it);
    if (placeIt->second.empty()) m_byName.erase(placeIt);
    m_lastPointer = nullptr;
    m_lastEntry = nullptr;
}

void LiveObjects::Clear() {
    m_entries.clear();
    m_byName.clear();
    m_lastPointer = nullptr;
    m_lastEntry = nullptr;
}

} // namespace zumek
