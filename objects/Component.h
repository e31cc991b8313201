// objects/Component.h
#pragma once

namespace zumek {

class Object;

/// Base of every component: data and behaviour attached to one object. A component belongs to
/// at most one object, which deletes it; prototypes read from files have no owner.
class Component {
public:
    Component() = default;
    /// A copy is a new, unattached component with the same settings.
    Component(const Component&) : m_owner(nullptr) {}
    Component& operator=(const Component&) = delete;
    virtual ~Component() = default;

    /// The object holding this component, or null for a prototype.
    Object* GetOwner() const { return m_owner; }
    /// Called once, after every component of a new object is in place.
    virtual void Initialize() = 0;
    /// The reset a script asks for ("Respawn").
    virtual void Respawn() = 0;

private:
    friend class Composition;
    Object* m_owner = nullptr;
};

} // namespace zumek
