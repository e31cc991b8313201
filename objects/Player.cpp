// objects/Player.cpp
#include "objects/Player.h"

#include "engine/EngineLog.h"
#include "objects/Object.h"
#include "objects/Transform.h"
#include "platform/Assert.h"

namespace zumek {

void Player::Initialize() {
    Object* owner = GetOwner();
    ASSERT(owner != nullptr, "owner");
    if (!owner) return;
    Transform* transform = owner->GetComponent<Transform>();
    if (!transform) {
        // The player archetype is game data: a missing transform must not stop the game.
        ReportProblem(Error, "The player " + owner->GetId() + " has no transform",
                      "archetype " + owner->GetArchetype() + " needs a \"transform\" component; it cannot respawn");
        return;
    }
    m_respawnPosition = transform->GetPosition();
}

} // namespace zumek
