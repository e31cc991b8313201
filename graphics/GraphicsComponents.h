// graphics/GraphicsComponents.h
#pragma once

namespace zumek {

/// Registers the drawable component kinds: "sprite", "hud" (archetypes only), "light",
/// "animatedSprite", "pickinglistener" and "particles". Safe to call more than once.
void RegisterGraphicsComponents();

} // namespace zumek
