// graphics/SpriteRenderer.h
#pragma once
#include <string>

namespace zumek {

class AnimatedSprite;
class Hud;
class SpriteBase;

/// Draws sprites into the bound G-buffer. The first draw of a sprite builds its GL side (the
/// program of its program key, the uniform locations, the model's buffers from the process-wide
/// model cache, its textures); a broken shader or a missing model leaves it blank.
class SpriteRenderer {
public:
    /// A world sprite: nothing while hidden; its debug box too while DebugDrawSetting is 0 or
    /// its showBox flag is set.
    static void Draw(SpriteBase& sprite);
    /// The frame-rate indicator: green at 90 frames per second, red at 40.
    static void DrawHud(Hud& hud);
    /// The skinned draw of AnimatedSpriteRenderer::Draw.
    static void DrawAnimated(AnimatedSprite& sprite);

    /// The HUD colour for a frame rate: k = (fps - 40) / 50, colour (1 - k, k, 0), clamped to 0..1.
    static void HudColor(float fps, float& red, float& green);
    /// Seconds on the animated sprites' shared clock (AnimatedSpriteRenderer::AnimationClock).
    static float AnimationClock();

private:
    static bool Prepare(SpriteBase& sprite);
    static void SetMatrices(SpriteBase& sprite);
    static void DrawBox(SpriteBase& sprite);
};

} // namespace zumek
