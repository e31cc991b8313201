// graphics/HudSerializer.cpp
#include "graphics/HudSerializer.h"

#include "graphics/SpriteSerializer.h"

namespace zumek {

Hud* HudSerializer::Deserialize() {
    auto* hud = new Hud();
    ApplySpriteDescription(*hud, m_element, m_source, m_defaultShader, m_defaultModel);
    return hud;
}

} // namespace zumek
