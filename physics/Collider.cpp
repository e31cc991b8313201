// physics/Collider.cpp
#include "physics/Collider.h"

#include "physics/BoxCollider.h"
#include "physics/PlaneCollider.h"
#include "physics/SphereCollider.h"
#include "platform/Assert.h"

namespace zumek {

bool Collider::Intersects(const Collider& other) const {
    switch (other.GetType()) {
    case kSphere: return IntersectsSphere(static_cast<const SphereCollider&>(other));
    case kPlane: return IntersectsPlane(static_cast<const PlaneCollider&>(other));
    case kBox: return IntersectsBox(static_cast<const BoxCollider&>(other));
    default: ASSERT(false, "a collider type is 0, 1 or 2"); return false;
    }
}

void Collider::GenerateContacts(const Collider& other, ContactList& contacts) const {
    switch (other.GetType()) {
    case kSphere: ContactsWithSphere(static_cast<const SphereCollider&>(other), contacts); break;
    case kPlane: ContactsWithPlane(static_cast<const PlaneCollider&>(other), contacts); break;
    case kBox: ContactsWithBox(static_cast<const BoxCollider&>(other), contacts); break;
    default: ASSERT(false, "a collider type is 0, 1 or 2"); break;
    }
}

} // namespace zumek
