// physics/Collider.h
#pragma once
#include <cstdint>

namespace zumek {

class Body;

/// The shape of a body. Overlap tests and contact generation belong to the physics step.
class Collider {
public:
    /// Shape type numbers.
    static constexpr int32_t kSphere = 0;
    static constexpr int32_t kPlane = 1;
    static constexpr int32_t kBox = 2;

    Collider(int32_t type, Body* owner) : m_type(type), m_owner(owner) {}
    Collider(const Collider&) = delete;
    Collider& operator=(const Collider&) = delete;
    virtual ~Collider() = default;

    int32_t GetType() const { return m_type; }
    /// A ghost overlaps others but produces no contacts.
    virtual bool IsGhost() const { return false; }
    Body* GetBody() const { return m_owner; }

private:
    int32_t m_type;
    Body* m_owner;
};

} // namespace zumek
