// physics/PhysicsComponents.h
#pragma once

namespace zumek {

/// Registers the "body" component kind. Safe to call more than once.
void RegisterPhysicsComponents();

} // namespace zumek
