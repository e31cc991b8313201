// graphics/Hud.h
#pragma once
#include "graphics/SpriteBase.h"

namespace zumek {

/// A frame-rate indicator drawn over the scene; its colour follows the measured frame rate.
class Hud final : public SpriteBase {
public:
    Hud() = default;
    /// A new, unattached sprite with the same settings.
    Hud(const Hud&) = default;
};

} // namespace zumek
