// engine/System.h
#pragma once
#include <cstdint>
#include <vector>

namespace zumek {

class Object;

// System identifiers (they need not be unique).
constexpr int32_t WINDOW_SYSTEM_ID = 1;
constexpr int32_t GRAPHICS_SYSTEM_ID = 2;
constexpr int32_t PHYSICS_SYSTEM_ID = 3;
constexpr int32_t INPUT_SYSTEM_ID = 10;
constexpr int32_t SCRIPTING_SYSTEM_ID = 15;
constexpr int32_t GAMELOGIC_SYSTEM_ID = 25;
constexpr int32_t IMGUI_SYSTEM_ID = 25;

/// A per-frame step over the live objects of the current place.
class System {
public:
    explicit System(int32_t id) : m_id(id) {}
    /// `dt`: the frame time in seconds; `objects`: the live objects of the current place.
    virtual void Update(float dt, std::vector<Object*>& objects) = 0;
    int32_t GetId() const { return m_id; }
    virtual ~System() = default;
    virtual void Shutdown() = 0;

private:
    int32_t m_id;
};

} // namespace zumek
