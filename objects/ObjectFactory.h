// objects/ObjectFactory.h
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "engine/Signals.h"
#include "objects/Object.h"

namespace zumek {

/// Builds objects from creation requests: the archetype's components first, the request's
/// second (replacing components of the same class), and a Player for the archetype "player".
class ObjectFactory {
public:
    /// The new object in `place`, not yet initialised or filed; null when the archetype cannot
    /// be loaded (its reader has reported why).
    std::unique_ptr<Object> Create(const ObjectCreateSignal& request, const std::string& place);

    /// Objects built so far in this process; the last one's number.
    int32_t ObjectCount() const { return m_objectCount; }

private:
    /// Generated-id counters per archetype key; never reset, so ids stay unique across places.
    std::unordered_map<std::string, int32_t> m_counters;
    int32_t m_objectCount = 0;
};

} // namespace zumek
