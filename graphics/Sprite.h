// graphics/Sprite.h
#pragma once
#include "graphics/SpriteBase.h"

namespace zumek {

/// An ordinary visible world object: a textured mesh drawn into the G-buffer.
class Sprite final : public SpriteBase {
public:
    Sprite() = default;
    /// A new, unattached sprite with the same settings.
    Sprite(const Sprite&) = default;
};

} // namespace zumek
