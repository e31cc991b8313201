// engine/System.h
#pragma once
#include <cstdint>
#include <vector>

namespace zumek {

class Object;

/// System identifiers, one per kind of system: the frame loop tells the window system apart by
/// its id, and the inspector and logs name systems by it.
enum SystemId : int32_t {
    WINDOW_SYSTEM_ID = 1,
    GRAPHICS_SYSTEM_ID = 2,
    PHYSICS_SYSTEM_ID = 3,
    INPUT_SYSTEM_ID = 10,
    SCRIPTING_SYSTEM_ID = 15,
    GAMELOGIC_SYSTEM_ID = 25,
    IMGUI_SYSTEM_ID = 26,
    INSPECTOR_SYSTEM_ID = 27,
    SCREENSHOT_SYSTEM_ID = 28,
    FRAME_TIMES_SYSTEM_ID = 90,
    RESOURCE_STATS_SYSTEM_ID = 91,
    STATE_HASH_SYSTEM_ID = 92,
};

namespace detail {
constexpr SystemId kAllSystemIds[] = {WINDOW_SYSTEM_ID,    GRAPHICS_SYSTEM_ID,   PHYSICS_SYSTEM_ID,
                                      INPUT_SYSTEM_ID,     SCRIPTING_SYSTEM_ID,  GAMELOGIC_SYSTEM_ID,
                                      IMGUI_SYSTEM_ID,     INSPECTOR_SYSTEM_ID,  SCREENSHOT_SYSTEM_ID,
                                      FRAME_TIMES_SYSTEM_ID, RESOURCE_STATS_SYSTEM_ID, STATE_HASH_SYSTEM_ID};
constexpr bool SystemIdsAreUnique() {
    for (const SystemId a : kAllSystemIds) {
        int same = 0;
        for (const SystemId b : kAllSystemIds) same += a == b;
        if (same != 1) return false;
    }
    return true;
}
} // namespace detail
static_assert(detail::SystemIdsAreUnique(), "every kind of system has an id of its own");

/// A per-frame step over the live objects of the current place.
class System {
public:
    explicit System(SystemId id) : m_id(id) {}
    /// `dt`: the frame time in seconds; `objects`: the live objects of the current place.
    virtual void Update(float dt, std::vector<Object*>& objects) = 0;
    SystemId GetId() const { return m_id; }
    virtual ~System() = default;
    virtual void Shutdown() = 0;

private:
    SystemId m_id;
};

} // namespace zumek
