// scripting/LiveObjects.h
#pragma once
#include <cstddef>
#include <string>
#include <typeinfo>
#include <unordered_map>
#include <utility>
#include <vector>

namespace zumek {

class Component;
class Object;

/// The objects and components scripts may hold, by address. Scripts keep engine pointers as light
/// userdata long after the engine has destroyed what they point at, so every library function
/// looks a pointer up here before touching it: a stale pointer is simply not found.
///
/// The scripting system adds each object (with the components it has at that moment) when the
/// object is announced as created, and removes it when it is announced as destroyed.
class LiveObjects {
public:
    /// What lives at an address: an object (component null) or one of its components.
    struct Entry {
        Object* object;
        Component* component;
        const std::type_info* type; ///< the exact class of what lives there
    };

    /// Records `object` and every component it holds now.
    void Add(Object* object);
    /// Forgets the object filed as `id` in `place` and its components; unknown names do nothing.
    void Remove(const std::string& place, const std::string& id);
    void Clear();

    /// The live entry at `pointer`, or null.
    const Entry* Find(const void* pointer) const {
        if (pointer == m_lastPointer && pointer) return m_lastEntry;
        auto it = m_entries.find(pointer);
        if (it == m_entries.end()) return nullptr;
        // Scripts tend to call several functions on one pointer in a row.
        m_lastPointer = pointer;
        m_lastEntry = &it->second;
        return m_lastEntry;
    }

    /// The live object at `pointer`, or null (also when a component lives there).
    Object* FindObject(const void* pointer) const {
        const Entry* entry = Find(pointer);
        return entry && !entry->component ? entry->object : nullptr;
    }

    /// The live component at `pointer` when it is a T (or derives from T), else null.
    template <class T>
    T* FindComponent(const void* pointer) const {
        // The hot case, kept to two comparisons: the component of the previous call, of exactly T.
        if (pointer == m_lastPointer && pointer && m_lastEntry->type == &typeid(T))
            return static_cast<T*>(m_lastEntry->component);
        const Entry* entry = Find(pointer);
        if (!entry || !entry->component) return nullptr;
        if (*entry->type == typeid(T)) return static_cast<T*>(entry->component);
        return dynamic_cast<T*>(entry->component);
    }

    size_t Count() const { return m_entries.size(); }

private:
    std::unordered_map<const void*, Entry> m_entries;
    /// An object filed by place and id, with the addresses recorded for it.
    struct Record {
        Object* object = nullptr;
        std::vector<const void*> addresses;
    };
    std::unordered_map<std::string, std::unordered_map<std::string, Record>> m_byName;
    mutable const void* m_lastPointer = nullptr;
    mutable const Entry* m_lastEntry = nullptr;
};

} // namespace zumek
