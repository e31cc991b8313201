// objects/ComponentKeys.h
#pragma once

namespace zumek {

// The "type" texts of component elements in level and archetype files. Comparison is exact and
// case-sensitive.
inline constexpr const char* TRANSFORM_COMPONENT_KEY = "transform";
inline constexpr const char* SCRIPT_COMPONENT_KEY = "script";
inline constexpr const char* SPRITE_COMPONENT_KEY = "sprite";
inline constexpr const char* HUD_COMPONENT_KEY = "hud";
inline constexpr const char* LIGHT_COMPONENT_KEY = "light";
inline constexpr const char* BODY_COMPONENT_KEY = "body";
inline constexpr const char* CAMERA_COMPONENT_KEY = "camera";
inline constexpr const char* ANIMATEDSPRITE_COMPONENT_KEY = "animatedSprite";
inline constexpr const char* PICKINGLISTENER_COMPONENT_KEY = "pickinglistener";
inline constexpr const char* PARTICLES_COMPONENT_KEY = "particles";

} // namespace zumek
