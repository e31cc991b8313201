// graphics/AnimatedSpriteRenderer.h
#pragma once

namespace zumek {

class AnimatedSprite;

/// Draws animated sprites into the bound G-buffer: posed on the shared animation clock and
/// skinned on the GPU ("gBones", "numberBones"), one glDrawElementsBaseVertex per part, into
/// the same attachments as every sprite, so they are lit, picked and shown in every render
/// mode. While debug drawing is on (DebugDrawSetting 0) the skeleton is drawn over them with
/// the procedural "bone" cone.
class AnimatedSpriteRenderer {
public:
    /// Advances the clock (once per frame); draws nothing while hidden or without a usable model.
    static void Draw(AnimatedSprite& sprite);

    /// Seconds on the animated sprites' shared clock. It advances by the frame time of the
    /// frame timer once per frame, however many animated sprites are drawn.
    static double AnimationClock();
    /// Sets the clock (tests and benchmarks pose at chosen times).
    static void SetAnimationClock(double seconds);

private:
    static void AdvanceClock();
    static bool Prepare(AnimatedSprite& sprite);
    static void DrawSkeleton(AnimatedSprite& sprite);
};

} // namespace zumek
