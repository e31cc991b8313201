// objects/Object.h
#pragma once
#include <cstdint>
#include <string>

#include "objects/Composition.h"

namespace zumek {

/// An entity of the game: a composition of components with its identity strings. Objects are
/// built, filed and destroyed by the ObjectManager only.
class Object final : public Composition {
public:
    Object(std::string id, std::string tag, std::string place, std::string parentId);

    /// Unique within its place.
    const std::string& GetId() const { return m_id; }
    /// The archetype's category ("player", "goal", ...); shared by many objects.
    const std::string& GetTag() const { return m_tag; }
    /// Creation sequence number, 1 for the first object of the process; the pick identity.
    int32_t GetNumber() const { return m_number; }
    const std::string& GetArchetype() const { return m_archetype; }
    /// The parent object's id in the same place, or empty.
    const std::string& GetParentId() const { return m_parentId; }
    /// The place (loaded level) the object belongs to.
    const std::string& GetPlace() const { return m_place; }

    void SetNumber(int32_t number) { m_number = number; }
    void SetArchetype(const std::string& archetype) { m_archetype = archetype; }
    /// A changed parent takes effect at the transform's next world-matrix request.
    void SetParentId(const std::string& parentId) { m_parentId = parentId; }

private:
    std::string m_id;
    std::string m_tag;
    int32_t m_number = 0;
    std::string m_archetype;
    std::string m_parentId;
    std::string m_place;
};

} // namespace zumek
